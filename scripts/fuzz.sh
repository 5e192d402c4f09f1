#!/usr/bin/env bash
# Builds a fuzz target with clang and runs it for the given number of seconds (default 600):
#   scripts/fuzz.sh [SECONDS] [calendar_reader_fuzz|repeat_patterns_fuzz|custom_list_fuzz|
#                              ics_import_fuzz]
# The calendar reader and the .ics import start from the fixtures in tests/data; every target also from its seeds
# in fuzz/seeds/<target> (inputs that once broke it); each target keeps its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
target=${2:-calendar_reader_fuzz}
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" clang libclang-rt-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCUSTODEX_FUZZ=ON -DCUSTODEX_TESTS=OFF >/dev/null
cmake --build build-fuzz --target "$target" >build-fuzz/build.log 2>&1 ||
    { tail -n 60 build-fuzz/build.log >&2; exit 1; }
corpus=fuzz-corpus/$target
mkdir -p "$corpus"
if [ "$target" = calendar_reader_fuzz ]; then
    cp -n tests/data/*.cdb "$corpus"/ 2>/dev/null || true
fi
if [ "$target" = ics_import_fuzz ]; then
    cp -n tests/data/*.ics "$corpus"/ 2>/dev/null || true
fi
if [ -d "fuzz/seeds/$target" ]; then
    cp -n "fuzz/seeds/$target"/* "$corpus"/ 2>/dev/null || true
fi
QT_QPA_PLATFORM=offscreen "build-fuzz/fuzz/$target" -max_total_time="$seconds" \
    -max_len=200000 -rss_limit_mb=4096 -print_final_stats=1 "$corpus"
