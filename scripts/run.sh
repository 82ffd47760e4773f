#!/usr/bin/env bash
# Installs what is missing, builds the program with its application folder, and starts it on
# build/app/. The first build gives build/app a demo knowledge base; later builds never touch it.
# Tests and benchmarks are left to scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "没有图形桌面，请在桌面会话中运行 / No display: run this from a desktop session (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target app_folder
exec build/app/TarkelFAQvuviri
