#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need; does nothing when all are present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libsdl2-mixer-dev libpugixml-dev libicu-dev zlib1g-dev
  libpng-dev libgif-dev libjpeg62-turbo-dev
  libcairo2-dev libpango1.0-dev fonts-dejavu-core fonts-linuxlibertine
  libfluidsynth-dev fluid-soundfont-gm libvorbis-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)
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
