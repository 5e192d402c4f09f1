#!/usr/bin/env bash
# The writers on a file system that is really full: an export, a picture and printed pages
# over existing files fail with exit 1 and leave the old files byte for byte, with nothing
# unfinished beside them; outputs of several files that run out of room half-way leave every
# old file of the set. Needs a small tmpfs of its own; skipped where it cannot be mounted.
set -u
cli=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

disk=$(mktemp -d)
mount -t tmpfs -o size=2m,mode=700 tmpfs "$disk" 2>/dev/null || { rmdir "$disk"; echo "SKIP: cannot mount a tmpfs here"; exit 77; }
trap 'umount "$disk"; rmdir "$disk"' EXIT
export ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$disk

"$cli" new --client Smith --year 2024 --month March "$disk/Smith.cdb" >/dev/null || fail "new"
"$cli" export-csv "$disk/Smith.cdb" "$disk/Smith.csv" --all-days >/dev/null || fail "export-csv"
"$cli" preview "$disk/Smith.cdb" "$disk/Smith.png" --size 200x320 >/dev/null || fail "preview"
mkdir "$disk/pages"
"$cli" print "$disk/Smith.cdb" "$disk/pages" --layout month --pages 1-1 --format jpg >/dev/null ||
    fail "print"
# Outputs of several files, to be run out of room half-way below.
mkdir "$disk/set"
"$cli" print "$disk/Smith.cdb" "$disk/set" --layout month --pages 2-4 --format jpg >/dev/null ||
    fail "print of three pages"
"$cli" distribution "$disk/Smith.cdb" --pictures "$disk/set" --format jpg >/dev/null ||
    fail "distribution pictures"
set_files=$(cd "$disk/set" && ls)
print_size=$(du -cb "$disk/set"/*_0[234]_*.jpg | tail -n 1 | cut -f 1)
distribution_size=$(du -cb "$disk/set"/*_DistRpt.jpg | tail -n 1 | cut -f 1)
# Old files that differ from what the commands write (a page drawn in the same minute is the
# same picture).
for file in "$disk/set"/*; do echo "old $file" >"$file"; done
before=$(cd "$disk" && sha256sum Smith.cdb Smith.csv Smith.png pages/* set/*)

# Fill what is left, to the last block.
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
dd if=/dev/zero of="$disk/filler2" bs=1 2>/dev/null

expect_refused() {
    local what=$1
    shift
    local err
    err=$("$@" 2>&1 >/dev/null)
    local status=$?
    [ "$status" -eq 1 ] || fail "$what exited $status"
    case $err in
        *"No space left on device"*) ;;
        *) fail "$what did not name the cause: $err" ;;
    esac
}
expect_refused export-csv "$cli" export-csv "$disk/Smith.cdb" "$disk/Smith.csv" --all-days --overwrite
expect_refused preview "$cli" preview "$disk/Smith.cdb" "$disk/Smith.png" --size 200x320 --overwrite
expect_refused print "$cli" print "$disk/Smith.cdb" "$disk/pages" --layout month --pages 1-1 \
    --format jpg --replace-existing
expect_refused resave "$cli" resave "$disk/Smith.cdb" "$disk/Smith.cdb"

# Room for about half of a set: its first file fits, a later one does not.
leave_room() {
    rm -f "$disk/filler" "$disk/filler2"
    local free
    free=$(df --output=avail -B1 "$disk" | tail -n 1)
    dd if=/dev/zero of="$disk/filler" bs=1 count=$((free - $1)) 2>/dev/null
}
leave_room $((print_size / 2))
expect_refused "print of three pages" "$cli" print "$disk/Smith.cdb" "$disk/set" --layout month \
    --pages 2-4 --format jpg --replace-existing
leave_room $((distribution_size * 3 / 4))
expect_refused "distribution pictures" "$cli" distribution "$disk/Smith.cdb" --pictures "$disk/set" \
    --format jpg --overwrite
[ "$(cd "$disk/set" && ls -A)" = "$set_files" ] || fail "left behind in set: $(ls -A "$disk/set")"

after=$(cd "$disk" && sha256sum Smith.cdb Smith.csv Smith.png pages/* set/*)
[ "$before" = "$after" ] || fail "files changed: $after"
extra=$(cd "$disk" && ls -A . pages | grep -v -x -e . -e pages: -e '.:' -e '' -e Smith.cdb \
    -e Smith.csv -e Smith.png -e filler -e filler2 -e pages -e Smith_01_March.jpg -e set)
[ -z "$extra" ] || fail "left behind: $extra"

[ "$failures" -eq 0 ] && echo "full disk: every old file kept"
exit $((failures > 0))
