#!/usr/bin/env bash
# The README's first command: ./run.sh builds every program the calendar's menus start, so the
# list builder's menu items find it beside the calendar. Run on a copy with cmake and the
# installer stubbed, so nothing is installed or built.
set -u
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/scripts" "$work/bin" "$work/tree/build/src"
cp "$source_dir/run.sh" "$work/tree/"
printf 'BUILD_PACKAGES=()\n' >"$work/tree/scripts/packages.sh"
printf '#!/bin/sh\nexit 0\n' >"$work/tree/scripts/install-deps.sh"
printf '#!/bin/sh\necho "$@" >>"%s/cmake-calls"\n' "$work" >"$work/bin/cmake"
printf '#!/bin/sh\nexit 0\n' >"$work/tree/build/src/custodex-calendar"
touch "$work/tree/build/CMakeCache.txt"
chmod +x "$work/tree/scripts/install-deps.sh" "$work/bin/cmake" "$work/tree/build/src/custodex-calendar"

DISPLAY=:0 PATH="$work/bin:$PATH" "$work/tree/run.sh" || { echo "FAIL: run.sh exited $?"; exit 1; }
built=$(grep -- '--build' "$work/cmake-calls")
status=0
# Every program the calendar starts from beside itself (its menus and its companion).
for program in custodex-calendar custodex-list-builder; do
    case " $built " in
        *" $program "*) ;;
        *) echo "FAIL: run.sh does not build $program: $built"; status=1 ;;
    esac
done
[ "$status" -eq 0 ] && echo "run.sh builds every program the menus start"
exit $status
