#!/usr/bin/env bash
# Installs the build into STAGE/root with prefix /usr/local, as `make install DESTDIR=...` does.
# CMake writes its manifest of installed files into the build folder; the stage keeps this
# install's manifest, and the one a real `make install` left there is put back.
set -euo pipefail
build=$1
stage=$2

rm -rf "$stage"
mkdir -p "$stage"
manifest=$build/install_manifest.txt
[ ! -e "$manifest" ] || mv "$manifest" "$stage/real_install_manifest.txt"
status=0
DESTDIR="$stage/root" cmake --install "$build" --prefix /usr/local >"$stage/install.log" 2>&1 || status=$?
[ ! -e "$manifest" ] || mv "$manifest" "$stage/install_manifest.txt"
[ ! -e "$stage/real_install_manifest.txt" ] || mv "$stage/real_install_manifest.txt" "$manifest"
if [ "$status" -ne 0 ]; then
    cat "$stage/install.log" >&2
    exit "$status"
fi
