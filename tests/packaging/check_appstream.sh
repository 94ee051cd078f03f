#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Validates AppStream metadata, pedantic remarks included, without the network (the URLs are
# not fetched).
# Usage: check_appstream.sh METAINFO...
set -euo pipefail
command -v appstreamcli >/dev/null || { echo "appstreamcli missing"; exit 77; }
report="$(appstreamcli validate --no-net --pedantic --no-color "$@" 2>&1)" ||
  { echo "$report"; exit 1; }
if grep -q -E '^[EWIP]: ' <<<"$report"; then
  echo "$report"
  exit 1
fi
echo "valid: $*"
