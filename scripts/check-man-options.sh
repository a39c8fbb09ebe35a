#!/usr/bin/env bash
# Checks that zentab(1) and `zentab --help` document the same long options:
# each option line of --help against each entry under OPTIONS in the man
# page's scdoc source, and those of `zentab fmt --help` against the entries
# under TABLES IN DOCUMENTS, and those of `zentab lsp --help` against the entries
# under LANGUAGE SERVER. With a built man page as a third argument, it
# must also render without warnings.
# Usage: check-man-options.sh ZENTAB MAN_SOURCE [ROFF]
set -euo pipefail
zentab=$1
source=$2
roff=${3:-}

# The first long option of each line of a help that starts with an option.
help_options() {
  "$zentab" "$@" --help | sed -nE 's/^ +(-[[:alnum:]], +)?(--[a-z][a-z-]*).*/\2/p' | sort -u
}

# Entries under a section start with the option in bold: *-f*, *--frame* _N_.
man_options() {
  sed -n "/^# $1\$/,/^# /p" "$source" |
    sed -nE 's/^\*(-[[:alnum:]]\*, \*)?(--[a-z][a-z-]*)\*.*/\2/p' | sort -u
}

status=0
# compare WHAT HELP_OPTIONS MAN_OPTIONS SECTION
compare() {
  local what=$1 help=$2 man=$3 section=$4
  if [ -z "$help" ] || [ -z "$man" ]; then
    echo "$what: no options found (--help: $(wc -w <<<"$help"), man page: $(wc -w <<<"$man"))"
    status=1
    return
  fi
  local missing_in_man missing_in_help
  missing_in_man=$(comm -23 <(echo "$help") <(echo "$man"))
  missing_in_help=$(comm -13 <(echo "$help") <(echo "$man"))
  if [ -n "$missing_in_man" ]; then
    echo "in $what --help but not in the man page's $section:" $missing_in_man
    status=1
  fi
  if [ -n "$missing_in_help" ]; then
    echo "in the man page's $section but not in $what --help:" $missing_in_help
    status=1
  fi
}

compare zentab "$(help_options)" "$(man_options OPTIONS)" OPTIONS
compare "zentab fmt" "$(help_options fmt)" "$(man_options 'TABLES IN DOCUMENTS')" \
  "TABLES IN DOCUMENTS"
compare "zentab lsp" "$(help_options lsp)" "$(man_options 'LANGUAGE SERVER')" "LANGUAGE SERVER"

if [ -n "$roff" ]; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$roff" 2>&1 >/dev/null || true)
  if [ -n "$warnings" ]; then
    echo "the man page renders with warnings:"
    echo "$warnings"
    status=1
  fi
fi
exit $status
