#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Cross-builds the core, brelvo-cli and the core's tests for 64-bit Windows with Debian's
# MinGW-w64 and runs the tests under Wine. Installs the cross compiler, and Wine when Debian's
# package installs, the way scripts/install-deps does: apt-get, only what is missing.
# Usage: scripts/test-windows-core.sh [BUILD_DIR]   (default build-mingw; `make test-windows-core`)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "${1:-$root/build-mingw}"
build="$(cd "${1:-$root/build-mingw}" && pwd)"
jobs="${JOBS:-2}"
started=$SECONDS

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
install_packages() {
  local missing=() p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "test-windows-core: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
}

install_packages g++-mingw-w64-x86-64 || {
  echo "test-windows-core: cannot install g++-mingw-w64-x86-64" >&2
  exit 1
}
wine=""
wineserver=""
if install_packages wine64; then
  for w in "$(command -v wine64 || true)" /usr/lib/wine/wine64 "$(command -v wine || true)"; do
    [ -n "$w" ] && [ -x "$w" ] && { wine="$w"; break; }
  done
  for s in "$(command -v wineserver || true)" /usr/lib/wine/wineserver64; do
    [ -n "$s" ] && [ -x "$s" ] && { wineserver="$s"; break; }
  done
fi
if [ -z "$wine" ]; then
  echo "test-windows-core: Wine could not be installed; the tests are built, not run"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
toolchain="$root/cmake/mingw-w64.cmake"
deps="$build/deps"

# Wine gets a prefix of its own, without the .NET and HTML installers' prompts. Its server and
# services are started once, detached from our output: a service started by a test would hold
# ctest's output pipe open and ctest would wait for it for ever.
if [ -n "$wine" ]; then
  export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1
  trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi

# GoogleTest for Windows from Debian's own sources (/usr/src/googletest): nothing is downloaded.
if [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" "${launcher[@]}" >/dev/null
  cmake --build "$build/googletest" -j "$jobs"
  cmake --install "$build/googletest" >/dev/null
fi
# nlohmann-json is headers only; a copy in the Windows prefix keeps /usr/include, the build
# machine's C library headers, out of the cross build.
if [ ! -f "$deps/share/cmake/nlohmann_json/nlohmann_jsonConfig.cmake" ]; then
  mkdir -p "$deps/include" "$deps/share/cmake"
  cp -r /usr/include/nlohmann "$deps/include/"
  cp -r /usr/share/cmake/nlohmann_json "$deps/share/cmake/"
fi

# -O2 as the Linux builds have it: GCC 12's -O3 raises a false -Wrestrict inside std::string.
# Without Wine, test discovery runs `true` and finds nothing: the tests are compiled only.
cmake -S "$root" -B "$build/core" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DBRELVO_MINGW_PREFIX="$deps" -DBRELVO_WINE="${wine:-/bin/true}" -DBRELVO_BUILD_GUI=OFF \
  -DBRELVO_WERROR="${WERROR:-OFF}" \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "${launcher[@]}" >/dev/null
cmake --build "$build/core" -j "$jobs"

if [ -n "$wine" ]; then
  # Remove the test movies an interrupted run left behind.
  rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/brelvo-test-*
  # POSIX-only: the read-only check compares permission bits and an exact modification time,
  # which Windows keeps as a read-only flag and Wine in whole seconds.
  posixOnly='^CliReadOnly\.InfoAndKeyframesLeaveTheFileUntouched$'
  (cd "$build/core" && ctest --output-on-failure -j "$jobs" -E "$posixOnly")

  # The Windows program itself, on a copy of the sample movie.
  work="$(mktemp -d)"
  cp "$root/samples/sample.avi" "$work/sample.avi"
  out="$("$wine" "$build/core/cli/brelvo-cli.exe" info "$work/sample.avi" </dev/null | tr -d '\r')"
  rm -rf "$work"
  grep -q '^Frames' <<<"$out" || {
    echo "test-windows-core: brelvo-cli.exe info printed no frame count:" >&2
    echo "$out" >&2
    exit 1
  }
  echo "test-windows-core: brelvo-cli.exe info ran under Wine"
fi
echo "test-windows-core: done in $((SECONDS - started)) s"
