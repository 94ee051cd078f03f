#!/bin/sh
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the libFuzzer harnesses with clang and runs each for SECONDS; fails on any crash,
# sanitizer report or input slower than one second. New crashers are copied into
# tests/regressions/<harness>/ so the normal tests replay them.
#   scripts/fuzz.sh BUILD_DIR SECONDS
set -eu

build=${1:?usage: scripts/fuzz.sh BUILD_DIR SECONDS}
seconds=${2:?usage: scripts/fuzz.sh BUILD_DIR SECONDS}
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${FUZZ_JOBS:-2}
harnesses="avi_load audio_walk wav_reader"

cxx=${FUZZ_CXX:-$(command -v clang++ || command -v clang++-14 || true)}
if [ -z "$cxx" ]; then
  echo "fuzz.sh: clang++ is needed (Debian package clang)" >&2
  exit 1
fi
launcher=""
if command -v ccache >/dev/null 2>&1; then launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRELVO_BUILD_FUZZ=ON -DBRELVO_BUILD_GUI=OFF -DBUILD_TESTING=OFF \
  -DBRELVO_WERROR="${WERROR:-OFF}" $launcher >/dev/null
targets=""
for h in $harnesses; do targets="$targets fuzz_$h"; done
# shellcheck disable=SC2086
cmake --build "$build" --target $targets -j "$jobs"

status=0
for h in $harnesses; do
  corpus="$build/corpus/$h"
  artifacts="$build/artifacts/$h"
  mkdir -p "$corpus" "$artifacts"
  # Seeds: the committed ones, the fixtures, and every regression input.
  for seed in "$root/fuzz/corpus/$h"/* "$root/tests/regressions/$h"/*; do
    [ -f "$seed" ] && cp "$seed" "$corpus/"
  done
  # The chunk walk probes every header byte; headers lie in a movie's first kilobytes, so
  # short inputs keep its runs fast without losing anything it could reach.
  max_len=131072
  case $h in
    avi_load) cp "$root"/tests/fixtures/*.avi "$corpus/"; max_len=16384 ;;
    audio_walk) cp "$root"/tests/fixtures/*.avi "$corpus/" ;;
  esac
  echo "fuzz.sh: $h for ${seconds}s"
  set +e
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$h" "$corpus" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
    -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$artifacts/" \
    >"$build/fuzz-$h.log" 2>&1
  rc=$?
  set -e
  tail -n 12 "$build/fuzz-$h.log"
  found=$(find "$artifacts" -type f | head -n 1)
  if [ $rc -ne 0 ] || [ -n "$found" ]; then
    echo "fuzz.sh: $h FAILED (exit $rc); log: $build/fuzz-$h.log" >&2
    mkdir -p "$root/tests/regressions/$h"
    for crash in "$artifacts"/*; do
      [ -f "$crash" ] || continue
      cp "$crash" "$root/tests/regressions/$h/"
      echo "fuzz.sh: saved $(basename "$crash") to tests/regressions/$h/ (rename it after the fault)" >&2
      rm -f "$crash"
    done
    status=1
  fi
done
exit $status
