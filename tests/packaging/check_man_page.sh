#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The man pages render without a groff warning, and brelvo-cli's keeps up with it: every
# command that --help lists has its own section with an example, and every option that a
# command's --help names appears in that section or among the options every command takes.
# Usage: check_man_page.sh CLI_PAGE BRELVO_CLI [OTHER_PAGE...]
set -euo pipefail
page="$1"
cli="$2"
shift 2
command -v groff >/dev/null || { echo "groff missing"; exit 77; }
status=0

for p in "$page" "$@"; do
  warnings="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -b -z "$p" 2>&1)"
  if [ -n "$warnings" ]; then
    echo "groff warns about $p:"
    echo "$warnings"
    status=1
  fi
done
# The options of every command, described once.
common="$(awk '/^\.SH /{inside = ($2 == "OPTIONS"); next} inside' "$page" | sed 's/\\-/-/g')"

# Command names: the first word of each synopsis line of the usage text.
commands="$("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')"
[ -n "$commands" ] || { echo "no commands found in '$cli --help'"; exit 1; }
for c in $commands; do
  # The section of the command runs from its .SS line to the next .SS or .SH.
  # roff writes a hyphen as \-; the section is compared with that undone.
  section="$(awk -v c="$c" '/^\.S[SH] /{inside = ($1 == ".SS" && $2 == c); next} inside' "$page" |
    sed 's/\\-/-/g')"
  if [ -z "$section" ]; then
    echo "no section '.SS $c' in $page"
    status=1
    continue
  fi
  grep -q "^brelvo-cli $c" <<<"$section" || { echo "no example of $c in $page"; status=1; }
  for option in $("$cli" "$c" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    [ "$option" = "--help" ] && continue
    grep -q -F -- "$option" <<<"$section"$'\n'"$common" ||
      { echo "$c: option $option is missing from $page"; status=1; }
  done
done
[ $status -eq 0 ] && echo "man pages render; $page covers: $(tr '\n' ' ' <<<"$commands")"
exit $status
