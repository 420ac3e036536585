#!/usr/bin/env bash
# Starts or stops a throw-away PostgreSQL cluster on 127.0.0.1 for the tests.
#   pg-server.sh start DIR PORT   (prints nothing; the cluster lives in DIR)
#   pg-server.sh stop DIR
set -euo pipefail
cmd=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
run_as_pg() {
    # initdb refuses to run as root: the cluster belongs to an unprivileged user then.
    if [ "$(id -u)" -eq 0 ]; then su postgres -s /bin/sh -c "$1"; else sh -c "$1"; fi
}
case "$cmd" in
start)
    port=$3
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then chown postgres:postgres "$dir"; fi
    run_as_pg "$bin/initdb -D '$dir/data' -A trust -U postgres -E UTF8 --locale=C.UTF-8 >'$dir/initdb.log' 2>&1"
    run_as_pg "$bin/pg_ctl -D '$dir/data' -l '$dir/pg.log' -w -o \"-p $port -k '$dir' -c listen_addresses=127.0.0.1 -c fsync=off\" start >/dev/null"
    psql -h 127.0.0.1 -p "$port" -U postgres -qc 'CREATE DATABASE kxtest' >/dev/null
    ;;
stop)
    if [ -d "$dir/data" ]; then
        run_as_pg "$bin/pg_ctl -D '$dir/data' -m fast -w stop >/dev/null 2>&1" || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start DIR PORT | stop DIR" >&2
    exit 2
    ;;
esac
