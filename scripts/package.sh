#!/bin/bash
# Builds the release packages into build/packages: the .deb and the .tar.gz
# from the native preset, one .zip per Windows architecture from the two MinGW
# presets, and the web page's zip from the wasm preset (scripts/web-zip.sh).
# Each preset is configured and built first (quick when it is built already).
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=$PWD/build/packages
mkdir -p "$OUT"
for preset in native mingw-x86_64 mingw-i686; do
  echo "=== package: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  (cd "build/$preset" && cpack -B "$OUT" >/dev/null)
done
echo "=== package: wasm (the web page)"
web_zip=$(bash scripts/web-zip.sh)
cp "$web_zip" "$OUT/"
rm -rf "$OUT/_CPack_Packages"
ls -l "$OUT"
