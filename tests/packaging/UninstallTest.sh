#!/usr/bin/env bash
# The uninstall script (make uninstall) removes every installed file of the staged tree and the
# program's own folders, leaving only the shared folders (bin, share/man/man1...) that other
# programs use too; then the stage goes.
set -euo pipefail
stage=$1
source=$2

[ -f "$stage/install_manifest.txt" ] || { echo "FAILED: the stage has no install manifest" >&2; exit 1; }
DESTDIR="$stage/root" "$source/scripts/uninstall" "$stage/install_manifest.txt" >/dev/null
prefix=$stage/root/usr/local
left=$(find "$prefix" -type f -o -type l)
program_folders=$(find "$prefix" -type d -name quillmere)
if [ -n "$left$program_folders" ]; then
    echo "FAILED: left after uninstalling:" >&2
    printf '%s\n' "$left" "$program_folders" >&2
    exit 1
fi
rm -rf "$stage"
