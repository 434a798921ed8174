#!/usr/bin/env bash
# Runs bench_wizard on SQLite and on a throwaway PostgreSQL server.
#   bench/wizard/run.sh [BUILD_DIR] [--rounds N]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
shift || true
pgdir=$(mktemp -d /tmp/qspindrel-bench-pg.XXXXXX)
trap '"$root/scripts/pg-test-server.sh" stop "$pgdir"; rm -rf "$pgdir"' EXIT
url=$("$root/scripts/pg-test-server.sh" start "$pgdir")
"$build/bin/bench_wizard" --pg "$url" "$@"
