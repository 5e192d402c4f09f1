#!/usr/bin/env bash
# Printing through a real print system: custodex-cli sends month pages as one job to a
# cups-pdf queue, and the PDF that queue writes is that job with those pages. An unknown
# queue is refused with nothing sent. Skipped (77) where no queue can be set up.
set -u
cli=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
why=$("$here/scripts/print-queue.sh" CustodexPDF) || { echo "SKIP: $why"; exit 77; }
command -v pdfinfo >/dev/null || { echo "SKIP: pdfinfo (poppler-utils) is not installed"; exit 77; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
client="Queue$$"
"$cli" new --client "$client" --year 2024 --month January "$work/$client.cdb" >/dev/null || fail "new"

# An unknown queue: exit 1, the reason, nothing in any queue.
jobs_before=$(lpstat -W all -o 2>/dev/null | wc -l)
if "$cli" print "$work/$client.cdb" --printer NoSuchQueue$$ --layout month >"$work/out" 2>"$work/err"; then
    fail "an unknown queue was accepted"
fi
grep -q "There is no print queue named NoSuchQueue$$" "$work/err" || fail "unknown queue message: $(cat "$work/err")"
[ "$(lpstat -W all -o 2>/dev/null | wc -l)" -eq "$jobs_before" ] || fail "a job was queued for an unknown queue"

# Three month pages, two copies, as one job.
home=$(getent passwd "$(id -un)" | cut -d: -f6)
touch "$work/marker"
"$cli" print "$work/$client.cdb" --printer CustodexPDF --layout month --pages 3-5 --copies 2 \
    >"$work/out" 2>"$work/err" || fail "print to the queue: $(cat "$work/err")"
grep -q "Sent 3 pages to CustodexPDF as one job." "$work/out" || fail "what it said: $(cat "$work/out")"
pdf=
for _ in $(seq 300); do
    pdf=$(find "$home/PDF" /var/spool/cups-pdf -name "*$client*.pdf" -newer "$work/marker" 2>/dev/null | head -n 1)
    [ -n "$pdf" ] && [ -s "$pdf" ] && sleep 0.5 && break
    sleep 0.1
done
if [ -z "$pdf" ]; then
    fail "cups-pdf wrote no PDF for the job (looked in $home/PDF and /var/spool/cups-pdf)"
else
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
    [ "$pages" = 3 ] || [ "$pages" = 6 ] || fail "the PDF has $pages pages, not 3"
    # cups-pdf redraws the texts as Type 3 glyphs that pdftotext cannot read back, so the
    # job is known by its title and its pages.
    pdfinfo "$pdf" | grep -q "^Title: *(\?Calendar $client)\?" ||
        fail "the PDF is not the job Calendar $client: $(pdfinfo "$pdf" | grep ^Title)"
    rm -f "$pdf"
fi
[ "$failures" -eq 0 ] && echo "print queue: all passed"
exit $((failures > 0))
