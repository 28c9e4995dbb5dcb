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
[ -d web/tests/node_modules/playwright-core ] || (cd web/tests && npm ci --no-audit --no-fund)
VOREL_WEB_DIR="$PWD/build/wasm/page" VOREL_CONVERT="$PWD/$native/bin/vorel-convert" \
  node web/tests/page_test.mjs
