#!/usr/bin/env bash
# Installs what is missing, builds from scratch with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless through ctest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
rm -rf build-test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCUSTODEX_SANITIZE=ON \
    -DCUSTODEX_BENCH=ON >/dev/null
cmake --build build-test >build-test/build.log 2>&1 || { tail -n 60 build-test/build.log >&2; exit 1; }
# A real print queue for the printing tests; where none can be set up they skip and say why.
scripts/print-queue.sh CustodexPDF || true
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-test --output-on-failure --timeout 600 "$@"
