#!/usr/bin/env bash
# scripts/pg-test-server.sh start DIR [MAX_CONNECTIONS] | stop DIR
# A throwaway PostgreSQL cluster in DIR that listens on a Unix socket only,
# with the server's connection limit when MAX_CONNECTIONS is given.
# `start` prints the URL for QS_TEST_PG_URL.
set -euo pipefail
usage() { echo "usage: $0 start DIR [MAX_CONNECTIONS] | stop DIR" >&2; exit 2; }
[[ ($# -eq 2 || ($# -eq 3 && $1 == start && $3 =~ ^[0-9]+$)) && -n "$2" ]] || usage
cmd=$1 dir=$2 limit=${3:+-c max_connections=$3}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[[ -n "$bindir" ]] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

# The server refuses to run as root: run it as the postgres account then.
as_owner() {
    if [[ $(id -u) -eq 0 ]]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
start)
    mkdir -p "$dir"
    # The server takes a relative socket folder as relative to its data folder.
    dir=$(cd "$dir" && pwd)
    [[ $(id -u) -eq 0 ]] && chown postgres: "$dir"
    chmod 700 "$dir"
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
        -o "-c listen_addresses='' -k $dir -c fsync=off $limit" start >/dev/null \
        || { cat "$dir/server.log" >&2; exit 1; }
    # A caller that gets no URL has nothing to stop.
    as_owner "$bindir/createdb" -h "$dir" -U postgres qspindrel_test \
        || { as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1; exit 1; }
    # Tests connect as the postgres role over the socket; let them in.
    chmod 755 "$dir"
    echo "postgresql://postgres@localhost/qspindrel_test?host=$dir"
    ;;
stop)
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    ;;
*) usage ;;
esac
