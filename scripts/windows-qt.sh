#!/bin/bash
# Cross-builds Debian's own qtbase (the version installed on the host) for x86_64-w64-mingw32 and installs it into
# a cache folder outside the tree, reused when present. First use takes about an hour of CPU; run it niced.
#   scripts/windows-qt.sh            build (or reuse) and print the Qt prefix on the last line
#   scripts/windows-qt.sh --prefix   only print it; fails when there is no finished build yet
#   QS_QT_MINGW=DIR                  cache folder (default: .cache/qt-mingw beside the checkout)
#   QS_QT_MINGW_JOBS=N               parallel jobs (default 2)
# Needs root for apt (deb-src entry, source packages, build tools).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${QS_QT_MINGW:-$(cd "$ROOT/.." && pwd)/.cache/qt-mingw}
JOBS=${QS_QT_MINGW_JOBS:-2}
PREFIX=$CACHE/qt
STAMP=$PREFIX/.qspindrel-complete
TOOLCHAIN=$ROOT/cmake/mingw-w64.cmake

stage() { echo "[windows-qt $(date -u +%H:%M:%S)] $*"; }

if [ "${1:-}" = --prefix ]; then
    [ -f "$STAMP" ] && echo "$PREFIX"
    [ -f "$STAMP" ]
    exit
fi
if [ -f "$STAMP" ]; then
    stage "reusing $PREFIX"
    echo "$PREFIX"
    exit 0
fi

mkdir -p "$CACHE/src"
QT_SRC_PKG=$(dpkg-query -W -f='${source:Package}' libqt6core6)
QT_SRC_VER=$(dpkg-query -W -f='${source:Version}' libqt6core6)
SQLITE_SRC_VER=$(dpkg-query -W -f='${source:Version}' libsqlite3-0)

stage "1/6 build tools"
missing=()
for p in dpkg-dev g++-mingw-w64-x86-64-posix tcl cmake ninja-build qt6-base-dev qt6-base-dev-tools; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

stage "2/6 deb-src entry for the mirror that serves the installed Qt"
# The same URI, suite and component apt already installs libqt6core6 from; written here so the tree names no host.
SRC_LIST=/etc/apt/sources.list.d/qspindrel-deb-src.sources
if ! apt-get source --print-uris "$QT_SRC_PKG=$QT_SRC_VER" >/dev/null 2>&1; then
    mirrors=$(apt-cache policy libqt6core6 libsqlite3-0 | awk '$2 ~ /^[a-z]+:\/\// && $NF == "Packages" { print $2 }' | sort -u)
    [ -n "$mirrors" ] || { echo "no mirror found for libqt6core6" >&2; exit 1; }
    # Each deb822 stanza that names one of them, copied as deb-src (its suites and Signed-By kept as they are).
    for m in $mirrors; do
        for f in /etc/apt/sources.list.d/*.sources; do
            [ "$f" = "$SRC_LIST" ] && continue
            awk -v uri="$m" 'BEGIN { RS = ""; ORS = "\n\n" }
                $0 ~ ("URIs:[ \t]*" uri "/?([ \t\n]|$)") && /Types:[^\n]*deb([ \t\n]|$)/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
        done
    done >"$SRC_LIST"
    # One-line entries in sources.list (older installs), copied the same way.
    if [ -f /etc/apt/sources.list ]; then
        for m in $mirrors; do grep -E "^deb[[:space:]].*$m/?[[:space:]]" /etc/apt/sources.list | sed 's/^deb /deb-src /'; done \
            >/etc/apt/sources.list.d/qspindrel-deb-src.list || true
        [ -s /etc/apt/sources.list.d/qspindrel-deb-src.list ] || rm -f /etc/apt/sources.list.d/qspindrel-deb-src.list
    fi
    [ -s "$SRC_LIST" ] || rm -f "$SRC_LIST"
    apt-get update -qq
fi

stage "3/6 source packages $QT_SRC_PKG $QT_SRC_VER, sqlite3 $SQLITE_SRC_VER"
cd "$CACHE/src"
QT_DIR=$(ls -d "$CACHE"/src/"$QT_SRC_PKG"-*/ 2>/dev/null | head -n1 || true)
if [ -z "$QT_DIR" ]; then
    apt-get source -qq "$QT_SRC_PKG=$QT_SRC_VER"
    QT_DIR=$(ls -d "$CACHE"/src/"$QT_SRC_PKG"-*/ | head -n1)
