#!/usr/bin/env bash
# Checks the installed desktop files: the desktop entry with desktop-file-validate, the
# AppStream metainfo with appstreamcli (without the network), the MIME file as XML, and
# that the three name the same MIME type, program and icon. A validator that is not
# installed is reported and skipped.
set -u
desktop=$1 mime=$2 metainfo=$3 icons=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate printed: $out"
else
    echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) ||
        fail "appstreamcli validate: $out"
else
    echo "appstreamcli not installed: skipped"
fi
if command -v xmllint >/dev/null; then
    out=$(xmllint --noout "$mime" 2>&1) || fail "xmllint: $out"
fi

type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[ "$type" = "application/x-custodex-calendar" ] || fail "MIME file declares '$type'"
grep -qx "MimeType=$type;" "$desktop" || fail "desktop entry does not name $type"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "metainfo does not provide $type"
grep -qx "Exec=custodex-calendar %f" "$desktop" || fail "desktop entry Exec"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$icons/$icon.svg" ] || fail "no icon $icon.svg in $icons"
grep -q "<icon type=\"stock\">$icon</icon>" "$metainfo" || fail "metainfo icon is not $icon"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "metainfo does not launch $(basename "$desktop")"

if [ $failures -eq 0 ]; then echo "desktop files: all checks passed"; fi
exit $failures
