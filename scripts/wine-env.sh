# Sourced (sh) by every script that runs the Windows build: a private Xvfb
# display, the build's own Wine prefix (made once, about 15 s) and one
# persistent wineserver, all stopped when the script exits.
# Set before sourcing: BUILD (the MinGW build folder; its wineprefix is used);
# optionally SCREEN (default 1280x1024x24), XVFB_LOG (default /dev/null) and
# CLEANUP (more commands for the exit trap).
# Sets: WINE, WINESERVER, WINEPREFIX, DISPLAY, XVFB_PID.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_TW.UTF-8
VOREL_DISPLAY_FILE=$(mktemp "${TMPDIR:-/tmp}/vorel-xvfb.XXXXXX")
Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp 3>"$VOREL_DISPLAY_FILE" 2>"${XVFB_LOG:-/dev/null}" &
XVFB_PID=$!
trap '"$WINESERVER" -k 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true; rm -f "$VOREL_DISPLAY_FILE"; '"${CLEANUP:-:}" EXIT
while [ ! -s "$VOREL_DISPLAY_FILE" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$VOREL_DISPLAY_FILE")"
if [ ! -f "$WINEPREFIX/.ready" ]; then
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v PMingLiU /d 'Noto Sans CJK TC' /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$WINEPREFIX/.ready"
fi
"$WINESERVER" -p                                  # keep one server for every program run
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null    # pre-start Wine services, output detached
