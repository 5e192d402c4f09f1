#!/bin/sh
# Times `custodex-cli make-list --from-ics` as a whole process on the files that were slow or
# hostile: 16,000 events each with an empty value, 16,000 events each with a broken DTEND
# (every one left out and named), a realistic district feed of 4,778 events, and each hostile
# file of fuzz/make-ics-seeds.py at the size it was found at. Goals: under 5 s for each
# hostile file and for 16,000 bad values, under 1 s for the feed; exit 0 or 1, never a hang.
# Usage: bench/ics-import.sh path/to/custodex-cli   (a Release build measures best)
set -eu
cli=${1:?usage: $0 path/to/custodex-cli}
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=offscreen
"$here/../fuzz/make-ics-seeds.py" --full "$work"

now() { date +%s%N; }
runs=${RUNS:-3}
printf '%-28s %10s %6s %10s %s\n' file bytes exit best_ms "TZ=${TZ:-(machine)}"
for ics in "$work"/*.ics; do
    best=0
    i=0
    while [ "$i" -lt "$runs" ]; do
        start=$(now)
        status=0
        timeout 60 "$cli" make-list "$work/out.tcl" --client Bench --start-year 2025 \
            --start-month september --from-ics "$ics" --as day-visits --replace-existing \
            >"$work/out.txt" 2>"$work/err.txt" || status=$?
        took=$(( ($(now) - start) / 1000000 ))
        if [ "$best" -eq 0 ] || [ "$took" -lt "$best" ]; then best=$took; fi
        i=$((i + 1))
    done
    printf '%-28s %10s %6s %10s %s\n' "$(basename "$ics")" "$(wc -c <"$ics")" "$status" "$best" \
        "$(cat "$work/out.txt" "$work/err.txt" | tr '\n' ' ' | cut -c1-110)"
done
