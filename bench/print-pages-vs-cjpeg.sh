#!/bin/sh
# Times custodex-cli drawing the 24 month pages of a fully marked calendar and encoding them
# as quality-95 JPEGs, against cjpeg (libjpeg-turbo-progs) encoding the same 24 pages from
# 24-bit bitmaps with the same settings. Goal: drawing plus encoding at most 1.5 x the encoder.
# Usage: bench/print-pages-vs-cjpeg.sh path/to/custodex-cli   (a Release build measures best)
set -eu
cli=${1:?usage: $0 path/to/custodex-cli}
command -v cjpeg >/dev/null || { echo "cjpeg missing: install libjpeg-turbo-progs" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=offscreen

"$cli" new --client Bench --year 2024 --month january "$work/plain.cdb" >/dev/null
# Every day: an overnight and a day visit, both with times, so every cell has all its texts.
sed 's/!False!!False!!!;/!True!Weekend!True!Lunch!07:30PM - 09:00AM!10:00AM - 02:00PM;/' \
    "$work/plain.cdb" >"$work/Bench.cdb"
mkdir "$work/bmp" "$work/jpg" "$work/cjpeg"
"$cli" print "$work/Bench.cdb" "$work/bmp" --layout month --format bmp >/dev/null

now() { date +%s%N; }
runs=${RUNS:-3}
best_draw=0
best_enc=0
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(now)
    "$cli" print "$work/Bench.cdb" "$work/jpg" --layout month --format jpg --replace-existing \
        >/dev/null
    draw=$(( $(now) - start ))
    start=$(now)
    for f in "$work"/bmp/*.bmp; do
        cjpeg -quality 95 -dct int -outfile "$work/cjpeg/$(basename "$f" .bmp).jpg" "$f"
    done
    enc=$(( $(now) - start ))
    if [ "$best_draw" -eq 0 ] || [ "$draw" -lt "$best_draw" ]; then best_draw=$draw; fi
    if [ "$best_enc" -eq 0 ] || [ "$enc" -lt "$best_enc" ]; then best_enc=$enc; fi
    i=$((i + 1))
done

echo "pages drawn and encoded (custodex-cli, incl. start and reading): $((best_draw / 1000000)) ms"
echo "the same 24 bitmaps encoded by cjpeg -quality 95 -dct int:       $((best_enc / 1000000)) ms"
awk -v a="$best_draw" -v b="$best_enc" 'BEGIN { printf "ratio: %.2f (goal at most 1.50)\n", a / b }'
