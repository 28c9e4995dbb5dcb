#!/bin/bash
# Builds every preset and runs every test: native, the browser suites (headless
# Chromium: HTML output and the web page), sanitizers, Windows x86_64 under
# Wine, the 32-bit Windows build (compile and link only), and the packages
# built from them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
echo "=== format"
bash scripts/check-format.sh

for preset in native sanitize mingw-x86_64 mingw-i686; do
  echo "=== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "=== test: native"
ctest --preset native -j "$jobs"
echo "=== accuracy against Pygments (floors: bench/accuracy/floors.txt)"
/usr/bin/python3 bench/accuracy/accuracy.py check --top 3
echo "=== test: browser (headless Chromium)"
ctest --preset browser -j "$jobs"
echo "=== test: web page (wasm preset) in headless Chromium"
bash scripts/web-test.sh build/native
echo "=== test: sanitize"
ctest --preset sanitize -j "$jobs"
echo "=== test: mingw-x86_64 under Wine"
sh scripts/wine-test.sh build/mingw-x86_64 -j "$jobs"
echo "=== packages: build, lintian, unpack and run"
bash scripts/package-test.sh
if [ -x scripts/fuzz-smoke.sh ]; then
  echo "=== fuzz (short runs)"
  bash scripts/fuzz-smoke.sh
fi
echo "=== all tests passed"
