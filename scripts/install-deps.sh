#!/usr/bin/env bash
# Installs every Debian package the project needs; does nothing when all are present.
set -euo pipefail

packages=(
    cmake g++ pkg-config ninja-build ccache
    qt6-base-dev qt6-serialport-dev
    qt6-l10n-tools qt6-tools-dev  # lupdate, lrelease and their CMake package
    qt6-translations-l10n  # Qt's own buttons in Japanese
    qt6-httpserver-dev qt6-websockets-dev nlohmann-json3-dev libqrencode-dev
    libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
    libopenal-dev libsdl2-dev libjpeg62-turbo-dev libsndfile1-dev
    libgtest-dev libbenchmark-dev
    libfontconfig-dev fonts-ipafont-gothic fonts-dejavu-core xvfb xauth espeak-ng
    clang libclang-rt-14-dev locales
    chromium
)
# Installing and packaging: icons drawn from the SVG, the checks of the install
# tree (desktop entry, metadata, manual pages) and the Debian package's tools.
packages+=(librsvg2-bin desktop-file-utils appstream man-db groff-base dpkg-dev lintian)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
