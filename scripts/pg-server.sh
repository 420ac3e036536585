#!/usr/bin/env bash
# Starts or stops a throw-away PostgreSQL cluster on 127.0.0.1 for the tests.
#   pg-server.sh start DIR [PORT]   (the cluster lives in DIR; prints the port it listens on)
#   pg-server.sh stop DIR
# Without PORT it takes a free one, trying another when one is taken meanwhile, so a server already
# listening (another run's, say) never fails the start.
set -euo pipefail
cmd=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
run_as_pg() {
    # initdb refuses to run as root: the cluster belongs to an unprivileged user then.
    if [ "$(id -u)" -eq 0 ]; then su postgres -s /bin/sh -c "$1"; else sh -c "$1"; fi
}
# True when something listens on the port.
taken() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}
start_on() {
    run_as_pg "$bin/pg_ctl -D '$dir/data' -l '$dir/pg.log' -w -o \"-p $1 -k '$dir' -c listen_addresses=127.0.0.1 -c fsync=off\" start >/dev/null"
}
case "$cmd" in
start)
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then chown postgres:postgres "$dir"; fi
    run_as_pg "$bin/initdb -D '$dir/data' -A trust -U postgres -E UTF8 --locale=C.UTF-8 >'$dir/initdb.log' 2>&1"
    if [ $# -ge 3 ]; then
        port=$3
        start_on "$port"
    else
        for attempt in 1 2 3 4 5 6 7 8; do
            port=$((49152 + RANDOM % 16000))
            if ! taken "$port" && start_on "$port" 2>/dev/null; then break; fi
            port=""
        done
        if [ -z "$port" ]; then
            echo "pg-server.sh: no free port found for the test server" >&2
            exit 1
        fi
    fi
    psql -h 127.0.0.1 -p "$port" -U postgres -qc 'CREATE DATABASE kxtest' >/dev/null
    echo "$port"
    ;;
stop)
    if [ -d "$dir/data" ]; then
        run_as_pg "$bin/pg_ctl -D '$dir/data' -m fast -w stop >/dev/null 2>&1" || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start DIR [PORT] | stop DIR" >&2
    exit 2
    ;;
esac
