#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the program and the tests need and the
# machine lacks. Safe to run again: it installs nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite qt6-qpa-plugins qt6-wayland qt6-translations-l10n libgl-dev
  libzip-dev libbenchmark-dev
  xvfb xauth xdotool xclip imagemagick fontconfig
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The whole interface is Chinese: bring a Chinese font when the machine has none.
if ! command -v fc-list >/dev/null 2>&1 || [ -z "$(fc-list :lang=zh 2>/dev/null)" ]; then
  missing+=(fonts-wqy-microhei)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

install_line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=(env)
elif command -v sudo >/dev/null 2>&1 && sudo -v 2>/dev/null; then
  as_root=(sudo)
else
  echo "缺少以下软件包，需要管理员安装 / These packages are missing and need an administrator: ${missing[*]}" >&2
  echo "请管理员运行 / Ask an administrator to run:  sudo sh -c '$install_line'" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
