#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Validates the desktop entries; desktop-file-validate's "will be fatal in the future" errors
# still exit 0, so any remark at all fails here.
# Usage: check_desktop_entries.sh ENTRY...
set -euo pipefail
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate missing"; exit 77; }
remarks="$(desktop-file-validate "$@" 2>&1)" || { echo "$remarks"; exit 1; }
if [ -n "$remarks" ]; then
  echo "$remarks"
  exit 1
fi
echo "valid: $*"
