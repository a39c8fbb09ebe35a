#!/usr/bin/env bash
# The repository's pre-commit hooks, run by pre-commit itself in a scratch
# project, offline: the hook repository is a local git repository holding
# this tree's .pre-commit-hooks.yaml. zentab-fmt stops a commit whose tables
# are out of line and lines them up; the next commit passes. zentab-check
# stops it and changes nothing. Files of other kinds are not the hooks';
# a table that cannot be lined up stops every commit until it is mended.
# Usage: pre_commit_hook.sh ZENTAB
set -euo pipefail
source "$(dirname "$0")/editor_session.sh"
need pre-commit git
export PRE_COMMIT_HOME=$work/pre-commit-cache
export GIT_AUTHOR_NAME=Tester GIT_AUTHOR_EMAIL=tester@example.com
export GIT_COMMITTER_NAME=Tester GIT_COMMITTER_EMAIL=tester@example.com
export GIT_CONFIG_NOSYSTEM=1

step "a hook repository holding the hooks file"
git init -q -b main hooks
cp "$source_dir/.pre-commit-hooks.yaml" hooks/
git -C hooks add .pre-commit-hooks.yaml
git -C hooks commit -q -m hooks
hooks_rev=$(git -C hooks rev-parse HEAD)

# use_hook ID: the recipe's pre-commit configuration, running that hook from
# the hook repository.
use_hook() {
  sed -E -e "s|^(  - repo: )[^ ]+|\1$work/hooks|" -e "s|^(    rev: )[^ ]+|\1$hooks_rev|" \
    -e "s|^(      - id: ).*|\1$1|" "$recipes/pre-commit-config.yaml" >project/.pre-commit-config.yaml
  grep -qF "repo: $work/hooks" project/.pre-commit-config.yaml &&
    grep -qF "rev: $hooks_rev" project/.pre-commit-config.yaml &&
    grep -qF "id: $1" project/.pre-commit-config.yaml ||
    fail "the recipe's configuration no longer has a repo, rev and id line to point at the hooks"
  git -C project add .pre-commit-config.yaml
}

# commit MESSAGE: commits what is staged through the installed git hook.
commit() {
  git -C project commit -q -m "$1" >"$work/commit.log" 2>&1
}

git init -q -b main project
# Without its ragged table, which no hook can line up (the last step).
sed '/^| id | name | note |$/,/^$/d' "$here/documents/stock.md" >project/README.md
grep -q '^| 2 | notebook' project/README.md && fail "the ragged table is still in the README"
cp "$here/documents/stock.org" project/notes.org
# A frame in a C comment: zentab fmt would redraw it, but C is not the hooks'.
printf '/*\n * +--+\n * |ab|\n * |c|\n * +--+\n */\n' >project/frame.c
cp -r project originals
rm -rf originals/.git
(cd project && pre-commit install) >/dev/null || fail "pre-commit install failed"

step "zentab-fmt stops the first commit and lines the tables up"
use_hook zentab-fmt
git -C project add README.md notes.org frame.c
if commit "Stock"; then
  fail "a commit with tables out of line went through: $(cat commit.log)"
fi
grep -q 'zentab fmt' commit.log || fail "the hook did not run: $(cat commit.log)"
fmt_of originals/README.md >expected.md
fmt_of originals/notes.org >expected.org
same_text expected.md project/README.md "the hook's README is not zentab fmt's"
same_text expected.org project/notes.org "the hook's Org file is not zentab fmt's"
cmp -s originals/frame.c project/frame.c || fail "the hook changed a C file"
git -C project log --oneline 2>/dev/null | grep -q . && fail "the stopped commit was made"

step "the lined-up files commit"
git -C project add README.md notes.org
commit "Stock" || fail "the commit after the hook's fix was stopped: $(cat commit.log)"

step "zentab-check stops a commit and changes nothing"
use_hook zentab-check
sed -i 's/^| りんご       |   12 |/| りんご | 120 |/' project/README.md
grep -q '^| りんご | 120 |' project/README.md || fail "the README's edit did not apply"
cp project/README.md edited.md
git -C project add README.md
if commit "More apples"; then
  fail "zentab-check let a table out of line through: $(cat commit.log)"
fi
grep -q 'table not aligned' commit.log || fail "zentab-check did not say why: $(cat commit.log)"
cmp -s edited.md project/README.md || fail "zentab-check changed the README"

step "after zentab fmt --write, zentab-check lets the commit through"
"$zentab" fmt --write project/README.md || true
git -C project add README.md
commit "More apples" || fail "zentab-check stopped an aligned commit: $(cat commit.log)"
[ "$(git -C project rev-list --count HEAD)" = 2 ] || fail "expected two commits"

step "a table that cannot be lined up stops the commit, named by line"
use_hook zentab-fmt
printf '\n| id | name |\n|---|---|\n| 2 | notebook | A5 |\n' >>project/README.md
git -C project add README.md
if commit "A ragged table"; then
  fail "a ragged table was committed: $(cat commit.log)"
fi
grep -q 'README.md:[0-9]' commit.log || fail "the hook did not name the ragged row: $(cat commit.log)"
echo "== all steps passed"
