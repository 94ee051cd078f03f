#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs lintian on the package that check_deb_package.sh built into SCRATCH_DIR; any error or
# warning fails (no overrides). Remarks of the "I:" kind are printed, not failed on.
# Usage: check_lintian.sh SCRATCH_DIR
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian missing"; exit 77; }
deb="$(ls "$1"/brelvo_*.deb)"
# lintian refuses to run as root unless told it may.
status=0
report="$(lintian --allow-root --display-info --tag-display-limit 0 --fail-on error,warning \
  "$deb" 2>&1)" || status=1
echo "$report"
grep -q -E '^[EW]: ' <<<"$report" && status=1
[ $status -eq 0 ] && echo "lintian: no error and no warning on $(basename "$deb")"
exit $status
