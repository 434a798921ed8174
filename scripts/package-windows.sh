#!/usr/bin/env bash
# scripts/package-windows.sh BUILD_DIR QT_PREFIX
# Packs a Windows build (scripts/test-windows.sh) as a zip that runs as it is unpacked: the programs, Qt's
# DLLs with the plugins they load beside them (Qt looks in the program's folder), and the MinGW runtime.
# Prints the zip's path.
set -euo pipefail
build=$(cd "$1" && pwd)
qt=$2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=qspindrel-$version-win64
out=$build/package
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage"

cp "$build"/bin/*.exe "$stage/"
for module in Core Gui Widgets Network Sql; do
    cp "$qt/bin/Qt6$module.dll" "$stage/"
done
# The Windows platform, offscreen for machines without a desktop session, the SQLite and ODBC (Access)
# drivers, image formats, the native style, and TLS/network information for Qt Network.
for dir in platforms sqldrivers imageformats styles tls networkinformation; do
    [[ -d "$qt/plugins/$dir" ]] || continue
    mkdir -p "$stage/$dir"
    cp "$qt/plugins/$dir"/*.dll "$stage/$dir/"
done
gccrt=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
cp "$gccrt/libstdc++-6.dll" "$gccrt/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"

(cd "$out" && zip -qr "$name.zip" "$name")
echo "$out/$name.zip"
