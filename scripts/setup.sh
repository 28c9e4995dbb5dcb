#!/bin/bash
# Installs what Vorel needs to build and test on Debian 12 (idempotent).
# Usage: scripts/setup.sh [minimal]   (minimal: only the native toolchain)
set -euo pipefail
native=(g++ cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev)
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth xdotool
         imagemagick fonts-noto-cjk)
extra=(clang libclang-rt-14-dev python3)
# The web page: Emscripten (its tools run on whichever Node is installed and
# find Debian's JS modules through NODE_PATH=/usr/share/nodejs, set by the
# wasm preset), Chromium for the browser suite, npm unless a Node
# installation already brought its own.
web=(emscripten chromium)
command -v npm >/dev/null 2>&1 || web+=(npm)
pkgs=("${native[@]}")
if [ "${1:-}" != minimal ]; then pkgs+=("${windows[@]}" "${extra[@]}" "${web[@]}"); fi

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# playwright-core for the browser suite, at the version of the committed lock
# file; it drives Debian's /usr/bin/chromium and downloads no browser.
web_tests="$(cd "$(dirname "$0")/.." && pwd)/web/tests"
if [ "${1:-}" != minimal ] && [ ! -d "$web_tests/node_modules/playwright-core" ]; then
  (cd "$web_tests" && npm ci --no-audit --no-fund)
fi
