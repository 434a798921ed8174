#!/usr/bin/env bash
# scripts/test-windows.sh [BUILD_DIR]
# Cross-builds every program and test for Windows against the Qt that scripts/windows-qt.sh made (run that
# once first: about an hour), warning-free, and runs the test suites under Wine with the offscreen platform in
# a fresh Wine prefix. Then packs the Windows zip and checks it end to end (scripts/windows-demo-check.sh).
# Tests that need what Windows or Wine lacks here skip with their reason (PostgreSQL's client, socat, Xvfb,
# mdbtools, symbolic links, access rules on folders); every other test must pass.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-windows}

if ! qt=$("$root/scripts/windows-qt.sh" --prefix); then
    echo "test-windows: no Qt for Windows yet; run scripts/windows-qt.sh once first (about an hour)" >&2
    exit 1
fi

# Only the Windows step needs these.
"$root/scripts/install.sh" wine64 g++-mingw-w64-x86-64-posix librsvg2-bin fonts-dejavu-core socat zip unzip \
    ninja-build xvfb xdotool

wine=/usr/lib/wine/wine64
echo "== Windows build ($build)"
started=$(date +%s)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-fresh.sh" >/dev/null
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { tail -n 60 "$build/build.log"; exit 1; }
if grep -q 'warning:' "$build/build.log"; then
    grep -A3 'warning:' "$build/build.log" | head -n 60
    echo "test-windows: the Windows build has warnings" >&2
    exit 1
fi
echo "built in $(( $(date +%s) - started )) s"

# A fresh prefix per run; Windows programs find the MinGW runtime and Qt through WINEPATH, and Qt's
# variables arrive only when prefixed with WINE.
WINEPREFIX=$(mktemp -d /tmp/qs-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
gccrt=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
export WINEPATH="Z:$qt/bin;Z:$gccrt;Z:/usr/x86_64-w64-mingw32/lib"
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu
"$wine" wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w
export QS_WINE_TEMPLATE=$WINEPREFIX # each suite runs in a copy of it (scripts/wine-fresh.sh)

echo "== tests under Wine"
started=$(date +%s)
status=0
show_failures() {
    # What Qt Test wrote for each failed suite (its standard output does not reach us through Wine).
    [[ -f "$build/Testing/Temporary/LastTestsFailed.log" ]] || return 0
    while IFS=: read -r _ name; do
        echo "-- $name"
        grep -vE '^(PASS|QDEBUG|QWARN) ' "$build/tests/$name.txt" 2>/dev/null || echo "(no output)"
    done <"$build/Testing/Temporary/LastTestsFailed.log"
}
# No PostgreSQL client, Xvfb or socat is a Windows program here: those suites skip with their reason even
# where CI=true would make a missing tool a failure on Linux. One at a time, as the two cores are shared.
env -u CI ctest --test-dir "$build" --output-on-failure -j1 || { status=$?; show_failures; }
echo "tests ran in $(( $(date +%s) - started )) s"

echo "== Windows package and demo check"
zip=$("$root/scripts/package-windows.sh" "$build" "$qt")
# In a prefix of its own, as on a machine that has only the zip.
env -u WINEPREFIX "$root/scripts/windows-demo-check.sh" "$zip" || status=1
exit "$status"
