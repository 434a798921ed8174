#!/usr/bin/env bash
# scripts/wine-fresh.sh PROGRAM.exe [ARGS...]
# Runs one Windows program under Wine in its own copy of the prefix $QS_WINE_TEMPLATE (made by
# scripts/test-windows.sh), so that each suite starts with an empty registry and profile, as each suite on
# Linux starts with settings folders of its own. Whatever the program left running ends with its prefix.
set -euo pipefail
prefix=$(mktemp -d /tmp/qs-wine-run.XXXXXX)
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
cp -a "$QS_WINE_TEMPLATE/." "$prefix/"
status=0
WINEPREFIX=$prefix /usr/lib/wine/wine64 "$@" || status=$?
exit "$status"
