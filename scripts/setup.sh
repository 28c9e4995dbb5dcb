#!/bin/bash
# Installs what Vorel needs to build and test on Debian 12 (idempotent).
# Usage: scripts/setup.sh [minimal]   (minimal: only the native toolchain)
set -euo pipefail
native=(g++ cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev)
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth xdotool
         imagemagick fonts-noto-cjk libx11-dev)
extra=(clang clang-format libclang-rt-14-dev python3 python3-pygments)
browser=(chromium)  # the browser suites' Chromium; Node.js and npm come with the machine
# Packages and their checks: CPack's .deb needs dpkg-shlibdeps and file.
packaging=(dpkg-dev file lintian mandoc zip unzip)
# The web page: Emscripten (its tools run on whichever Node is installed and
# find Debian's JS modules through NODE_PATH=/usr/share/nodejs, set by the
# wasm preset).
web=(emscripten)
pkgs=("${native[@]}")
if [ "${1:-}" != minimal ]; then
  pkgs+=("${windows[@]}" "${extra[@]}" "${browser[@]}" "${packaging[@]}" "${web[@]}")
  command -v node >/dev/null && command -v npm >/dev/null || pkgs+=(nodejs npm)
fi

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

# The Node packages of every JavaScript suite, exactly as package-lock.json has
# them (playwright-core drives Debian's /usr/bin/chromium and downloads no
# browser; the BBCode libraries render the UBB).
if [ "${1:-}" != minimal ]; then
  bash "$(dirname "$0")/node-deps.sh"
  # The accuracy harness's corpus: real files of Debian and npm packages, unpacked
  # under build/accuracy (not installed).
  /usr/bin/python3 "$(cd "$(dirname "$0")/.." && pwd)/bench/accuracy/accuracy.py" fetch
fi
