#!/usr/bin/env bash
# Two throw-away servers started without a port both start, each on a port of its own: a server
# already listening never fails the start of the next. Skipped (77) without PostgreSQL.
set -euo pipefail
script=$1
ls -d /usr/lib/postgresql/*/bin >/dev/null 2>&1 || exit 77
first=$(mktemp -d)
second=$(mktemp -d)
trap 'bash "$script" stop "$first"; bash "$script" stop "$second"; rm -rf "$first" "$second"' EXIT
a=$(bash "$script" start "$first")
b=$(bash "$script" start "$second")
echo "ports $a and $b"
[ -n "$a" ] && [ -n "$b" ] && [ "$a" != "$b" ]
psql -h 127.0.0.1 -p "$a" -U postgres -d kxtest -qAtc 'SELECT 1' | grep -qx 1
psql -h 127.0.0.1 -p "$b" -U postgres -d kxtest -qAtc 'SELECT 1' | grep -qx 1
