#!/usr/bin/env bash
# Builds the calendar reader fuzz target with clang and runs it for the given number of
# seconds (default 600), starting from the fixtures in tests/data.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" clang libclang-rt-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCUSTODEX_FUZZ=ON -DCUSTODEX_TESTS=OFF >/dev/null
cmake --build build-fuzz --target calendar_reader_fuzz >build-fuzz/build.log 2>&1 ||
    { tail -n 60 build-fuzz/build.log >&2; exit 1; }
mkdir -p fuzz-corpus
cp -n tests/data/*.cdb fuzz-corpus/ 2>/dev/null || true
QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/calendar_reader_fuzz -max_total_time="$seconds" \
    -max_len=200000 -rss_limit_mb=4096 -print_final_stats=1 fuzz-corpus
