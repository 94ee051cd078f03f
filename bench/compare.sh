#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Median wall time of `brelvo-cli info FILE` against `ffprobe -show_streams FILE` on the same
# ~1 GiB movie, printed as a ratio; then `brelvo-cli check` against the same ffprobe run, with
# the peak memory of both; then `brelvo-cli set-fourcc` against an ffmpeg remux, and
# the audio tools against `cat` and ffmpeg (bench/compare-audio.sh). The movie (uncompressed 640x480 video with PCM audio, so it
# is made fast) is generated once and kept in BUILD_DIR/bench-data.
# Usage: bench/compare.sh BUILD_DIR [RUNS]
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "Usage: bench/compare.sh BUILD_DIR [RUNS]" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
runs="${2:-15}"
cli="$build/cli/brelvo-cli"
[ -x "$cli" ] || { echo "compare.sh: $cli not built" >&2; exit 1; }
command -v ffprobe >/dev/null || { echo "compare.sh: ffprobe not installed" >&2; exit 1; }

data="$build/bench-data"
movie="$data/compare-1gib.avi"
if [ ! -s "$movie" ]; then
  mkdir -p "$data"
  echo "compare.sh: generating $movie (once)..."
  # The chunk walk probes INFO texts byte by byte, so the title steers clear of chunk ids.
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc=size=640x480:rate=25" -f lavfi -i "sine=frequency=440:sample_rate=44100" \
    -frames:v 1150 -shortest -c:v rawvideo -pix_fmt bgr24 -c:a pcm_s16le -ac 2 \
    -metadata title="Benchmark clip" -f avi "$movie.part"
  mv "$movie.part" "$movie"
fi

. "$(dirname "$0")/median.sh"

"$cli" info "$movie" >/dev/null || { echo "compare.sh: brelvo-cli info failed on $movie" >&2; exit 1; }
size=$(stat -c %s "$movie")
cli_ms=$(median_ms "$cli" info "$movie")
probe_ms=$(median_ms ffprobe -v error -show_streams "$movie")
ratio=$(awk -v a="$probe_ms" -v b="$cli_ms" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')

echo "== brelvo-cli info vs ffprobe -show_streams ($runs runs each, median wall time)"
echo "movie: $movie ($size bytes)"
echo "brelvo-cli info:          $cli_ms ms"
echo "ffprobe -show_streams:    $probe_ms ms"
echo "ratio (ffprobe / brelvo): ${ratio}x   (goal: at least 3x)"

# ---------------------------------------------------------------------------------------------
# compare_check: `brelvo-cli check` (the headers, the index and every chunk header) against
# `ffprobe -v error -show_streams`, and the peak memory of check on this movie and on a small
# one: it keeps counts, not lists, so the two should be alike.
peak_kib() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
}
compare_check() {
  local check_ms check_ratio small
  "$cli" check "$movie" >/dev/null || { echo "compare_check: $movie has faults" >&2; return 1; }
  check_ms=$(median_ms "$cli" check "$movie")
  check_ratio=$(awk -v a="$probe_ms" -v b="$check_ms" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')
  echo
  echo "== brelvo-cli check vs ffprobe -v error -show_streams ($runs runs each, median wall time)"
  echo "brelvo-cli check:         $check_ms ms"
  echo "ffprobe -show_streams:    $probe_ms ms"
  echo "ratio (ffprobe / brelvo): ${check_ratio}x   (goal: above 1x)"
  if [ -x /usr/bin/time ]; then
    small="$(dirname "$0")/../samples/sample.avi"
    echo "peak memory, check:       $(peak_kib "$cli" check "$small") KiB on the sample movie," \
      "$(peak_kib "$cli" check "$movie") KiB on this movie"
    echo "peak memory, ffprobe:     $(peak_kib ffprobe -v error -show_streams "$movie") KiB on this movie"
  fi
}
compare_check

# ---------------------------------------------------------------------------------------------
# compare_edit: `brelvo-cli set-fourcc` (rewrites 4 bytes in place) against the FFmpeg way of
# changing the same FourCC, a remux with `-c copy -vtag`, on the same movie. The movie's own
# handler code is saved first and written back at the end, so the movie stays as generated.
compare_edit() {
  command -v ffmpeg >/dev/null || { echo "compare_edit: ffmpeg not installed" >&2; return 1; }
  local offset saved out remux_runs cli_edit_ms remux_ms edit_ratio
  offset=$("$cli" info --json "$movie" | grep -m1 '"handlerOffset"' | tr -dc '0-9')
  [ -n "$offset" ] || { echo "compare_edit: no video handler in $movie" >&2; return 1; }
  saved="$data/handler.bytes"
  dd if="$movie" of="$saved" bs=1 skip="$offset" count=4 status=none
  out="$data/remux-vtag.avi"
  remux_runs=$(( runs < 5 ? runs : 5 ))  # each remux copies the whole movie

  cli_edit_ms=$(median_ms "$cli" set-fourcc --handler XVID "$movie")
  remux_ms=$(runs=$remux_runs median_ms ffmpeg -hide_banner -loglevel error -y -i "$movie" \
    -map 0 -c copy -vtag XVID "$out")
  rm -f "$out"
  dd if="$saved" of="$movie" bs=1 seek="$offset" count=4 conv=notrunc status=none
  rm -f "$saved"
  edit_ratio=$(awk -v a="$remux_ms" -v b="$cli_edit_ms" 'BEGIN { printf "%.0f", (b > 0 ? a / b : 0) }')

  echo
  echo "== brelvo-cli set-fourcc vs ffmpeg -c copy -vtag XVID (median wall time)"
  echo "movie: $movie ($size bytes)"
  echo "brelvo-cli set-fourcc:    $cli_edit_ms ms   ($runs runs)"
  echo "ffmpeg -c copy -vtag:     $remux_ms ms   ($remux_runs runs)"
  echo "ratio (ffmpeg / brelvo): ${edit_ratio}x"
}
compare_edit

echo
"$(dirname "$0")/compare-audio.sh" "$build"
