#!/usr/bin/env bash
# Installs what is missing, builds, and starts Custodex Calendar.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display found (DISPLAY is not set); start it from a desktop session or under Xvfb." >&2
    exit 1
fi
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCUSTODEX_TESTS=OFF >/dev/null
fi
# The calendar starts the list builder from beside itself, so it is built with it.
cmake --build build --target custodex-calendar custodex-cli custodex-list-builder >build/build.log 2>&1 || { tail -n 60 build/build.log >&2; exit 1; }
exec build/src/custodex-calendar "$@"
