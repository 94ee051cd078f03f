#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Extraction and re-integration of the sound track by brelvo-cli against reading the whole
# movie once (`cat FILE >/dev/null`) and against `ffmpeg -i FILE -vn -c:a copy OUT.wav`, on a
# generated ~1 GiB movie (MPEG-4 video, PCM stereo sound, about a tenth of the file), page
# cache warm; then the peak memory of both commands on that movie and on a small one.
# Extraction is timed writing a new WAV file (as ffmpeg is) and replacing an existing one: a
# file renamed over another makes ext4 start writing its data out at once, which costs time.
# Re-integration rewrites only the bytes that differ, so it is timed twice: writing the
# extracted track back unchanged, and writing back a track with every sample byte changed
# (the extract inverted, alternating with the original so that each run changes every byte).
# The movie is made once and kept in $BRELVO_BENCH_CACHE (default /tmp/brelvo-bench).
# Usage: bench/compare-audio.sh BUILD_DIR [RUNS]
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "Usage: bench/compare-audio.sh BUILD_DIR [RUNS]" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
runs="${2:-5}"
here="$(cd "$(dirname "$0")" && pwd)"
cli="$build/cli/brelvo-cli"
[ -x "$cli" ] || { echo "compare-audio.sh: $cli not built" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "compare-audio.sh: ffmpeg not installed" >&2; exit 1; }

cache="${BRELVO_BENCH_CACHE:-/tmp/brelvo-bench}"
movie="$cache/audio-1gib.avi"
wav="$cache/audio-1gib.wav"
ffwav="$cache/audio-1gib-ffmpeg.wav"
mkdir -p "$cache"
if [ ! -s "$movie" ]; then
  echo "compare-audio.sh: generating $movie (once, a minute or two)..."
  # Noise keeps the MPEG-4 encoder at its 14 Mbit/s; 48 kHz stereo PCM is 1.5 Mbit/s.
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc=size=640x480:rate=25:duration=550" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=550" \
    -vf "noise=alls=12:allf=t" -c:v mpeg4 -b:v 14M -c:a pcm_s16le -ac 2 "$movie.part.avi"
  mv "$movie.part.avi" "$movie"
fi

# "WALL CPU": the best (lowest) wall time and the best CPU time (user + system) in
# milliseconds of N runs of the command. On a shared machine the CPU time is the steadier
# figure; both are printed.
best_ms() {
  local n="$1"
  shift
  local best_wall="" best_cpu="" TIMEFORMAT='%3R %3U %3S'
  for _ in $(seq "$n"); do
    local line wall cpu
    if [ -n "${fresh:-}" ]; then rm -f "$fresh"; fi  # untimed: the run writes a new file
    line=$({ time "$@" >/dev/null 2>&1; } 2>&1)
    wall=$(awk '{ printf "%d", $1 * 1000 }' <<<"$line")
    cpu=$(awk '{ printf "%d", ($2 + $3) * 1000 }' <<<"$line")
    if [ -z "$best_wall" ] || [ "$wall" -lt "$best_wall" ]; then best_wall=$wall; fi
    if [ -z "$best_cpu" ] || [ "$cpu" -lt "$best_cpu" ]; then best_cpu=$cpu; fi
  done
  echo "$best_wall $best_cpu"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }'; }
wall() { cut -d' ' -f1 <<<"$1"; }
cpu() { cut -d' ' -f2 <<<"$1"; }
cat_file() { cat "$movie" >/dev/null; }

# Peak resident memory in KiB of one run of the command.
peak_kib() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
  else
    python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$@"
  fi
}

before=$(md5sum "$movie" | cut -d' ' -f1)
cat_file  # warm the page cache
"$cli" extract-audio "$movie" "$wav" >/dev/null
ffmpeg -hide_banner -loglevel error -y -i "$movie" -vn -c:a copy "$ffwav"

# The extract with every sample byte inverted.
inverted="$cache/audio-1gib-inverted.wav"
python3 - "$wav" "$inverted" <<'PY'
import struct, sys
wav = bytearray(open(sys.argv[1], "rb").read())
at = 12
while at + 8 <= len(wav):
    cid, size = wav[at:at + 4], struct.unpack_from("<I", wav, at + 4)[0]
    if cid == b"data":
        start = at + 8
        wav[start:start + size] = bytes(wav[start:start + size]).translate(bytes(range(255, -1, -1)))
        break
    at += 8 + size
