#!/usr/bin/env bash
# A CUPS scheduler with one queue that writes every job as a PDF into a known folder, for the tests.
#   cups-server.sh start QUEUE OUTDIR   starts cupsd unless one answers already, adds the queue;
#                                       prints the pid of the cupsd it started (empty when it reused one)
#   cups-server.sh zpl QUEUE FILE       adds a queue on CUPS's ZPL label driver (203 dpi) that writes
#                                       each job's ZPL stream into FILE
#   cups-server.sh stop QUEUE [PID]     removes the queue, stops that cupsd
set -euo pipefail

case "${1:-}" in
start)
    queue=$2 out=$3
    mkdir -p "$out"
    chmod 777 "$out"
    printf 'Out %s\n' "$out" > "/etc/cups/cups-pdf-$queue.conf"
    # lpstat -r exits 0 either way; only its text tells.
    running() { lpstat -r 2>/dev/null | grep -q "is running"; }
    pid=""
    if ! running; then
        # A queue whose device is a file (the ZPL one) needs the scheduler to allow it.
        conf=/etc/cups/cups-files.conf
        if [ -w "$conf" ] && ! grep -q '^FileDevice Yes' "$conf"; then
            sed -i '/^#\?FileDevice/d' "$conf"
            echo 'FileDevice Yes' >>"$conf"
        fi
        /usr/sbin/cupsd -f >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 1 100); do
            running && break
            sleep 0.1
        done
    fi
    running || { echo "cups-server: cupsd does not answer" >&2; exit 1; }
    lpadmin -p "$queue" -v "cups-pdf:/$queue" -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
    echo "$pid"
    ;;
zpl)
    queue=$2 file=$3
    : >"$file"
    chmod 666 "$file"
    lpadmin -p "$queue" -v "file://$file" -E -m drv:///sample.drv/zebra.ppd 2>/dev/null
    ;;
stop)
    queue=$2 pid=${3:-}
    lpadmin -x "$queue" 2>/dev/null || true
    rm -f "/etc/cups/cups-pdf-$queue.conf"
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    ;;
*)
    echo "usage: cups-server.sh start QUEUE OUTDIR | zpl QUEUE FILE | stop QUEUE [PID]" >&2
    exit 2
    ;;
esac
