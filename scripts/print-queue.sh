#!/usr/bin/env bash
# Makes sure a cups-pdf print queue named CustodexPDF is there for the printing tests: starts
# cupsd when it is not running (root only) and adds the queue when it is missing. Says why
# and exits 1 where it cannot; the printing tests then skip with that reason.
set -u
queue=${1:-CustodexPDF}
# lpstat -r exits 0 either way; only its words tell.
running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! running; then
    command -v cupsd >/dev/null || { echo "print queue: cupsd is not installed"; exit 1; }
    [ "$(id -u)" -eq 0 ] || { echo "print queue: cupsd is not running and only root may start it"; exit 1; }
    cupsd || { echo "print queue: cupsd would not start"; exit 1; }
    for _ in $(seq 50); do running && break; sleep 0.1; done
fi
running || { echo "print queue: the scheduler does not answer"; exit 1; }
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    ppd=$(lpinfo -m 2>/dev/null | awk '/cups-pdf\/CUPS-PDF_noopt/ { print $1; exit }')
    [ -n "$ppd" ] || { echo "print queue: printer-driver-cups-pdf is not installed"; exit 1; }
    lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" 2>/dev/null ||
        { echo "print queue: lpadmin could not add $queue"; exit 1; }
fi
echo "print queue: $queue is ready"