open(sys.argv[2], "wb").write(wav)
PY
# Holds "1" while the movie holds the inverted track (builtins only: nothing else is timed).
flag="$cache/.inverted-in-movie"
: >"$flag"
reint_changing() {
  if [ -s "$flag" ]; then
    : >"$flag"
    "$cli" reintegrate-audio "$movie" "$wav"
  else
    echo 1 >"$flag"
    "$cli" reintegrate-audio "$movie" "$inverted"
  fi
}

size=$(stat -c %s "$movie")
sound=$(( $(stat -c %s "$wav") ))
cat_ms=$(best_ms "$runs" cat_file)
newwav="$cache/audio-1gib-new.wav"
extract_ms=$(fresh="$newwav" best_ms "$runs" "$cli" extract-audio "$movie" "$newwav")
replace_ms=$(best_ms "$runs" "$cli" extract-audio "$movie" "$wav")
reint_ms=$(best_ms "$runs" "$cli" reintegrate-audio "$movie" "$wav")
changing_ms=$(best_ms $((2 * runs)) reint_changing)
if [ -s "$flag" ]; then reint_changing >/dev/null; fi  # the original track back
rm -f "$inverted" "$flag"
ff_runs=$(( runs < 3 ? runs : 3 ))
ffmpeg_ms=$(fresh="$ffwav" best_ms "$ff_runs" ffmpeg -hide_banner -loglevel error -y -i "$movie" -vn -c:a copy "$ffwav")
rm -f "$newwav"

small="$cache/small.avi"
cp "$here/../tests/fixtures/ffmpeg_mpeg4_pcm.avi" "$small"
small_extract=$(peak_kib "$cli" extract-audio "$small" "$cache/small.wav")
small_reint=$(peak_kib "$cli" reintegrate-audio "$small" "$cache/small.wav")
large_extract=$(peak_kib "$cli" extract-audio "$movie" "$wav")
large_reint=$(peak_kib "$cli" reintegrate-audio "$movie" "$wav")
rm -f "$small" "$cache/small.wav" "$ffwav"

after=$(md5sum "$movie" | cut -d' ' -f1)

echo "== brelvo-cli extract-audio / reintegrate-audio (best of $runs runs, page cache warm)"
echo "movie: $movie ($size bytes; WAV file $sound bytes)"
echo "                                    wall ms   CPU ms"
printf '%-36s%7s  %7s\n' "cat FILE >/dev/null" "$(wall "$cat_ms")" "$(cpu "$cat_ms")"
printf '%-36s%7s  %7s\n' "brelvo-cli extract-audio (new file)" "$(wall "$extract_ms")" "$(cpu "$extract_ms")"
printf '%-36s%7s  %7s\n' "  ... replacing an existing WAV" "$(wall "$replace_ms")" "$(cpu "$replace_ms")"
printf '%-36s%7s  %7s\n' "brelvo-cli reintegrate-audio" "$(wall "$reint_ms")" "$(cpu "$reint_ms")"
printf '%-36s%7s  %7s\n' "  ... every sample byte changed" "$(wall "$changing_ms")" "$(cpu "$changing_ms")"
printf '%-36s%7s  %7s\n' "ffmpeg -vn -c:a copy (new, $ff_runs runs)" "$(wall "$ffmpeg_ms")" "$(cpu "$ffmpeg_ms")"
for kind in wall cpu; do
  echo "$kind: extraction $(ratio "$($kind "$cat_ms")" "$($kind "$extract_ms")")x faster than cat," \
    "$(ratio "$($kind "$ffmpeg_ms")" "$($kind "$extract_ms")")x faster than ffmpeg;" \
    "re-integration $(ratio "$($kind "$cat_ms")" "$($kind "$reint_ms")")x faster than cat," \
    "$(ratio "$($kind "$ffmpeg_ms")" "$($kind "$reint_ms")")x faster than ffmpeg   (goals: >1x, >=3x)"
  echo "$kind: re-integration changing every byte $(ratio "$($kind "$cat_ms")" "$($kind "$changing_ms")")x faster than cat," \
    "$(ratio "$($kind "$ffmpeg_ms")" "$($kind "$changing_ms")")x faster than ffmpeg"
done
echo "peak memory, extract-audio:      ${small_extract} KiB on a 126 KB movie, ${large_extract} KiB on the $size-byte movie"
echo "peak memory, reintegrate-audio:  ${small_reint} KiB on a 126 KB movie, ${large_reint} KiB on the $size-byte movie"
if [ "$before" != "$after" ]; then
  echo "compare-audio.sh: writing the extracted track back changed the movie; removing it" >&2
  rm -f "$movie"
  exit 1
fi
echo "the movie is byte for byte unchanged after every write-back"
