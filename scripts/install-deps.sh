#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, only when missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config make git
  libgtest-dev libgmock-dev googletest
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libepoxy-dev libx11-dev libxtst-dev libgl-dev libegl-dev libgl1-mesa-dri
  libstb-dev libvorbis-dev libogg-dev
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins
  fonts-liberation2
  xvfb xauth procps mesa-utils
  xdg-utils
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
