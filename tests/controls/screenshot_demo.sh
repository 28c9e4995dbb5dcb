#!/bin/sh
# Runs button_demo under Wine with a private Xvfb display and saves its picture
# as a PNG.  Usage: tests/controls/screenshot_demo.sh <build-dir> <out.png>
set -eu
BUILD=$(cd "$1" && pwd)
OUT=$2
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_TW.UTF-8
[ -f "$WINEPREFIX/.ready" ] || { echo "run scripts/wine-test.sh on $BUILD once first" >&2; exit 1; }
rm -f "$BUILD/demo-xvfb.display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$BUILD/demo-xvfb.display" 2>/dev/null &
XVFB_PID=$!
trap '"$WINESERVER" -k 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true' EXIT
while [ ! -s "$BUILD/demo-xvfb.display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$BUILD/demo-xvfb.display")"
"$WINE" "$BUILD/bin/button_demo.exe" "$BUILD/button_demo.bmp" </dev/null
convert "$BUILD/button_demo.bmp" "$OUT"
