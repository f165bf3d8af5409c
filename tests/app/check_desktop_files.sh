#!/bin/sh
# The installed desktop entry and MIME package: desktop-file-validate says
# nothing (not even a hint), the package compiles, and each type the entry
# names has its globs there. Exit 77 (skipped) without the freedesktop tools.
# usage: check_desktop_files.sh DESKTOP_FILE MIME_PACKAGE
desktop=$1 package=$2
command -v desktop-file-validate >/dev/null && command -v update-mime-database >/dev/null || exit 77

said=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$said" ] || { echo "$said"; exit 1; }

folder=$(mktemp -d) || exit 1
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/packages" && cp "$package" "$folder/packages/" || exit 1
update-mime-database "$folder" >/dev/null 2>&1 || { echo "update-mime-database refused $package"; exit 1; }

# One type per font format, each with its globs.
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[ $(echo $types | wc -w) -ge 2 ] || { echo "expected a MIME type per font format, found: $types"; exit 1; }
for type in $types; do
    grep -q "^[0-9]*:$type:" "$folder/globs2" || { echo "$type has no glob in $package"; exit 1; }
done
