#!/bin/sh
# Takes the README's pictures of the Windows build: glyphsmith.exe under Wine
# on an Xvfb screen of its own, in a fresh Wine prefix, driven with xdotool
# and photographed with ImageMagick's import.
#
#   tools/windows_screenshots.sh FONT OUTPUT_FOLDER
#
# Writes OUTPUT_FOLDER/windows-overview.png and windows-letter.png.
set -eu

font=$1
out=$2
program=build/windows/src/app/glyphsmith.exe
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
[ -f "$program" ] || { echo "build $program first: make windows"; exit 1; }

work=$(mktemp -d)
xvfb=
cleanup() {
    WINEPREFIX="$work/prefix" "$(dirname "$wine")/wineserver" -k >/dev/null 2>&1 || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
while ! grep -q '[0-9]' "$work/display" 2>/dev/null; do sleep 0.1; done
export DISPLAY=":$(tr -dc 0-9 <"$work/display")"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

cp "$font" "$work/sample.wfn"
"$wine" "$program" "$work/sample.wfn" &
window=
for _ in $(seq 100); do
    window=$(xdotool search --name '^Glyphsmith \(' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the editor window did not appear"; exit 1; }
sleep 1
import -window "$window" "$out/windows-overview.png"

# Client pixels to screen pixels: Wine's standard dialog frame is 3 pixels
# wide, and its caption bar takes 19 more at the top.
eval "$(xdotool getwindowgeometry --shell "$window")"
frame=3
top=22
click() {
    xdotool mousemove $((X + frame + $1)) $((Y + top + $2)) click 1
    sleep 0.2
}

# Letter "A" (code 65): row 4, column 1 of the overview, whose cells are
# 16 x 20 pixels for the sample font.
click $((120 + 16 * 1 + 4)) $((32 + 20 * 4 + 4))
sleep 0.5
# A few pixels flipped in the enlarged letter, then the letter copied.
for x in 0 1 2; do click $((184 + 16 * x + 8)) $((32 + 8)); done
sleep 0.5
import -window "$window" "$out/windows-letter.png"
echo "wrote $out/windows-overview.png and $out/windows-letter.png"
