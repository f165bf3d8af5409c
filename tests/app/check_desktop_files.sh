#!/bin/sh
# The desktop entry and MIME package that an installation puts in place:
# desktop-file-validate has nothing to say about the entry (not even a hint),
# the MIME package compiles, and every type the entry names is defined there
# with at least one glob. Exit 77 (skipped) where the freedesktop tools are missing.
# usage: check_desktop_files.sh DESKTOP_FILE MIME_PACKAGE
set -u
desktop=$1
package=$2
command -v desktop-file-validate >/dev/null && command -v update-mime-database >/dev/null || exit 77

said=$(desktop-file-validate "$desktop" 2>&1)
if [ $? -ne 0 ] || [ -n "$said" ]; then
    echo "desktop-file-validate $desktop:"; echo "$said"; exit 1
fi

folder=$(mktemp -d) || exit 1
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/packages" && cp "$package" "$folder/packages/" || exit 1
update-mime-database "$folder" >/dev/null 2>&1 || { echo "update-mime-database refused $package"; exit 1; }

types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[ -n "$types" ] || { echo "the desktop entry names no MIME type"; exit 1; }
for type in $types; do
    grep -q "^[0-9]*:$type:" "$folder/globs2" || { echo "$type has no glob in $package"; exit 1; }
done
count=$(echo $types | wc -w)
[ "$count" -ge 2 ] || { echo "expected one MIME type per font format, found: $types"; exit 1; }
exit 0
