#!/bin/sh
# Starts the installed Quillmere in the user's database folder.
#
# The program opens "QQWry.Dat" in the folder it is started in, and its updater rewrites the
# file there, so every user gets a folder of their own: $XDG_DATA_HOME/quillmere, by default
# ~/.local/share/quillmere. The database shipped with the program is copied there at the first
# start, and again only when a later package ships one released after the user's; a database
# the user's updater made is never replaced by an older or equally old one, and one that cannot
# be read is left for the user to update or remove.
#
# Installed as bin/quillmere; the program and its updater lie in lib/quillmere/ and the shipped
# database in share/quillmere/ of the same prefix, found from this script's own place.
set -eu

self=$(readlink -f -- "$0")
prefix=$(dirname -- "$(dirname -- "$self")")
program="$prefix/lib/quillmere/quillmere"
shipped="$prefix/share/quillmere/QQWry.Dat"
qqwry="$prefix/bin/qqwry"

fail() {
    echo "quillmere: $*" >&2
    exit 1
}

# The release date of a database as YYYYMMDD, or nothing when it cannot be read.
release_date() {
    "$qqwry" info "$1" 2>/dev/null |
        LC_ALL=C sed -n 's/^更新日期：\([0-9]*\)年\([0-9]*\)月\([0-9]*\)日$/\1 \2 \3/p' |
        { read -r year month day && printf '%04d%02d%02d\n' "$year" "$month" "$day"; } || true
}

# The base folder of user data: XDG_DATA_HOME when it is an absolute path (relative ones are
# to be ignored), else ~/.local/share.
case "${XDG_DATA_HOME:-}" in
/*) data_home=$XDG_DATA_HOME ;;
*)
    [ -n "${HOME:-}" ] || fail "neither XDG_DATA_HOME nor HOME is set: no folder for the database"
    data_home=$HOME/.local/share
    ;;
esac
folder=$data_home/quillmere
database=$folder/QQWry.Dat

mkdir -p -- "$folder" || fail "cannot make the database folder $folder"

if [ -f "$shipped" ]; then
    replace=no
    if [ ! -e "$database" ]; then
        replace=yes
    else
        mine=$(release_date "$database")
        theirs=$(release_date "$shipped")
        if [ -n "$mine" ] && [ -n "$theirs" ] && [ "$theirs" -gt "$mine" ]; then
            replace=yes
        fi
    fi
    if [ "$replace" = yes ]; then
        # Copied under another name and renamed, so the folder never holds half a database.
        partial=$database.partial.$$
        if ! { cp -- "$shipped" "$partial" && mv -f -- "$partial" "$database"; }; then
            rm -f -- "$partial"
            # Without a database the program could only report it missing; an older one still
            # serves.
            [ -e "$database" ] || fail "cannot copy the database $shipped into $folder"
            echo "quillmere: cannot copy the newer database $shipped into $folder; the older one stays" >&2
        fi
    fi
fi

# A skin file named from where the command was given is still found from the database folder.
if [ $# -ge 2 ] && [ "$1" = --skin ]; then
    skin=$2
    shift 2
    case $skin in
    /*) ;;
    *) skin=$PWD/$skin ;;
    esac
    set -- --skin "$skin" "$@"
fi

cd -- "$folder"
exec "$program" "$@"
