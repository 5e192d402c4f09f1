#!/bin/sh
# Times the start of custodex-calendar with a fully marked calendar given on the command line
# (what a double-click on a .cdb does) until its main window is on the screen, against a bare
# Qt main window, launched in turns under the same X server. Needs Xvfb and xdotool.
# Usage: bench/startup-vs-bare-qt.sh path/to/custodex-calendar path/to/bare_main_window [runs]
set -eu
app=${1:?usage: $0 custodex-calendar bare_main_window [runs]}
bare=${2:?usage: $0 custodex-calendar bare_main_window [runs]}
runs=${3:-10}
command -v xdotool >/dev/null || { echo "xdotool missing" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT INT TERM
if [ -z "${DISPLAY:-}" ]; then
    Xvfb :77 -screen 0 1600x1000x24 >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=:77
    sleep 1
fi
export HOME="$work/home"
mkdir -p "$HOME"
# A runtime folder of its own: the lock removed below is never that of a calendar in real use.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
lock="$XDG_RUNTIME_DIR/TestforCustodexCalendar.lock"
cli=$(dirname "$app")/custodex-cli
"$cli" new --client Bench --year 2024 --month january "$work/plain.cdb" >/dev/null
sed 's/!False!!False!!!;/!True!Weekend!True!Lunch!07:30PM - 09:00AM!10:00AM - 02:00PM;/' \
    "$work/plain.cdb" >"$work/Bench.cdb"

now() { date +%s%N; }
# Milliseconds from launch until a window named $2 is mapped.
launch() {
    start=$(now)
    "$1" $3 >/dev/null 2>&1 &
    pid=$!
    # Asked every 10 ms: xdotool's own --sync waits half a second between looks.
    # Given up after 10 s: a window that never comes (a message box instead) fails the run.
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        if [ $(( $(now) - start )) -gt 10000000000 ]; then
            kill "$pid" 2>/dev/null || true
            echo "no window named \"$2\" after 10 s" >&2
            exit 1
        fi
        sleep 0.01
    done
    end=$(now)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

i=0
: >"$work/app.ms"
: >"$work/bare.ms"
while [ "$i" -lt "$runs" ]; do
    launch "$bare" "Bare Qt Main Window" "" >>"$work/bare.ms"
    # A killed run leaves its single-instance lock behind, which a normal close removes; the
    # next start would otherwise also pay for checking that stale lock.
    rm -f "$lock"
    launch "$app" "Calendar File=Bench.cdb" "$work/Bench.cdb" >>"$work/app.ms"
    i=$((i + 1))
done
a=$(median <"$work/app.ms")
b=$(median <"$work/bare.ms")
echo "custodex-calendar with a marked calendar, to its window on screen (median of $runs): $a ms"
echo "a bare Qt main window, to its window on screen (median of $runs):                $b ms"
awk -v a="$a" -v b="$b" 'BEGIN { printf "ratio: %.2f (goal at most 1.30)\n", a / b }'
