#!/usr/bin/env bash
# The desktop program's command line: --help and --version answer without a display, a
# second file is refused, and a calendar named at start opens in the main window, which
# carries the program's icon.
set -u
program=$1
calendar=$2
version_expected="Custodex Calendar $3"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work ASAN_OPTIONS=detect_leaks=0
chmod 700 "$work"

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1)
[ "$version" = "$version_expected" ] || fail "--version printed: $version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help 2>&1)
case $help in
    *"[options] [FILE.cdb]"*"A calendar to open at start."*) ;;
    *) fail "--help printed: $help" ;;
esac

cp "$calendar" "$work/Jones.Smith.cdb"
mkdir -p "$work/.config/Custodex Calendar"
printf 'WIZARD=TRUE\r\n' >"$work/.config/Custodex Calendar/Calendar.ini"

export program work
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    failures=0
    fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
    export QT_QPA_PLATFORM=xcb
    message=$("$program" "$work/a.cdb" "$work/b.cdb" 2>&1); status=$?
    [ $status -eq 1 ] || fail "two files: exit status $status"
    [ "$message" = "custodex-calendar: give one calendar file at most." ] ||
        fail "two files: $message"

    cd "$work"
    "$program" Jones.Smith.cdb & pid=$!
    window=
    for i in $(seq 1 100); do
        sleep 0.1
        kill -0 $pid 2>/dev/null || { fail "program ended early"; break; }
        window=$(xdotool search --name "^Calendar File=Jones.Smith.cdb" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
    done
    if [ -z "$window" ]; then
        fail "the calendar named at start was not opened"
    elif command -v xprop >/dev/null; then
        xprop -id "$window" _NET_WM_ICON | grep -q "Icon (16 x 16)" || fail "no window icon"
    fi
    kill $pid 2>/dev/null; wait $pid 2>/dev/null
    exit $failures
' || failures=$((failures + $?))

if [ $failures -eq 0 ]; then echo "command line: all checks passed"; fi
exit $failures
