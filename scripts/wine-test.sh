#!/bin/sh
# Runs a cross-compiled build's ctest under Wine with a private Xvfb display and
# one persistent wineserver.  Usage: scripts/wine-test.sh <build-dir> [ctest args]
set -eu
BUILD=$(cd "$1" && pwd); shift
XVFB_LOG="$BUILD/xvfb.log" CLEANUP='rm -f "$BUILD/desktop-holder"'
. "$(dirname "$0")/wine-env.sh"
# Keep one process on the desktop for the whole run.  Otherwise Wine closes the
# desktop (explorer.exe /desktop) about a second after each test process ends
# and the next one starts it again; on a busy machine the gaps between tests
# pass that second all the time, and a test that starts while the desktop is
# going away can die with it.  The idle cmd reads a pipe that never ends.
rm -f "$BUILD/desktop-holder"
mkfifo "$BUILD/desktop-holder"
"$WINE" cmd /q /k <>"$BUILD/desktop-holder" >/dev/null 2>&1 &
# Every test runs through scripts/wine-run.sh (the toolchain's emulator),
# which prints the exit code and Wine's messages of a test process that fails.
ctest --test-dir "$BUILD" --output-on-failure "$@"
