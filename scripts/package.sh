#!/usr/bin/env bash
# Builds the Debian package of tovra from a release build and checks it with
# lintian:  scripts/package.sh [BUILD_DIR]   (default: build, as ./run.sh uses)
# The package lands in BUILD_DIR as tovra_<version>_<arch>.deb; install it with
#   sudo apt install ./BUILD_DIR/tovra_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
./scripts/install-deps.sh
./scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRA_TESTS=OFF
rm -f "$dir"/tovra_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/tovra_*.deb)
echo "package.sh: $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --field "$deb" Depends Suggests
# lintian fails on an error; warnings and notes are shown.
lintian --info --display-info "$deb"
echo "package.sh: lintian found no error"
