#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need, when missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins libqt6svg6 libgl-dev
  qt6-translations-l10n
  fonts-liberation fonts-comic-neue
  python3 python3-pil dpkg-dev desktop-file-utils
  librsvg2-bin
  xvfb xdotool x11-utils openbox imagemagick file tesseract-ocr tesseract-ocr-deu
  libbenchmark-dev
  chromium lintian python3-markdown poppler-utils
  libespeak-ng-dev espeak-ng-data libpulse-dev libsndfile1-dev pulseaudio pulseaudio-utils sox
  espeak-ng
  fonts-dejavu-core dbus at-spi2-core python3-pyatspi
  hyphen-de libhyphen-dev zlib1g-dev
  clang libclang-rt-14-dev appstream man-db
  orca speech-dispatcher speech-dispatcher-espeak-ng dbus-x11 libao4
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
