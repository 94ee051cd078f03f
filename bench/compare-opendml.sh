#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# A large OpenDML movie as FFmpeg writes it (1500 s at 25 fps, 37500 frames, a key frame every
# 50, PCM sound; over 2 GB in RIFF parts of 1 GiB): `brelvo-cli keyframes` and `brelvo-cli
# info` against ffprobe counting the packets, and `info` against `ffprobe -show_streams`, as
# ratios of median wall times. Prints what both tools say of the movie first. The movie is
# generated once into BUILD_DIR/bench-data (delete it afterwards: it takes 2.3 GB).
# Usage: bench/compare-opendml.sh BUILD_DIR [RUNS]
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "Usage: bench/compare-opendml.sh BUILD_DIR [RUNS]" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
runs="${2:-5}"
cli="$build/cli/brelvo-cli"
[ -x "$cli" ] || { echo "compare-opendml.sh: $cli not built" >&2; exit 1; }
for tool in ffmpeg ffprobe; do
  command -v "$tool" >/dev/null || { echo "compare-opendml.sh: $tool not installed" >&2; exit 1; }
done

data="$build/bench-data"
clip="$data/opendml-clip.avi"
movie="$data/opendml-1500s.avi"
if [ ! -s "$movie" ]; then
  mkdir -p "$data"
  echo "compare-opendml.sh: generating $movie (once)..."
  # Ten seconds of noisy MPEG-4 (about 55 KB a frame), a key frame every 50 frames, looped by
  # stream copy: the loop keeps the key-frame spacing, and the movie is made in seconds.
  ffmpeg -hide_banner -loglevel error -y -f lavfi \
    -i "testsrc=size=720x576:rate=25,noise=alls=44:allf=t+u" -frames:v 250 \
    -c:v mpeg4 -q:v 3 -g 50 -bf 0 -f avi "$clip"
  ffmpeg -hide_banner -loglevel error -y -stream_loop -1 -i "$clip" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100" -t 1500 -map 0:v -map 1:a \
    -c:v copy -c:a pcm_s16le -ac 2 -f avi "$movie.part"
  mv "$movie.part" "$movie"
  rm -f "$clip"
fi

. "$(dirname "$0")/median.sh"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", (b > 0 ? a / b : 0) }'; }

size=$(stat -c %s "$movie")
parts=$("$cli" info --json "$movie" | grep -c '"id": "RIFF"' || true)
echo "== OpenDML movie: $movie ($size bytes, $parts RIFF parts)"
"$cli" info "$movie" | grep -E '^(Frames:|Running Time:)'
"$cli" keyframes "$movie"
count_packets=(ffprobe -v error -select_streams v:0 -count_packets
  -show_entries stream=nb_read_packets -of csv=p=0 "$movie")
echo "ffprobe packets: $("${count_packets[@]}")"
echo "ffprobe duration: $(ffprobe -v error -show_entries format=duration -of csv=p=0 "$movie") s"
key_packets=$(ffprobe -v error -select_streams v:0 -show_entries packet=flags -of csv=p=0 \
  "$movie" | grep -c K || true)
echo "ffprobe key packets: $key_packets"

keyframes_ms=$(median_ms "$cli" keyframes "$movie")
info_ms=$(median_ms "$cli" info "$movie")
count_ms=$(median_ms "${count_packets[@]}")
streams_ms=$(median_ms ffprobe -v error -show_streams "$movie")

echo
echo "== brelvo-cli against ffprobe ($runs runs each, median wall time)"
echo "brelvo-cli keyframes:            $keyframes_ms ms"
echo "brelvo-cli info:                 $info_ms ms"
echo "ffprobe -count_packets:          $count_ms ms"
echo "ffprobe -show_streams:           $streams_ms ms"
echo "keyframes / ffprobe -count_packets: $(ratio "$keyframes_ms" "$count_ms")x   (goal: under 0.1x)"
echo "info / ffprobe -count_packets:      $(ratio "$info_ms" "$count_ms")x"
echo "info / ffprobe -show_streams:       $(ratio "$info_ms" "$streams_ms")x"
