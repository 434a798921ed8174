#!/usr/bin/env bash
# scripts/check-windows.sh [FILE.cpp...]
# Parses every source file that a Windows build compiles with the MinGW-w64
# cross compiler against the installed Qt headers (_WIN32 defined, so the
# Windows branches of Qt and of the tree are the ones read). Nothing is linked
# or run: this catches type and declaration errors in Windows-only code on a
# Linux machine. Every file is checked; when any has an error, each error is
# printed with its file and line and the script fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cxx=x86_64-w64-mingw32-g++-posix

if ! command -v "$cxx" >/dev/null; then
    echo "Installing: g++-mingw-w64-x86-64-posix"
    SUDO=""
    [[ $(id -u) -eq 0 ]] || SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix >/dev/null
fi

qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)
[[ -d "$qt" ]] || qt=/usr/include/$(gcc -dumpmachine)/qt6
if [[ ! -d "$qt/QtCore" ]]; then
    echo "check-windows: no Qt 6 headers found (install qt6-base-dev)" >&2
    exit 1
fi

# The Windows build takes the common files and the *_win ones and leaves out
# the *_unix ones (cmake/QsPlatform.cmake); so does this check, also among
# files named on the command line.
cd "$root"
if [[ $# -gt 0 ]]; then
    files=()
    for f in "$@"; do
        case "$f" in
            *_unix.cpp) echo "check-windows: $f is Unix only, left out" ;;
            *.cpp) files+=("$f") ;;
        esac
    done
    if [[ ${#files[@]} -eq 0 ]]; then
        echo "check-windows: no file a Windows build compiles"
        exit 0
    fi
else
    mapfile -t files < <(find src tools tests bench -name '*.cpp' ! -name '*_unix.cpp' | sort)
fi

work=$(mktemp -d /tmp/qs-check-windows.XXXXXX)
trap 'rm -rf "$work"' EXIT
# moc output is not needed to parse a file; empty stand-ins satisfy its include.
mkdir "$work/moc"
{ grep -ho '#include "[^"]*\.moc"' "${files[@]}" || true; } | sed 's/.*"\(.*\)"/\1/' |
    while read -r m; do : >"$work/moc/$m"; done

flags=(-std=c++17 -fsyntax-only -fdiagnostics-color=never
       -DUNICODE -D_UNICODE -DQT_NO_DEBUG
       -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_NETWORK_LIB -DQT_SQL_LIB -DQT_SVG_LIB
       -DQT_TESTLIB_LIB
       -I"$qt")
for d in "$qt"/Qt*/; do flags+=(-I"${d%/}"); done
while read -r d; do flags+=(-I"$root/$d"); done < <(find src tools tests -name '*.h' -printf '%h\n' | sort -u)
flags+=(-I"$work/moc")
printf '%q\n' "${flags[@]}" >"$work/flags"

# One compiler per file, as many at once as there are processors; a file's
# diagnostics land in its own log only when it fails.
export cxx work
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -I{} sh -c \
    '"$cxx" @"$work/flags" "$1" >"$work/out.$$" 2>&1 || mv "$work/out.$$" "$work/$(echo "$1" | tr / _).log"; rm -f "$work/out.$$"' _ {}

shopt -s nullglob
logs=("$work"/*.log)
if [[ ${#logs[@]} -gt 0 ]]; then
    for l in "${logs[@]}"; do
        grep -E ':[0-9]+:[0-9]+: (fatal )?error' "$l" || cat "$l"
    done
    echo "check-windows: ${#logs[@]} of ${#files[@]} files do not compile for Windows" >&2
    exit 1
fi
echo "check-windows: ${#files[@]} files compile for Windows"
