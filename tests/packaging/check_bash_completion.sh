#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The bash completion keeps up with brelvo-cli: the first word offers every command that
# --help lists, and "-" after a command offers every option that the command's --help names.
# Usage: check_bash_completion.sh COMPLETION BRELVO_CLI
set -euo pipefail
script="$1"
cli="$2"
status=0

# The words offered for a command line whose last word is being typed.
offered() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _brelvo_cli
           printf "%s\n" "${COMPREPLY[@]}"' _ "$script" "$@"
}

commands="$("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')"
[ -n "$commands" ] || { echo "no commands found in '$cli --help'"; exit 1; }
first="$(offered brelvo-cli "")"
for c in $commands --help --version; do
  grep -q -x -F -- "$c" <<<"$first" || { echo "command $c is not offered"; status=1; }
done
for c in $commands; do
  options="$(offered brelvo-cli "$c" -)"
  for option in $("$cli" "$c" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -x -F -- "$option" <<<"$options" ||
      { echo "$c: option $option is not offered"; status=1; }
  done
done
# Past "--" only file names: the script's own folder holds it.
files="$(cd "$(dirname "$script")" && offered brelvo-cli info -- "$(basename "$script")")"
grep -q -x -F "$(basename "$script")" <<<"$files" || { echo "no file names offered"; status=1; }
[ $status -eq 0 ] && echo "completion offers: $(tr '\n' ' ' <<<"$commands")"
exit $status
