#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The house style is clang-format with the repository's .clang-format.
#   scripts/format.sh --check   lists every C++ file of the project it would change; exit 1 if any
#   scripts/format.sh           formats those files in place
# The files are the tracked ones (git ls-files), less those the project did not write.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=fix
case "${1:-}" in
  --check) mode=check ;;
  "") ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac

clang_format="${CLANG_FORMAT:-$(command -v clang-format || command -v clang-format-14 || true)}"
if [ -z "$clang_format" ]; then
  echo "format: clang-format is needed (Debian package clang-format)" >&2
  exit 2
fi

# Files the project did not write keep their authors' layout: add them here as git pathspecs,
# e.g. ':(exclude)third_party/**'.
not_ours=()

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.cc' "${not_ours[@]}")
else
  echo "format: not a git checkout; nothing to check" >&2
  exit 2
fi

# One clang-format per file, two at a time: it names the files it would change.
offending=()
mapfile -t offending < <(
  printf '%s\0' "${files[@]}" |
    xargs -0 -P 2 -I{} sh -c '"$1" --dry-run --Werror "$2" >/dev/null 2>&1 || echo "$2"' \
      sh "$clang_format" {} |
    sort
)

if [ "$mode" = check ]; then
  if [ ${#offending[@]} -eq 0 ]; then
    echo "format: all ${#files[@]} C++ files follow .clang-format ($("$clang_format" --version))"
    exit 0
  fi
  echo "format: ${#offending[@]} of ${#files[@]} C++ files differ from .clang-format" \
    "($("$clang_format" --version)); 'make format' fixes them:" >&2
  printf '  %s\n' "${offending[@]}" >&2
  exit 1
fi

for f in "${offending[@]}"; do
  "$clang_format" -i "$f"
  echo "format: formatted $f"
done
echo "format: ${#offending[@]} of ${#files[@]} C++ files formatted"
