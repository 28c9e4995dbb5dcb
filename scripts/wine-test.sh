#!/bin/sh
# Runs a cross-compiled build's ctest under Wine with a private Xvfb display and
# one persistent wineserver.  Usage: scripts/wine-test.sh <build-dir> [ctest args]
set -eu
BUILD=$(cd "$1" && pwd); shift
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_TW.UTF-8
rm -f "$BUILD/xvfb.display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$BUILD/xvfb.display" 2>"$BUILD/xvfb.log" &
XVFB_PID=$!
trap '"$WINESERVER" -k 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true; rm -f "$BUILD/desktop-holder"' EXIT
while [ ! -s "$BUILD/xvfb.display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$BUILD/xvfb.display")"
if [ ! -f "$WINEPREFIX/.ready" ]; then                     # one-time, about 15 s
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v PMingLiU /d 'Noto Sans CJK TC' /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.ready"
fi
"$WINESERVER" -p                                  # keep one server for all tests
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null    # pre-start Wine services, output detached
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
