#!/bin/bash
# Installs what Vorel needs to build and test on Debian 12 (idempotent).
# Usage: scripts/setup.sh [minimal]   (minimal: only the native toolchain)
set -euo pipefail
native=(g++ cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev)
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth xdotool
         imagemagick fonts-noto-cjk)
extra=(clang libclang-rt-14-dev python3)
pkgs=("${native[@]}")
if [ "${1:-}" != minimal ]; then pkgs+=("${windows[@]}" "${extra[@]}"); fi

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

# The forum suite's BBCode libraries (tests/forum), pinned by its package-lock.json.
if [ "${1:-}" != minimal ]; then
  if ! command -v npm >/dev/null; then
    SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends nodejs npm
  fi
  forum="$(dirname "$0")/../tests/forum"
  if [ ! "$forum/node_modules/.package-lock.json" -nt "$forum/package-lock.json" ]; then
    echo "setup: npm ci in tests/forum"
    (cd "$forum" && npm ci --no-audit --no-fund --loglevel=error)
  fi
fi
