#!/usr/bin/env bash
# Starts the desktop program under Xvfb and checks that its main window appears.
set -u
program=$1
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$(mktemp -d)
export HOME=$XDG_RUNTIME_DIR
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" & pid=$!
    for i in $(seq 1 50); do
        sleep 0.2
        if ! kill -0 $pid 2>/dev/null; then echo "program ended early"; exit 1; fi
        if command -v xdotool >/dev/null && xdotool search --name "Calendar File=" >/dev/null 2>&1; then
            kill $pid; wait $pid 2>/dev/null; echo "window found"; exit 0
        fi
    done
    if command -v xdotool >/dev/null; then kill $pid; echo "window not found"; exit 1; fi
    kill $pid; wait $pid 2>/dev/null; echo "program ran for 10 s"; exit 0
' "$program"
