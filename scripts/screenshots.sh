#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Takes one picture per tab of the main window and one of the about window into OUT_DIR: opens
# a copy of the sample movie (or, before the sample exists, a test movie) under a virtual X
# display.
# Usage: scripts/screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR OUT_DIR" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
program="$build/app/brelvo"
[ -x "$program" ] || { echo "$0: $program is not built" >&2; exit 1; }

movie="$root/samples/sample.avi"
[ -f "$movie" ] || movie="$root/tests/fixtures/ffmpeg_mpeg4_pcm.avi"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Brelvo writes into the movie it opens; the pictures are taken of a copy.
cp "$movie" "$work/sample.avi"

cd "$work"
BRELVO_SCREENSHOT_DIR="$out" xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$program" "$work/sample.avi"
echo "screenshots: $(ls "$out"/*.png | wc -l) pictures in $out"
