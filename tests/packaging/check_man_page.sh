#!/usr/bin/env bash
# The man page renders without a groff warning and keeps up with brelvo-cli: every command
# that --help lists has its own section with an example, and every option that a command's
# --help names appears in the page.
# Usage: check_man_page.sh PAGE BRELVO_CLI
set -euo pipefail
page="$1"
cli="$2"
command -v groff >/dev/null || { echo "groff missing"; exit 77; }
status=0

warnings="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -b -z "$page" 2>&1)"
if [ -n "$warnings" ]; then
  echo "groff warns about $page:"
  echo "$warnings"
  status=1
fi

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
    grep -q -F -- "$option" <<<"$section" ||
      { echo "$c: option $option is missing from $page"; status=1; }
  done
done
[ $status -eq 0 ] && echo "man page covers: $(tr '\n' ' ' <<<"$commands")"
exit $status
