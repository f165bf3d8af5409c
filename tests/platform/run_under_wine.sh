#!/bin/sh
# Runs the Windows programs' tests under Wine: cross-builds them with the
# `windows` preset (mingw-w64), then, on an X server of its own (Xvfb) and in a
# fresh Wine prefix in a temporary folder, runs the Win32 backend's contract
# suite, the font and converter tests, and the editor session of the real
# glyphsmith.exe, whose saved files must equal what the Linux build writes.
#
#   run_under_wine.sh SOURCE_DIR EXPECTED_WRITER
#
# EXPECTED_WRITER is the Linux program that writes the session's expected
# files. Exits 77, which CTest reports as skipped, with the reason when the
# cross compiler, Wine or Xvfb is missing or cannot start; a build or test
# failure fails.
set -u

skip() {
    echo "SKIPPED: $1"
    exit 77
}

source_dir=$1
expected_writer=$2

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 \
    || skip "the mingw-w64 cross compiler is not installed (g++-mingw-w64-x86-64-posix)"
wine=
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
        wine=$candidate
        break
    fi
done
[ -n "$wine" ] || skip "wine64 is not installed (the wine64 package)"
command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed (the xvfb package)"

started=$(date +%s)
cd "$source_dir" || exit 1
if [ ! -f build/windows/build.ninja ]; then
    cmake --preset windows >build-windows-configure.log 2>&1 || {
        cat build-windows-configure.log; rm -f build-windows-configure.log; echo "FAILED: configuring the windows preset"; exit 1; }
    rm -f build-windows-configure.log
fi
cmake --build --preset windows --target win32_platform_tests font_tests tools_tests glyphsmith glyphsmith-convert \
    windows_session_driver || { echo "FAILED: building the Windows programs"; exit 1; }
built=$(date +%s)
echo "Windows build: $((built - started)) s"

work=$(mktemp -d) || skip "cannot make a temporary folder"
xvfb=
cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        WINEPREFIX=$WINEPREFIX "$(dirname "$wine")/wineserver" -k >/dev/null 2>&1
    fi
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
    fi
    xvfb=
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

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
export DISPLAY=":$(tr -dc 0-9 <"$work/display")"
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Without a window manager Wine would wait two seconds for each window it
# hides; unmanaged windows need no such wait.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$work/wineboot.log" 2>&1 \
    || { cat "$work/wineboot.log"; skip "Wine could not start a prefix"; }
echo "Wine prefix: $(($(date +%s) - built)) s"

failed=
run() {
    name=$1
    shift
    echo "== $name"
    if ! "$wine" "$@"; then
        failed="$failed $name"
    fi
}

run contract build/windows/tests/platform/win32_platform_tests.exe
run font build/windows/tests/font/font_tests.exe
run converter build/windows/tests/tools/tools_tests.exe

mkdir -p "$work/session/windows" "$work/session/linux"
cp examples/sample.wfn "$work/session/windows/start.wfn"
run session build/windows/tests/app/windows_session_driver.exe build/windows/src/app/glyphsmith.exe \
    "$work/session/windows/start.wfn"
if "$expected_writer" examples/sample.wfn "$work/session/linux"; then
    for name in edited.wfn edited.0 edited.bmp; do
        if ! cmp "$work/session/linux/$name" "$work/session/windows/$name"; then
            echo "$name saved by glyphsmith.exe differs from the Linux build's"
            failed="$failed session-$name"
        fi
    done
else
    failed="$failed expected-files"
fi

echo "Under Wine: $(($(date +%s) - built)) s"
if [ -n "$failed" ]; then
    echo "FAILED:$failed"
    exit 1
fi
exit 0
