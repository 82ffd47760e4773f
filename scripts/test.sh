#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; then builds again with AddressSanitizer
# and UndefinedBehaviorSanitizer and runs every test once more. FAQ_SKIP_SANITIZE=1 skips that.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${FAQ_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFAQ_SANITIZE=ON -DFAQ_BENCH=OFF
  cmake --build build-asan -j "$jobs"
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi
