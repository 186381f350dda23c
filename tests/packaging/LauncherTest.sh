#!/usr/bin/env bash
# The installed launcher (bin/quillmere of the tree InstallStage.sh stages) prepares the user's
# database folder and starts the program there. No display is given, so the program reports
# that and ends at once: what is checked is the folder, the database in it, and that the
# program was reached (its display message) or, when the folder cannot be made, not reached.
set -euo pipefail
build=$1
prefix=$2/root/usr/local
launcher=$prefix/bin/quillmere
shipped=$prefix/share/quillmere/QQWry.Dat
qqwry=$build/bin/qqwry

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# A database released on the given date (YYYY M D).
database_of() {
    local out=$1 year=$2 month=$3 day=$4
    printf '0.0.0.0\t255.255.255.254\t测试\t测试\n255.255.255.255\t255.255.255.255\t测试库\t%d年%d月%d日IP数据\n' \
        "$year" "$month" "$day" >"$out.txt"
    "$qqwry" build "$out.txt" "$out" >/dev/null
}

# Runs the launcher with a bare environment plus the given variables, in the work folder;
# its error output lands in $work/err.
launch() {
    (cd "$work" && env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$work" "$@" "$launcher" >/dev/null 2>"$work/err") || true
}

# The program was started: it says that no display could be opened.
reached_program() {
    grep -q 'cannot open the X display' "$work/err"
}

# The folder holds the database alone: no half copy is left beside it.
only_database() {
    [ "$(ls -A "$1")" = QQWry.Dat ]
}

# The first start copies the shipped database into ~/.local/share/quillmere.
launch HOME="$work/home"
folder=$work/home/.local/share/quillmere
cmp -s "$shipped" "$folder/QQWry.Dat" || fail "the first start did not copy the shipped database to $folder"
only_database "$folder" || fail "the folder holds more than the database: $(ls -A "$folder")"
reached_program || fail "the program was not started: $(cat "$work/err")"

# XDG_DATA_HOME names the folder's base; a relative one is ignored.
launch HOME="$work/home2" XDG_DATA_HOME="$work/data"
cmp -s "$shipped" "$work/data/quillmere/QQWry.Dat" || fail "XDG_DATA_HOME was not followed"
launch HOME="$work/home3" XDG_DATA_HOME=relative
if [ ! -f "$work/home3/.local/share/quillmere/QQWry.Dat" ] || [ -e "$work/relative" ]; then
    fail "a relative XDG_DATA_HOME was not ignored"
fi

# The user's database is replaced only by a shipped one released later; one that cannot be read
# is left alone.
shipped_date=$("$qqwry" info "$shipped" | sed -n 's/^更新日期：\([0-9]*\)年\([0-9]*\)月\([0-9]*\)日$/\1 \2 \3/p')
read -r year month day <<<"$shipped_date"
database_of "$work/newer.dat" $((year + 1)) "$month" "$day"
database_of "$work/same.dat" "$year" "$month" "$day"
database_of "$work/older.dat" $((year - 1)) "$month" "$day"
printf 'not a database' >"$work/damaged.dat"
for case in newer same older damaged; do
    cp "$work/$case.dat" "$work/data/quillmere/QQWry.Dat"
    launch HOME="$work/home2" XDG_DATA_HOME="$work/data"
    expected=$work/$case.dat
    [ "$case" != older ] || expected=$shipped
    cmp -s "$expected" "$work/data/quillmere/QQWry.Dat" || fail "a $case database was handled wrongly"
    only_database "$work/data/quillmere" || fail "a $case database left more files: $(ls -A "$work/data/quillmere")"
    reached_program || fail "the program was not started beside a $case database"
done

# A folder that cannot be made is reported, and the program is not started.
touch "$work/not-a-folder"
status=0
(cd "$work" && env -i PATH=/usr/bin:/bin HOME="$work" XDG_DATA_HOME="$work/not-a-folder" "$launcher" \
    >/dev/null 2>"$work/err") || status=$?
[ "$status" -eq 1 ] || fail "an impossible folder ended with status $status, not 1"
grep -q '^quillmere: cannot make the database folder' "$work/err" || fail "no message for an impossible folder: $(cat "$work/err")"
! reached_program || fail "the program was started without its folder"

[ "$failures" -eq 0 ]
