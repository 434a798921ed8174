#!/usr/bin/env bash
# Installs what is missing, builds, runs every test; then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test again.
# First Windows: the cross-build with its tests under Wine when scripts/windows-qt.sh has run, else the
# syntax check (scripts/check-windows.sh); then that every text a user sees can be translated
# (scripts/check-texts.py) and is translated, placeholders kept (scripts/check-translations.py).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install.sh"

# Windows: with the Qt for Windows that scripts/windows-qt.sh builds once (about an hour, so a separate first
# step), the real cross-build with its suites under Wine; without it, the syntax check of every file.
if "$root/scripts/windows-qt.sh" --prefix >/dev/null; then
    echo "== Windows build and tests under Wine"
    "$root/scripts/test-windows.sh"
else
    echo "== Windows compile check (no Qt for Windows yet: scripts/windows-qt.sh builds it once, then the"
    echo "   Windows build and its tests under Wine run here instead)"
    "$root/scripts/check-windows.sh"
fi
echo "== translatable texts check"
python3 "$root/scripts/check-texts.py"
echo "== translations check"
python3 "$root/scripts/check-translations.py"

pgdir=$(mktemp -d /tmp/qspindrel-pg.XXXXXX)
trap '"$root/scripts/pg-test-server.sh" stop "$pgdir"; rm -rf "$pgdir"' EXIT
QS_TEST_PG_URL=$("$root/scripts/pg-test-server.sh" start "$pgdir")
export QS_TEST_PG_URL
export QT_QPA_PLATFORM=offscreen

jobs=$(nproc)
echo "== build"
"$root/scripts/build.sh" "$root/build"
echo "== tests"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== build with sanitizers"
"$root/scripts/build.sh" "$root/build-asan" -DQS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
echo "== tests with sanitizers"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

echo "== test share of the code (informative)"
"$root/scripts/test-ratio.sh" || true
