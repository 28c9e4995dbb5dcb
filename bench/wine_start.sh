#!/bin/sh
# Times Start in vorel.exe under Wine on 1, 20, 50 and 100 KB of C++ (CR LF), HTML,
# with a private Xvfb display; prints Start, keyword loading and conversion
# (from the result dialog) and the rest (reading the editor, replacing its text,
# opening the dialog).
# Usage: bench/wine_start.sh [MINGW_BUILD_DIR [ROUNDS]]   (default build/perf-mingw, 5)
# Needs: bench/make_corpus.sh run first, MinGW-w64, wine64, Xvfb.
set -eu
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build/perf-mingw}" && pwd)
ROUNDS=${2:-5}
CORPUS=build/bench-corpus/corpus-1mb.cpp
[ -f "$BUILD/bin/vorel.exe" ] || { echo "no $BUILD/bin/vorel.exe (cmake --build $BUILD --target vorel vorel_data)" >&2; exit 1; }
[ -f "$CORPUS" ] || { echo "no $CORPUS (bash bench/make_corpus.sh)" >&2; exit 1; }

WORK=$(mktemp -d /tmp/vorel-wine-XXXXXX)
mkdir -p "$WORK/app"
cp "$BUILD/bin/vorel.exe" "$BUILD/bin/config.ini" "$BUILD/bin/option.ini" "$WORK/app/"
cp -r "$BUILD/bin/keywords" "$WORK/app/"

# Whole lines of the corpus, CR LF, up to each size.
files=""
for kb in 1 20 50 100; do
  f="$WORK/cpp-${kb}kb.cpp"
  sed 's/$/\r/' "$CORPUS" | head -c $((kb * 1000)) > "$f.part"
  lines=$(tr -cd '\n' < "$f.part" | wc -c)
  sed 's/$/\r/' "$CORPUS" | head -n "$lines" > "$f"
  rm "$f.part"
  files="$files Z:$f"
done

x86_64-w64-mingw32-g++-posix -O2 -static -o "$WORK/wine_start_timing.exe" bench/wine_start_timing.cpp

XVFB_LOG="$WORK/xvfb.log"
. "$(dirname "$0")/../scripts/wine-env.sh"
# shellcheck disable=SC2086
"$WINE" "$WORK/wine_start_timing.exe" "Z:$WORK/app/vorel.exe" "$ROUNDS" $files
echo "files in $WORK"
