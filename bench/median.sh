# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the comparison scripts; RUNS is the caller's `runs`.
# Median in milliseconds of RUNS timed runs of the command, after one untimed warm-up run.
median_ms() {
  "$@" >/dev/null 2>&1
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
    m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.2f", m / 1000 }'
}
