#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the Debian package of BUILD_DIR into a scratch folder, unpacks it with dpkg -x and runs
# the unpacked programs, far from the build tree. Also checks the declared dependencies, the
# version the programs and the changelog give, and that the package holds only what a user's
# machine should get.
# Usage: check_deb_package.sh BUILD_DIR SCRATCH_DIR SAMPLE_MOVIE VERSION
set -euo pipefail
build="$1"
scratch="$2"
sample="$3"
version="$4"
command -v dpkg-deb >/dev/null || { echo "dpkg missing"; exit 77; }

rm -rf "$scratch"
mkdir -p "$scratch"
(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; exit 1; }
deb="$(ls "$scratch"/brelvo_*.deb)"
root="$scratch/root"
dpkg -x "$deb" "$root"
status=0

help="$("$root/usr/bin/brelvo-cli" --help)"
grep -q '^Usage: brelvo-cli' <<<"$help" || { echo "unpacked brelvo-cli --help: $help"; status=1; }
cp "$sample" "$scratch/movie.avi"
"$root/usr/bin/brelvo-cli" info "$scratch/movie.avi" | grep -q '^Frames' ||
  { echo "unpacked brelvo-cli info gave no frame count"; status=1; }

for p in brelvo brelvo-launcher brelvo-cli; do
  said="$("$root/usr/bin/$p" --version 2>&1)" || true
  [ "$said" = "$p $version" ] || { echo "$p --version: '$said', expected '$p $version'"; status=1; }
done
changelog="$(gzip -dc "$root/usr/share/doc/brelvo/changelog.gz" | head -1)"
package_version="$(dpkg-deb -f "$deb" Version)"
[ "$changelog" = "${changelog/($package_version)/}" ] &&
  { echo "the changelog starts '$changelog', the package is $package_version"; status=1; }

for f in usr/bin/brelvo usr/bin/brelvo-launcher usr/bin/brelvo-cli \
  usr/share/applications/brelvo.desktop usr/share/applications/brelvo-launcher.desktop \
  usr/share/icons/hicolor/scalable/apps/brelvo.svg usr/share/metainfo/org.brelvo.brelvo.metainfo.xml \
  usr/share/man/man1/brelvo-cli.1.gz usr/share/man/man1/brelvo.1.gz \
  usr/share/man/man1/brelvo-launcher.1.gz usr/share/bash-completion/completions/brelvo-cli \
  usr/share/brelvo/brelvo-cli.schema.json \
  usr/share/doc/brelvo/copyright usr/share/doc/brelvo/changelog.gz; do
  [ -f "$root/$f" ] || { echo "missing from the package: /$f"; status=1; }
done
stray="$(cd "$root" && find . -type f | sed 's|^\./||' | {
  grep -v -E '^usr/bin/brelvo(-cli|-launcher)?$|^usr/share/(applications|icons/hicolor|metainfo|man/man1|bash-completion/completions|brelvo|doc/brelvo)/' || true
})"
[ -z "$stray" ] || { echo "files that do not belong in the package:"; echo "$stray"; status=1; }

depends="$(dpkg-deb -f "$deb" Depends)"
names="$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')"
for p in libqt6widgets6 libqt6multimedia6 libqt6multimediawidgets6 libqt6svg6 \
  gstreamer1.0-plugins-good gstreamer1.0-libav libstdc++6; do
  grep -q -x -F "$p" <<<"$names" || { echo "Depends lacks $p: $depends"; status=1; }
done
[ $status -eq 0 ] && echo "$(basename "$deb") ok; Depends: $depends"
exit $status
