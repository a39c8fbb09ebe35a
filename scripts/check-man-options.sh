#!/usr/bin/env bash
# Checks that zentab(1) and `zentab --help` document the same long options:
# each option line of --help against each entry under OPTIONS in the man
# page's scdoc source. With a built man page as a third argument, it must also
# render without warnings.
# Usage: check-man-options.sh ZENTAB MAN_SOURCE [ROFF]
set -euo pipefail
zentab=$1
source=$2
roff=${3:-}

# The first long option of each line that starts with an option.
help_options=$("$zentab" --help | sed -nE 's/^ +(-[[:alnum:]], +)?(--[a-z][a-z-]*).*/\2/p' | sort -u)
# Entries under OPTIONS start with the option in bold: *-f*, *--frame* _N_.
man_options=$(sed -n '/^# OPTIONS$/,/^# /p' "$source" |
  sed -nE 's/^\*(-[[:alnum:]]\*, \*)?(--[a-z][a-z-]*)\*.*/\2/p' | sort -u)

status=0
if [ -z "$help_options" ] || [ -z "$man_options" ]; then
  echo "no options found (--help: $(wc -w <<<"$help_options"), man page: $(wc -w <<<"$man_options"))"
  status=1
fi
missing_in_man=$(comm -23 <(echo "$help_options") <(echo "$man_options"))
missing_in_help=$(comm -13 <(echo "$help_options") <(echo "$man_options"))
if [ -n "$missing_in_man" ]; then
  echo "in --help but not in the man page's OPTIONS:" $missing_in_man
  status=1
fi
if [ -n "$missing_in_help" ]; then
  echo "in the man page's OPTIONS but not in --help:" $missing_in_help
  status=1
fi

if [ -n "$roff" ]; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$roff" 2>&1 >/dev/null || true)
  if [ -n "$warnings" ]; then
    echo "the man page renders with warnings:"
    echo "$warnings"
    status=1
  fi
fi
exit $status
