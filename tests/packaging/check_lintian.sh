#!/usr/bin/env bash
# Runs lintian on the package that check_deb_package.sh built into SCRATCH_DIR; any error,
# warning or remark fails (lintian's default display: E, W and I... tags shown are failures,
# overrides are not used).
# Usage: check_lintian.sh SCRATCH_DIR
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian missing"; exit 77; }
deb="$(ls "$1"/brelvo_*.deb)"
# lintian refuses to run as root unless told it may.
report="$(lintian --allow-root --display-info --no-tag-display-limit "$deb" 2>&1)" ||
  { echo "$report"; exit 1; }
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi
echo "lintian: nothing to report on $(basename "$deb")"
