#!/usr/bin/env bash
# custodex-list-builder's command line: help and version are answered without a display; wrong
# arguments are refused with a message and write nothing; Qt's own options are taken.
set -u
program=$1
version_expected="Custodex Calendar $2"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work ASAN_OPTIONS=detect_leaks=0
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>&1; }

out=$(run --version); status=$?
[ $status -eq 0 ] && [ "$out" = "$version_expected" ] || fail "--version: $status $out"
out=$(run --help); status=$?
case $out in
    *"[START-YEAR START-MONTH CLIENT CLIENT-FOLDER]"*"iCalendar (.ics)"*) ;;
    *) fail "--help printed: $out" ;;
esac
[ $status -eq 0 ] || fail "--help: exit status $status"

check_refused() {
    local expected_status=$1 expected_text=$2
    shift 2
    out=$(QT_QPA_PLATFORM=offscreen "$program" "$@" 2>&1); status=$?
    [ $status -eq "$expected_status" ] || fail "$*: exit status $status"
    case $out in
        *"$expected_text"*) ;;
        *) fail "$*: printed $out" ;;
    esac
}
check_refused 2 "give the start year, start month, client and client folder, or nothing" \
    2025 March
check_refused 2 "the start year or month is not one" 2025 Marsh Garcia "$work"
check_refused 2 "the start year or month is not one" 1850 March Garcia "$work"
check_refused 1 "Unknown option 'bogus'" --bogus
# -platform is Qt's: taken before the builder's own arguments are looked at.
out=$(run -platform offscreen 2025 March 2>&1); status=$?
[ $status -eq 2 ] || fail "-platform offscreen 2025 March: exit status $status: $out"
[ -z "$(ls -A "$work")" ] || fail "a refused start wrote: $(ls -A "$work")"

if [ $failures -eq 0 ]; then echo "list builder command line: all checks passed"; fi
exit $failures
