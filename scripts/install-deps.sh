#!/usr/bin/env bash
# Installs every package the build and the tests need. Quiet and quick when all is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  juce-modules-source robin-map-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libfreetype-dev libfontconfig1-dev libpng-dev libjpeg-dev zlib1g-dev
  libflac-dev libvorbis-dev libogg-dev
  groff xvfb xauth
  libasound2-dev libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libxcomposite-dev libxtst-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
