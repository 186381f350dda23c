#!/usr/bin/env bash
# The tree `make install` makes (staged by InstallStage.sh under /usr/local): exactly the files
# of packaging/installed-files.txt, programs executable, the database and skins as the build
# made them, icons of the sizes their folders name, a desktop entry and AppStream metadata that
# validate, and manual pages that format without warnings and name every command and option
# of their tool's --help.
set -euo pipefail
build=$1
prefix=$2/root/usr/local
source=$3

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli man; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (make deps installs desktop-file-utils, appstream, man-db)"
        exit 77
    fi
done

# The tree: the listed files, nothing else.
expected=$(grep -v '^#' "$source/packaging/installed-files.txt" | sort)
actual=$(cd "$prefix" && find . -type f -printf '%P\n' | sort)
if [ "$expected" != "$actual" ]; then
    fail "the installed files differ from packaging/installed-files.txt:"
    diff <(echo "$expected") <(echo "$actual") >&2 || true
fi

for program in bin/quillmere bin/quillmere-list bin/qqwry bin/skinpack bin/skinbuilder \
    lib/quillmere/quillmere lib/quillmere/Skerrow.exe; do
    [ -x "$prefix/$program" ] || fail "$program is not executable"
done
for data in share/quillmere/QQWry.Dat share/applications/quillmere.desktop share/man/man1/qqwry.1; do
    [ "$(stat -c %a "$prefix/$data")" = 644 ] || fail "$data is not readable by all (mode $(stat -c %a "$prefix/$data"))"
done
cmp -s "$prefix/share/quillmere/QQWry.Dat" "$build/run/QQWry.Dat" || fail "the shipped database is not the build's"
for skin in default dark rectangular; do
    cmp -s "$prefix/share/quillmere/skins/$skin.skn" "$build/skins/$skin.skn" || fail "the $skin skin is not the build's"
done

# Icons: 8-bit RGBA PNGs (colour type 6) of the size their folder names.
for icon in "$prefix"/share/icons/hicolor/*/apps/quillmere.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    header=$(od -An -tx1 -j12 -N14 "$icon" | tr -d ' \n')
    printf -v wanted '49484452%08x%08x0806' "${size%x*}" "${size#*x}"
    [ "$header" = "$wanted" ] || fail "$icon is not an RGBA PNG of $size (IHDR $header)"
done

desktop-file-validate "$prefix/share/applications/quillmere.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.example.quillmere.metainfo.xml" >"$2/appstream.txt" 2>&1 ||
    { cat "$2/appstream.txt" >&2; fail "the AppStream metadata does not validate"; }
version=$(sed -n 's/.*ProgramVersion = "\([^"]*\)".*/\1/p' "$source/app/Unit1.h")
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/org.example.quillmere.metainfo.xml" ||
    fail "the metadata's release is not the program's version $version"

# Manual pages: no formatting warning, and every command and option of the tool's --help is in
# its page (so the pages follow the tools). Hyphenation is off so words stay whole.
render() {
    LC_ALL=C.UTF-8 MANWIDTH=200 MANROFFOPT=-rHY=0 man --warnings -E UTF-8 -l -Tutf8 "$1" | col -b
}
# The words of a --help text that name commands or options: "--name" anywhere, and the first
# word of a line indented by two blanks, after the tool's own name.
help_words() {
    "$prefix/bin/$1" --help | grep -o -- '--[a-z][a-z-]*' || true
    "$prefix/bin/$1" --help | sed -n "s/^  \\($1 \\)\\{0,1\\}\\([a-z][a-z-]*\\).*/\\2/p"
}
for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(render "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page") formats with warnings: $warnings"
done
for tool in quillmere-list qqwry skinpack skinbuilder; do
    text=$(render "$prefix/share/man/man1/$tool.1" 2>/dev/null)
    for word in $(help_words "$tool" | sort -u); do
        grep -q -w -- "$word" <<<"$text" || fail "$tool.1 does not name '$word' of $tool --help"
    done
done

[ "$failures" -eq 0 ]
