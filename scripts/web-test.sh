#!/bin/bash
# Builds the web page (wasm preset) and runs its browser suite in headless
# Chromium against the native vorel-convert.
# Usage: scripts/web-test.sh [NATIVE_BUILD_DIR]   (default build/native; built when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build/native}
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j "$(nproc)"
if [ ! -x "$native/bin/vorel-convert" ]; then
  cmake --preset native >/dev/null
  cmake --build "$native" -j "$(nproc)" --target vorel-convert
fi
cmake -S . -B "$native" -DVOREL_WEB_PAGE_DIR="$PWD/build/wasm/page" >/dev/null
bash scripts/node-deps.sh
ctest --test-dir "$native" -L web --output-on-failure
