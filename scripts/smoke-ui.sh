#!/bin/sh
# Starts vorel.exe under Wine on a private Xvfb display and drives it as a user
# would with xdotool: drop a UTF-8 file and a plain one on it from outside
# and save each through the context menu, type a C snippet, convert it from
# the editor's context menu, close the result dialog and the program.  Fails unless the program
# ends by itself with exit code 0 and has written its options into option.ini
# (after the conversion, so not into config.ini).
# With a second argument, saves screenshots of the main window and the result
# dialog there (main-window.png, result-dialog.png).
# With --app, runs the program folder DIR (an unpacked zip, say) instead of
# the build's bin/; the build directory still holds the Wine prefix.
# Usage: scripts/smoke-ui.sh [--app DIR] <build-dir> [screenshot-dir]
set -eu
APP=
if [ "${1:-}" = --app ]; then APP=$(cd "$2" && pwd); shift 2; fi
BUILD=$(cd "$1" && pwd)
APP=${APP:-$BUILD/bin}
SHOTS=${2:-}
[ -n "$SHOTS" ] && SHOTS=$(mkdir -p "$SHOTS" && cd "$SHOTS" && pwd)

WORK=$(mktemp -d)
SCREEN=1024x768x24 CLEANUP='rm -rf "$WORK"'
. "$(dirname "$0")/wine-env.sh"
# Keep the desktop up for the whole run (see wine-test.sh).
mkfifo "$WORK/desktop-holder"
"$WINE" cmd /q /k <>"$WORK/desktop-holder" >/dev/null 2>&1 &

# A copy of the program with the shipped language pack, so bin/option.ini stays as it is.
cp "$APP/vorel.exe" "$WORK/"
cp -r "$APP/config.ini" "$APP/keywords" "$WORK/"
# The "C" syntax: its index in the list, which sorts the names case-insensitively.
TYPE=$(grep '^\[' "$WORK/config.ini" | tr -d '[]\r' | LC_ALL=C sort -f | grep -nx 'C' | cut -d: -f1)
TYPE=$(( ${TYPE:-1} - 1 ))
# Written with leading zeros, which the program reads as the same numbers but
# never writes: after the run the file must hold the program's own lines.
printf '[option]\r\ntype=0%s\r\nhtml=01\r\nlinenumber=01\r\nlinenumber_start=01\r\n' "$TYPE" >"$WORK/option.ini"
CONFIG_SUM=$(md5sum <"$WORK/config.ini")

# No address space randomization, as in wine-run.sh.
(cd "$WORK" && setarch "$(uname -m)" -R "$WINE" vorel.exe >/dev/null 2>&1; echo $? >"$WORK/exit-code") &

MAIN=$(xdotool search --sync --onlyvisible --limit 1 --class vorel.exe)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MX=$X MY=$Y MW=$WIDTH MH=$HEIGHT
CX=$((MX + MW / 2)) CY=$((MY + MH / 2))

shot() {  # shot <file> <x> <y> <w> <h>
    [ -n "$SHOTS" ] || return 0
    import -window root -crop "$4x$5+$2+$3" +repage "$SHOTS/$1"
}

# A real drop from outside: one file dragged onto the window over the X drag
# and drop protocol, as a file manager sends it.  Then the context menu's Save
# (its S key) writes the editor's text, which must be the file's bytes.  First
# a UTF-8 file with characters Big5 lacks, then a plain one (which the
# screenshots show).
cc -O1 -o "$WORK/xdnd-drop" "$(dirname "$0")/xdnd-drop.c" -lX11
drop_and_save() {  # drop_and_save <file> <saved file>
    "$WORK/xdnd-drop" "$MAIN" "$CX" "$CY" "$1" || { echo "smoke-ui: the drop of $1 failed" >&2; exit 1; }
    sleep 1
    xdotool mousemove "$CX" "$CY" click 3
    sleep 1
    xdotool key s
    sleep 2
    xdotool type --delay 15 "Z:$(printf '%s' "$2" | tr / '\\')"
    xdotool key Return
    for _ in $(seq 50); do [ -s "$2" ] && break; sleep 0.2; done
    cmp "$1" "$2" || { echo "smoke-ui: $1 is not in the editor as it is on disk" >&2; exit 1; }
}
# 这 (simplified Chinese), 한, é and an emoji, in UTF-8.
printf '// \350\277\231 \355\225\234 caf\303\251 \360\237\230\200\r\nint utf8 = 1;\r\n' >"$WORK/utf8.c"
drop_and_save "$WORK/utf8.c" "$WORK/utf8-saved.html"
printf '/* dropped.c */\r\nint dropped = 1;\r\n' >"$WORK/dropped.c"
drop_and_save "$WORK/dropped.c" "$WORK/dropped-saved.html"

# The editor fills the middle of the window and has the focus at start.
xdotool mousemove "$CX" "$CY" click 1
# One line at a time: xdotool types a newline as Linefeed, which the editor ignores.
while IFS= read -r line; do
    xdotool type --delay 15 -- "$line"
    xdotool key Return
done <<'SNIPPET'
/* hello.c: counts words */
#include <stdio.h>

int main(void)
{
    int words = 0; // none yet
    printf("%d words\n", words);
    return 0;
}
SNIPPET
sleep 1
shot main-window.png "$MX" "$MY" "$MW" "$MH"

# Context menu at the pointer; its first item converts.
xdotool mousemove "$CX" "$CY" click 3
sleep 1
xdotool key Down Return

RESULT=
for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --class vorel.exe 2>/dev/null); do
        [ "$w" != "$MAIN" ] && RESULT=$w
    done
    [ -n "$RESULT" ] && break
    sleep 0.2
done
[ -n "$RESULT" ] || { echo "smoke-ui: no result dialog" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$RESULT")"
shot result-dialog.png "$X" "$Y" "$WIDTH" "$HEIGHT"

xdotool key alt+F4          # the result dialog
sleep 1
xdotool mousemove "$CX" "$CY" click 1
xdotool key alt+F4          # the main window
for _ in $(seq 100); do [ -f "$WORK/exit-code" ] && break; sleep 0.2; done
[ "$(cat "$WORK/exit-code" 2>/dev/null)" = 0 ] || { echo "smoke-ui: program did not end with 0" >&2; exit 1; }
# The options are saved after a conversion: in option.ini, not config.ini.
for line in "type=$TYPE" html=1 linenumber=1 linenumber_start=1; do
    tr -d '\r' <"$WORK/option.ini" | grep -qx "$line" ||
        { echo "smoke-ui: option.ini lacks $line:" >&2; cat "$WORK/option.ini" >&2; exit 1; }
done
[ "$(md5sum <"$WORK/config.ini")" = "$CONFIG_SUM" ] || { echo "smoke-ui: config.ini was changed" >&2; exit 1; }
echo "smoke-ui: ok"
