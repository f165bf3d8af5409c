#!/bin/sh
# Runs the Windows programs' tests under Wine: cross-builds them with the
# `windows` preset (mingw-w64), then, on an X server of its own
# (run_under_xvfb.sh) and in a fresh Wine prefix in a temporary folder, runs
# the Win32 backend's contract suite, the font, font-file and converter
# tests, and the editing session of the real glyphsmith.exe, whose saved
# files must equal what the Linux build writes for the same edits.
#
#   run_under_wine.sh SOURCE_DIR EXPECTED_WRITER LINUX_CONVERTER
#
# EXPECTED_WRITER is the Linux program that writes the session's expected
# files; LINUX_CONVERTER, the Linux glyphsmith-convert, imports DejaVu Sans
# and Wine's MS Sans Serif (.fon) through FreeType for the GDI import to be
# compared with. Exits 77, which
# CTest reports as skipped, with the reason when the cross compiler, Wine or
# Xvfb is missing or cannot start; a build or test failure fails.
set -u

skip() {
    echo "SKIPPED: $1"
    exit 77
}

here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --on-display ]; then
    command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 \
        || skip "the mingw-w64 cross compiler is not installed (g++-mingw-w64-x86-64-posix)"
    [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null 2>&1 \
        || skip "wine64 is not installed (the wine64 package)"
    started=$(date +%s)
    cd "$1" || exit 1
    [ -f build/windows/build.ninja ] || cmake --preset windows || { echo "FAILED: configuring the windows preset"; exit 1; }
    cmake --build --preset windows --target win32_platform_tests font_tests fontfile_tests gamedata_tests tools_tests glyphsmith \
        glyphsmith-convert windows_session_driver || { echo "FAILED: building the Windows programs"; exit 1; }
    echo "Windows build: $(($(date +%s) - started)) s"
    exec sh "$here/run_under_xvfb.sh" sh "$0" --on-display "$1" "$2" "$3"
fi

source_dir=$2
expected_writer=$3
linux_converter=$4
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
cd "$source_dir" || exit 1
work=$(mktemp -d) || skip "cannot make a temporary folder"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$(dirname "$wine")/wineserver" -k >/dev/null 2>&1; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

started=$(date +%s)
# Without a window manager Wine would wait two seconds for each window it
# hides; unmanaged windows need no such wait.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$work/wine.log" 2>&1 \
    || { cat "$work/wine.log"; skip "Wine could not start a prefix"; }

failed=
run() {
    name=$1
    shift
    echo "== $name"
    "$wine" "$@" || failed="$failed $name"
}
run contract build/windows/tests/platform/win32_platform_tests.exe
run font build/windows/tests/font/font_tests.exe
mkdir -p "$work/windows" "$work/linux"
"$linux_converter" --font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 "$work/linux/dejavu13.wfn" \
    && "$linux_converter" --font /usr/share/wine/fonts/sserife.fon 16 "$work/linux/sserife16.wfn" \
    || failed="$failed freetype-references"
export GLYPHSMITH_FREETYPE_REFERENCES="Z:$work/linux"
run font-file build/windows/tests/fontfile/fontfile_tests.exe
run converter build/windows/tests/tools/tools_tests.exe
run game-data build/windows/tests/gamedata/gamedata_tests.exe

# Both programs answer --version on the standard output, the editor too,
# though it is a GUI program.
version=$(sed -n 's/^project(Glyphsmith VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for program in src/app/glyphsmith tools/glyphsmith-convert; do
    name=${program##*/}
    echo "== $name --version"
    answer=$("$wine" "build/windows/$program.exe" --version | tr -d '\r')
    [ "$answer" = "$name $version" ] || { echo "got: $answer"; failed="$failed $name--version"; }
done
cp examples/sample.wfn "$work/windows/start.wfn"
run session build/windows/tests/app/windows_session_driver.exe build/windows/src/app/glyphsmith.exe \
    "$work/windows/start.wfn"
"$expected_writer" examples/sample.wfn "$work/linux" || failed="$failed expected-files"
for name in edited.wfn edited.0 edited.bmp; do
    cmp "$work/linux/$name" "$work/windows/$name" || failed="$failed $name"
done
# Ctrl+S saved the same font over the start file.
cmp "$work/linux/edited.wfn" "$work/windows/start.wfn" || failed="$failed ctrl-s"

echo "Under Wine: $(($(date +%s) - started)) s"
[ -z "$failed" ] || { echo "FAILED:$failed"; exit 1; }
