#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the Debian package of Brelvo (programs, desktop entries, icon, man page) with CPack.
# Usage: scripts/make-package.sh BUILD_DIR   (a configured build folder; `make package`)
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
[ -f "$build/CPackConfig.cmake" ] || {
  echo "$0: $build has no CPackConfig.cmake (configure it with the packaging folder)" >&2
  exit 1
}
cmake --build "$build" -j "${JOBS:-2}"
cd "$build"
rm -f brelvo_*.deb
cpack -G DEB
deb="$(ls "$build"/brelvo_*.deb)"
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
