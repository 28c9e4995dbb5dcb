#!/bin/bash
# Builds the packages and checks them as a user would get them: the man page
# lints clean; lintian finds no errors or warnings in the .deb; the converter
# unpacked from the .deb and from the tarball, and installed by dpkg into a
# throwaway root, run from anywhere, finds its language pack and writes exactly
# what the build tree's converter writes; the Windows zips hold the flat
# folder, their programs import only system DLLs, and under Wine the unpacked
# vorel-convert.exe matches the native output and the unpacked vorel.exe
# starts and closes; the web page's zip holds the page's four files alone, and
# the unzipped page, opened from file:// in headless Chromium, downloads what
# the native converter writes and loads nothing but its own files.
# Usage: scripts/package-test.sh   (builds the packages itself: quick when every
# preset is built already)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
PKG=$ROOT/build/packages
WORK=$(mktemp -d /tmp/vorel-package-test-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

rm -rf "$PKG"
bash scripts/package.sh
VERSION=$(sed -n 's/^project(Vorel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$VERSION" ] || fail "no version in CMakeLists.txt"
DEB=$PKG/vorel_${VERSION}_amd64.deb
TGZ=$PKG/vorel-$VERSION-linux-x86_64.tar.gz
ZIP64=$PKG/vorel-$VERSION-windows-x86_64.zip
ZIP32=$PKG/vorel-$VERSION-windows-i686.zip
WEBZIP=$PKG/vorel-web-$VERSION.zip
for f in "$DEB" "$TGZ" "$ZIP64" "$ZIP32" "$WEBZIP"; do [ -s "$f" ] || fail "missing $f"; done

echo "=== man page"
lint=$(mandoc -T lint docs/vorel-convert.1 2>&1 || true)
[ -z "$lint" ] || fail "mandoc -T lint: $lint"

echo "=== lintian"
lintian --fail-on error,warning "$DEB" || fail "lintian reports errors or warnings"
dpkg-deb -f "$DEB" Depends | grep -q 'libc6' || fail "the .deb does not depend on libc6"

# The build tree's output is the reference.
SAMPLE=$ROOT/samples/sample.cpp
"$ROOT/build/native/bin/vorel-convert" --syntax C++ "$SAMPLE" >"$WORK/want.html"
grep -q 'color' "$WORK/want.html" || fail "the build tree's converter gave no coloured markup"

# Runs an unpacked converter from an unrelated directory, with no flags
# beyond the syntax and no VOREL_CONFIG_DIR, and compares its output.
check_unpacked() {  # check_unpacked <name> <path of vorel-convert>
  (cd "$WORK" && env -u VOREL_CONFIG_DIR "$2" --syntax C++ "$SAMPLE" >"$WORK/$1.html") ||
    fail "$1: vorel-convert failed"
  cmp "$WORK/want.html" "$WORK/$1.html" || fail "$1: output differs from the build tree's"
  [ "$("$2" --version)" = "vorel-convert $VERSION" ] || fail "$1: wrong --version"
}

echo "=== .deb unpacked"
dpkg-deb -x "$DEB" "$WORK/deb"
check_unpacked deb "$WORK/deb/usr/bin/vorel-convert"
for f in usr/share/vorel/config.ini usr/share/vorel/option.ini usr/share/vorel/keywords/cpp1.txt \
         usr/share/man/man1/vorel-convert.1.gz usr/share/doc/vorel/copyright; do
  [ -f "$WORK/deb/$f" ] || fail ".deb lacks /$f"
done
lint=$(mandoc -T lint "$WORK/deb/usr/share/man/man1/vorel-convert.1.gz" 2>&1 || true)
[ -z "$lint" ] || fail "installed man page: $lint"

echo "=== .deb installed into a throwaway root"
# Its own dpkg database, so the machine's packages are never touched; the root
# has no libc6 registered, hence --force-depends.
DROOT=$WORK/droot
mkdir -p "$DROOT/var/lib/dpkg/info" "$DROOT/var/lib/dpkg/updates"
touch "$DROOT/var/lib/dpkg/status"
dpkg --root="$DROOT" --log=/dev/null --force-depends -i "$DEB" >/dev/null 2>&1 || fail "dpkg -i failed"
check_unpacked dpkg-root "$DROOT/usr/bin/vorel-convert"
dpkg --root="$DROOT" --log=/dev/null --purge vorel >/dev/null 2>&1 || fail "dpkg --purge failed"
left=$(cd "$DROOT" && find . -type f ! -path './var/*' | head -5)
[ -z "$left" ] || fail "files left after purging: $left"

echo "=== tarball unpacked"
mkdir "$WORK/tgz"
tar -xzf "$TGZ" -C "$WORK/tgz"
TOP=$WORK/tgz/vorel-$VERSION-linux-x86_64
check_unpacked tgz "$TOP/bin/vorel-convert"
# The lookup order, seen from outside: the variable wins, and without any
# pack the error names every place tried.
mv "$TOP/share/vorel" "$WORK/pack"
out=$(cd "$WORK" && VOREL_CONFIG_DIR="$WORK/pack" "$TOP/bin/vorel-convert" --syntax C++ "$SAMPLE") ||
  fail "VOREL_CONFIG_DIR not used"
[ "$out" = "$(cat "$WORK/want.html")" ] || fail "VOREL_CONFIG_DIR: output differs"
status=0
(cd "$WORK" && env -u VOREL_CONFIG_DIR "$TOP/bin/vorel-convert" --syntax C++ "$SAMPLE" >/dev/null 2>"$WORK/err") ||
  status=$?
[ "$status" = 1 ] || fail "a missing pack gave status $status, not 1"
grep -qF "$TOP/bin/" "$WORK/err" && grep -qF "$TOP/share/vorel/" "$WORK/err" ||
  fail "the missing-pack message does not name the places tried: $(cat "$WORK/err")"

echo "=== Windows zips"
for arch in x86_64 i686; do
  zip=$PKG/vorel-$VERSION-windows-$arch.zip
  unzip -q "$zip" -d "$WORK/win-$arch"
  dir=$WORK/win-$arch/vorel-$VERSION-windows-$arch
  (cd "$dir" && find . -mindepth 1 -maxdepth 1 | sort | tr '\n' ' ') >"$WORK/listing"
  [ "$(cat "$WORK/listing")" = "./LICENSE.txt ./README.md ./config.ini ./keywords ./option.ini ./vorel-convert.exe ./vorel.exe " ] ||
    fail "$arch zip holds: $(cat "$WORK/listing")"
  # Programs that run from a folder on any PC import nothing but Windows' own DLLs.
  for exe in vorel.exe vorel-convert.exe; do
    "$arch-w64-mingw32-objdump" -p "$dir/$exe" | sed -n 's/^\tDLL Name: //p' >"$WORK/dlls"
    [ -s "$WORK/dlls" ] || fail "$arch $exe: no imports found"
    if grep -viE '^(kernel32|user32|gdi32|comdlg32|comctl32|shell32|shlwapi|advapi32|ole32|msvcrt)\.dll$' \
         "$WORK/dlls"; then
      fail "$arch $exe imports DLLs that are not part of Windows (above)"
    fi
  done
done

echo "=== Windows x86_64 under Wine"
WIN=$WORK/win-x86_64/vorel-$VERSION-windows-x86_64
MINGW=$ROOT/build/mingw-x86_64
export WINEPREFIX=$MINGW/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sh scripts/smoke-ui.sh --app "$WIN" "$MINGW"  # also makes the Wine prefix when there is none
(cd "$WORK" && /usr/lib/wine/wine64 "$WIN/vorel-convert.exe" --syntax C++ "Z:$SAMPLE" >"$WORK/wine.html") ||
  fail "vorel-convert.exe failed under Wine"
/usr/lib/wine/wineserver -k 2>/dev/null || true
cmp "$WORK/want.html" "$WORK/wine.html" || fail "vorel-convert.exe output differs from the native output"

echo "=== web page zip"
listing=$(unzip -Z1 "$WEBZIP" | sort | tr '\n' ' ')
[ "$listing" = "vorel-web/ vorel-web/app.js vorel-web/bbcode.js vorel-web/index.html vorel-web/style.css vorel-web/vorel-engine.js " ] ||
  fail "the web zip holds: $listing"
unzip -q "$WEBZIP" -d "$WORK/web"
bash "$ROOT/scripts/node-deps.sh"
node web/tests/zip_smoke.mjs "$WORK/web/vorel-web" "$ROOT/build/native/bin/vorel-convert" ||
  fail "the page unzipped from $(basename "$WEBZIP") does not work"

echo "=== packages"
(cd "$PKG" && ls -l vorel*)
echo "package-test: ok"
