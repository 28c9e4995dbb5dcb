#!/bin/sh
# Runs button_demo under Wine with a private Xvfb display and saves its picture
# as a PNG.  Usage: tests/controls/screenshot_demo.sh <build-dir> <out.png>
set -eu
BUILD=$(cd "$1" && pwd)
OUT=$2
. "$(dirname "$0")/../../scripts/wine-env.sh"
"$WINE" "$BUILD/bin/button_demo.exe" "$BUILD/button_demo.bmp" </dev/null
convert "$BUILD/button_demo.bmp" "$OUT"
