#!/bin/sh
# Runs one Windows program under Wine for ctest (the cross build's emulator)
# and, when it fails, says why: its exit code and Wine's own messages for this
# process.  Wine's error channel goes to a log of its own, so a passing test's
# output stays clean; the log is printed only on failure.  A failure that
# printed nothing at all is run once more with exception and loader traces;
# that second run only explains, its result never replaces the first one.
# Usage: scripts/wine-run.sh <program.exe> [arguments]
WINE=${VOREL_WINE:-/usr/lib/wine/wine64}
# Wine needs a few fixed addresses, among them the shared user data page at
# 0x7ffe0000.  With address space randomization, about one process start in a
# thousand found that address taken and died at once, before printing
# anything ("failed to map the shared user data: c0000018", exit code 1).
# Without randomization the layout is the same every time.
NORANDOM="setarch $(uname -m) -R"
dir=$(mktemp -d "${TMPDIR:-/tmp}/wine-run.XXXXXX") || exit 125
trap 'rm -rf "$dir"' EXIT
# ctest's timeout ends the runner: show what the program had said by then.
trap 'cat "$dir/out"; echo "wine-run: stopped by a signal; Wine said:" >&2; cat "$dir/wine" >&2; exit 143' TERM INT

WINEDEBUG=-all,err+all $NORANDOM "$WINE" "$@" >"$dir/out" 2>"$dir/wine" </dev/null
code=$?
cat "$dir/out"
[ "$code" -eq 0 ] && exit 0

{
  echo "wine-run: $1 ended with exit code $code (a Windows exit code or status, low 8 bits)"
  if [ -s "$dir/wine" ]; then
    echo "wine-run: Wine's messages for this process (error channel and the program's own stderr):"
    cat "$dir/wine"
  else
    echo "wine-run: Wine reported no error for this process"
  fi
  if [ ! -s "$dir/out" ]; then
    echo "wine-run: it printed nothing; running it once more with WINEDEBUG=+seh,+err,+loaddll,+process to show where it stops (the failure above stands):"
    WINEDEBUG=+seh,+err,+loaddll,+process $NORANDOM "$WINE" "$@" >"$dir/out2" 2>"$dir/trace" </dev/null
    echo "wine-run: the traced run ended with exit code $?; its output:"
    cat "$dir/out2"
    echo "wine-run: its trace (last 200 lines):"
    tail -n 200 "$dir/trace"
  fi
} >&2
exit "$code"
