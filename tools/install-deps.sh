#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its asset builder and its tests need, if missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libsdl2-ttf-dev libassimp-dev libfluidsynth-dev libfontconfig-dev zlib1g-dev
  libgl-dev libgl1-mesa-dri timgm6mb-soundfont fonts-vlgothic fonts-motoya-l-maruberi
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick xdotool sox
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
