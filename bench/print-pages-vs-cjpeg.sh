#!/bin/sh
# Times custodex-cli drawing the 24 month pages of a fully marked calendar and encoding them
# as quality-95 JPEGs, against cjpeg (libjpeg-turbo-progs) encoding the same 24 pages with the
# same settings, once from 24-bit bitmaps and once from PPM (the encoder's own pace, without
# reading bitmaps). Goal: drawing plus encoding at most 1.2 x cjpeg from PPM.
# Needs python3 to turn the bitmaps into PPM (not timed).
# Usage: bench/print-pages-vs-cjpeg.sh path/to/custodex-cli   (a Release build measures best)
set -eu
cli=${1:?usage: $0 path/to/custodex-cli}
command -v cjpeg >/dev/null || { echo "cjpeg missing: install libjpeg-turbo-progs" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 missing" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=offscreen

"$cli" new --client Bench --year 2024 --month january "$work/plain.cdb" >/dev/null
# Every day: an overnight and a day visit, both with times, so every cell has all its texts.
sed 's/!False!!False!!!;/!True!Weekend!True!Lunch!07:30PM - 09:00AM!10:00AM - 02:00PM;/' \
    "$work/plain.cdb" >"$work/Bench.cdb"
mkdir "$work/bmp" "$work/ppm" "$work/jpg" "$work/cjpeg"
"$cli" print "$work/Bench.cdb" "$work/bmp" --layout month --format bmp >/dev/null
# The same pages as binary PPM: 24-bit bitmaps are stored bottom-up, in BGR order.
python3 - "$work/bmp" "$work/ppm" <<'PY'
import os, struct, sys
source, target = sys.argv[1], sys.argv[2]
for name in sorted(os.listdir(source)):
    data = open(os.path.join(source, name), "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rgb = bytearray(len(row))
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(bytes(rgb))
    if height > 0:
        rows.reverse()
    with open(os.path.join(target, name[:-4] + ".ppm"), "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, abs(height)))
        out.write(b"".join(rows))
PY

now() { date +%s%N; }
runs=${RUNS:-3}
best_draw=0
best_enc=0
best_ppm=0
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
    start=$(now)
    for f in "$work"/ppm/*.ppm; do
        cjpeg -quality 95 -dct int -outfile "$work/cjpeg/$(basename "$f" .ppm).jpg" "$f"
    done
    ppm=$(( $(now) - start ))
    if [ "$best_draw" -eq 0 ] || [ "$draw" -lt "$best_draw" ]; then best_draw=$draw; fi
    if [ "$best_enc" -eq 0 ] || [ "$enc" -lt "$best_enc" ]; then best_enc=$enc; fi
    if [ "$best_ppm" -eq 0 ] || [ "$ppm" -lt "$best_ppm" ]; then best_ppm=$ppm; fi
    i=$((i + 1))
done

echo "pages drawn and encoded (custodex-cli, incl. start and reading): $((best_draw / 1000000)) ms"
echo "the same 24 bitmaps encoded by cjpeg -quality 95 -dct int:       $((best_enc / 1000000)) ms"
echo "the same 24 pages as PPM encoded by cjpeg -quality 95 -dct int:  $((best_ppm / 1000000)) ms"
awk -v a="$best_draw" -v b="$best_enc" -v c="$best_ppm" 'BEGIN {
    printf "ratio to cjpeg from BMP: %.2f\n", a / b
    printf "ratio to cjpeg from PPM: %.2f (goal at most 1.20)\n", a / c }'
