#!/usr/bin/env bash
# Kills a real started program (kill -9) two seconds after a change and checks that its
# recovery copy reads back as the changed calendar while the client's file stays byte for byte
# as it was, and that custodex-cli lists the copy. Needs Xvfb and xdotool (77: skipped).
set -u
program=$1
cli=$2
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=xcb
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_STATE_HOME=$work/state
mkdir -p "$HOME/.config/Custodex Calendar" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf 'WIZARD=FALSE\r\n' > "$HOME/.config/Custodex Calendar/Calendar.ini"
calendar=$work/Garcia.cdb
"$cli" new --client Garcia --year 2023 --month January "$calendar" || exit 1
cp "$calendar" "$work/original.cdb"

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" & pid=$!
    for i in $(seq 1 100); do
        sleep 0.2
        window=$(xdotool search --name "Calendar File=Garcia.cdb" 2>/dev/null | head -1)
        [ -n "$window" ] && break
    done
    [ -n "$window" ] || { kill $pid; echo "window not found"; exit 1; }
    sleep 1
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    # The month grid has the focus after Open: Enter opens the day editor on its first day,
    # Enter again takes its OK.
    xdotool key Return; sleep 1; xdotool key Return; sleep 2.5
    kill -9 $pid; wait $pid 2>/dev/null; exit 0
' "$program" "$calendar" || exit 1

cmp "$calendar" "$work/original.cdb" || { echo "the client file changed"; exit 1; }
copy=$(ls "$XDG_STATE_HOME/Custodex Calendar/Recovery/"*/Garcia.cdb 2>/dev/null | head -1)
[ -n "$copy" ] || { echo "no recovery copy"; exit 1; }
"$cli" info --json "$copy" > "$work/copy.json" || exit 1
"$cli" info --json "$calendar" > "$work/original.json" || exit 1
cmp -s "$work/copy.json" "$work/original.json" && { echo "the copy lacks the change"; exit 1; }
grep -q '"overnights": 1' "$work/copy.json" || { echo "no overnight in the copy"; cat "$work/copy.json"; exit 1; }
"$cli" recoveries --json > "$work/list.json" || exit 1
grep -q '"kept": "crash"' "$work/list.json" || { cat "$work/list.json"; exit 1; }
grep -q '"daysDiffering": 1' "$work/list.json" || { cat "$work/list.json"; exit 1; }
echo "copy kept after kill -9"
