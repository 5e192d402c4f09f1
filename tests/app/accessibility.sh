#!/usr/bin/env bash
# The desktop program through the real accessibility bus (AT-SPI), as a screen reader sees it:
# tests/app/atspi_walk.py walks its windows and presses keys. Skipped (77) where Xvfb, a session
# bus, the accessibility bus or pyatspi is missing, or the bus cannot start.
set -u
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
calendar=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session xdotool python3; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
# The Debian package installs pyatspi for the system's Python.
python=
for candidate in /usr/bin/python3 python3; do
    [ -z "$python" ] && "$candidate" -c "import pyatspi" 2>/dev/null && python=$candidate
done
[ -n "$python" ] || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
cp "$calendar" "$work/Jones.Smith.cdb"
mkdir -p "$work/.config/Custodex Calendar"
printf 'WIZARD=FALSE\r\n' >"$work/.config/Custodex Calendar/Calendar.ini"
export HOME=$work XDG_RUNTIME_DIR=$work ASAN_OPTIONS=detect_leaks=0
export program work launcher here python

xvfb-run -a -s "-screen 0 1400x1000x24" dbus-run-session -- bash -c '
    "$launcher" --launch-immediately >/dev/null 2>&1 & bus=$!
    sleep 1
    if ! kill -0 $bus 2>/dev/null; then echo "SKIP: the accessibility bus did not start"; exit 77; fi
    export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
    cd "$work"
    "$program" Jones.Smith.cdb >"$work/program.log" 2>&1 & pid=$!
    window=
    for i in $(seq 1 300); do
        sleep 0.1
        window=$(xdotool search --name "^Calendar File=" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
    done
    [ -n "$window" ] || { echo "FAIL: no main window"; cat "$work/program.log"; kill $pid; exit 1; }
    xdotool windowfocus --sync "$window" 2>/dev/null
    "$python" "$here/atspi_walk.py"; status=$?
    kill $pid 2>/dev/null; wait $pid 2>/dev/null
    kill $bus 2>/dev/null
    exit $status
'