fi
QT_DIR=${QT_DIR%/}
# Debian's tarball leaves out src/3rdparty/sqlite; the amalgamation made from Debian's sqlite3 source takes its place.
if [ ! -f "$QT_DIR/src/3rdparty/sqlite/sqlite3.c" ]; then
    SQ_DIR=$(ls -d "$CACHE"/src/sqlite3-*/ 2>/dev/null | head -n1 || true)
    if [ -z "$SQ_DIR" ]; then
        apt-get source -qq "sqlite3=$SQLITE_SRC_VER"
        SQ_DIR=$(ls -d "$CACHE"/src/sqlite3-*/ | head -n1)
    fi
    (cd "$SQ_DIR" && { [ -f Makefile ] || ./configure >/dev/null; } && make -s sqlite3.c >/dev/null)
    mkdir -p "$QT_DIR/src/3rdparty/sqlite"
    cp "$SQ_DIR/sqlite3.c" "$SQ_DIR/sqlite3.h" "$QT_DIR/src/3rdparty/sqlite/"
    [ -f "$SQ_DIR/sqlite3ext.h" ] && cp "$SQ_DIR/sqlite3ext.h" "$QT_DIR/src/3rdparty/sqlite/"
fi

stage "4/6 fixes to Qt's sources"
# Qt's Gui builds its DirectWrite font database only with Direct2D, but the Windows platform plugin asks for it under
# directwrite3 alone, so without Direct2D the plugin does not link (Qt 6.4 fault): its two conditions also test direct2d.
sed -i -E 's/^#if QT_CONFIG\(directwrite3\)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$QT_DIR/src/plugins/platforms/windows/qwindowsintegration.cpp"

stage "5/6 configure"
# -qt-host-path /usr         moc, rcc, uic and the cmake helpers come from the host's Qt of the same version
# -release -shared           the package ships DLLs; no debug build is needed for tests under Wine
# -nomake examples/tests     only the libraries and plugins the project links
# -no-dbus -no-opengl        neither is used; OpenGL would also need headers Debian's tarball does not carry
# -no-feature-vulkan         not used
# -no-icu -no-openssl        not used; no MinGW builds of them here
# -no-feature-printsupport   not used
# -no-feature-tabletevent    the wintab header is not in Debian's tarball
# -no-feature-direct2d       saves the Direct2D plugin; see the fix above
# -qt-sqlite -sql-sqlite     the bundled SQLite (amalgamation above); the system one is a Linux library
# -sql-odbc                  the Access/ODBC driver the plants use; mingw-w64 carries odbc32
# -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
#                            bundled copies: there are no MinGW builds of the system ones
# -no-feature-concurrent -no-feature-xml   the project uses neither; shorter build
# -no-pch                    precompiled headers cost more memory than two shared cores can spare
if [ ! -f "$CACHE/build/build.ninja" ]; then
    rm -rf "$CACHE/build"; mkdir -p "$CACHE/build"
    (cd "$CACHE/build" && "$QT_DIR/configure" \
        -xplatform win32-g++ -qt-host-path /usr -prefix "$PREFIX" \
        -release -shared -nomake examples -nomake tests -nomake benchmarks \
        -no-dbus -no-opengl -no-feature-vulkan -no-icu -no-openssl -no-feature-printsupport \
        -no-feature-tabletevent -no-feature-direct2d \
        -qt-sqlite -sql-sqlite -sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase -no-sql-oci -no-sql-db2 \
        -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz \
        -no-feature-concurrent -no-feature-xml -no-pch \
        -- -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        >"$CACHE/configure.log" 2>&1) || { tail -n 40 "$CACHE/configure.log" >&2; exit 1; }
fi

stage "6/6 build and install with $JOBS jobs (log: $CACHE/build.log)"
cmake --build "$CACHE/build" --parallel "$JOBS" >"$CACHE/build.log" 2>&1 || { tail -n 40 "$CACHE/build.log" >&2; exit 1; }
cmake --install "$CACHE/build" >"$CACHE/install.log" 2>&1 || { tail -n 20 "$CACHE/install.log" >&2; exit 1; }
touch "$STAMP"
times >"$CACHE/times.log" # the builtin, so not in a pipe: its last line is the CPU of every step above
stage "done: $(du -sh "$PREFIX" | cut -f1) in $PREFIX; CPU (user, system): $(tail -n1 "$CACHE/times.log")"
echo "$PREFIX"
