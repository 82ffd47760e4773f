#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the program and the tests need and the
# machine lacks. Safe to run again: it installs nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite qt6-qpa-plugins qt6-wayland libgl-dev
  libzip-dev libbenchmark-dev
  xvfb xauth xdotool xclip imagemagick fontconfig
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The whole interface is Chinese: bring a Chinese font when the machine has none.
if ! command -v fc-list >/dev/null 2>&1 || [ -z "$(fc-list :lang=zh 2>/dev/null)" ]; then
  missing+=(fonts-wqy-microhei)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
