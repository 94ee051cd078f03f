#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Puts the licence identifier at the top of every source file that git knows and that lacks
# it (after a "#!" line): C++ sources and headers, CMake files, Makefiles, shell and Python
# scripts, man pages, the bash completion. Data files (movies, JSON, XML, SVG, Markdown) stay
# as they are. With --check it only lists the files that lack it and fails when there are any.
# Usage: scripts/spdx-headers.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: GPL-2.0-or-later"
check=false
[ "${1:-}" = "--check" ] && check=true

comment_for() {
  case "$1" in
    *.cpp | *.h) echo "// $tag" ;;
    *.1) echo ".\\\" $tag" ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | Makefile | *.sh | *.py | *.bash-completion | \
      scripts/* | .ci/*)
      echo "# $tag" ;;
    *) return 1 ;;
  esac
}

missing=0
while IFS= read -r -d '' file; do
  case "$file" in tests/fixtures/* | fuzz/corpus/* | tests/regressions/*) continue ;; esac
  [ -f "$file" ] || continue
  line="$(comment_for "$file")" || continue
  head -n 3 "$file" | grep -q "SPDX-License-Identifier" && continue
  missing=$((missing + 1))
  if $check; then
    echo "$file"
    continue
  fi
  if head -n 1 "$file" | grep -q '^#!'; then
    { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$file.spdx"
  else
    { echo "$line"; cat "$file"; } >"$file.spdx"
  fi
  chmod --reference="$file" "$file.spdx"
  mv "$file.spdx" "$file"
done < <(git ls-files -z)
if $check; then
  [ $missing -eq 0 ] || { echo "$missing files lack '$tag'"; exit 1; }
else
  echo "spdx-headers: added the identifier to $missing files"
fi
