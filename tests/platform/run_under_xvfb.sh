#!/bin/sh
# Runs a test program against an X server of its own: starts Xvfb on a free
# display, runs "$@" there on Qt's xcb platform, and stops the server again.
# Exits 77, which CTest reports as skipped, when no X server can be started.
set -u

skip() {
    echo "SKIPPED: $1"
    exit 77
}

command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed (the xvfb package)"

work=$(mktemp -d) || skip "cannot make a temporary folder for Xvfb"
xvfb=
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
    fi
    xvfb=
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it accepts
# connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!

tries=0
while ! grep -q '[0-9]' "$work/display" 2>/dev/null; do
    if ! kill -0 "$xvfb" 2>/dev/null; then
        xvfb=
        cat "$work/xvfb.log"
        skip "Xvfb could not start"
    fi
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || skip "Xvfb gave no display within 10 seconds"
    sleep 0.1
done

DISPLAY=":$(tr -dc 0-9 <"$work/display")" QT_QPA_PLATFORM=xcb "$@"
status=$?
cleanup
exit "$status"
