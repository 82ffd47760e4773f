#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on build/app/. The first build gives
# build/app a demo knowledge base; later builds never touch it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/app/TarkelFAQvuviri
