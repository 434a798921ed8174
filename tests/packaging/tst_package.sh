#!/usr/bin/env bash
# Builds the packages of this build with scripts/package.sh, unpacks them and
# checks their control fields, their files, the desktop entries and manual
# pages, and that the unpacked programs run on a demo installation.
set -euo pipefail
: "${QS_BUILD_DIR:?}" "${QS_SOURCE_DIR:?}" "${QS_VERSION:?}"
tmp=$(mktemp -d)
station_pid=
cleanup() {
    [[ -n "$station_pid" ]] && kill "$station_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

QS_BUILD_DIR="$QS_BUILD_DIR" QS_SKIP_BUILD=1 "$QS_SOURCE_DIR/scripts/package.sh" "$tmp/debs" >/dev/null
arch=$(dpkg --print-architecture)
station="$tmp/debs/quorvane-spindrel_${QS_VERSION}_${arch}.deb"
standins="$tmp/debs/quorvane-spindrel-standins_${QS_VERSION}_${arch}.deb"
[[ -f "$station" && -f "$standins" ]] || fail "packages missing: $(ls "$tmp/debs")"

field() { dpkg-deb -f "$1" "$2"; }
for deb in "$station" "$standins"; do
    [[ $(field "$deb" Version) == "$QS_VERSION" ]] || fail "$deb: Version $(field "$deb" Version)"
    [[ $(field "$deb" Architecture) == "$arch" ]] || fail "$deb: Architecture"
    [[ -n $(field "$deb" Maintainer) && -n $(field "$deb" Description) ]] || fail "$deb: Maintainer or Description"
done
[[ $(field "$station" Package) == quorvane-spindrel ]] || fail "station package name"
[[ $(field "$standins" Package) == quorvane-spindrel-standins ]] || fail "stand-ins package name"
# Dependencies found in the programs themselves, and the database plug-ins named by hand.
depends=$(field "$station" Depends)
for dep in libqt6widgets6 libqt6sql6 libqt6network6 libqt6svg6 libc6 libqt6sql6-sqlite; do
    [[ ",$depends," =~ [,\ ]$dep[,\ ] ]] || fail "station Depends lacks $dep: $depends"
done
[[ $(field "$station" Recommends) == *libqt6sql6-psql* ]] || fail "station Recommends"
[[ $(field "$standins" Depends) == *"quorvane-spindrel (= $QS_VERSION)"* ]] || fail "stand-ins Depends: $(field "$standins" Depends)"
[[ $(field "$standins" Depends) == *libqt6widgets6* ]] || fail "stand-ins Depends lacks Qt"

files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ {print $NF}' | sort; }
expected_station="./usr/bin/qspindrel
./usr/bin/qspindrel-config
./usr/share/applications/quorvane-spindrel-setup.desktop
./usr/share/applications/quorvane-spindrel.desktop
./usr/share/doc/quorvane-spindrel/examples/quorvane-spindrel-kiosk.desktop
./usr/share/icons/hicolor/scalable/apps/quorvane-spindrel.svg
./usr/share/man/man1/qspindrel-config.1.gz
./usr/share/man/man1/qspindrel.1.gz"
expected_standins="./usr/bin/qspindrel-dncd
./usr/bin/qspindrel-edit
./usr/share/man/man1/qspindrel-dncd.1.gz
./usr/share/man/man1/qspindrel-edit.1.gz"
[[ "$(files "$station")" == "$expected_station" ]] || fail "station files:"$'\n'"$(files "$station")"
[[ "$(files "$standins")" == "$expected_standins" ]] || fail "stand-ins files:"$'\n'"$(files "$standins")"

root="$tmp/root"
dpkg-deb -x "$station" "$root"
dpkg-deb -x "$standins" "$root"

for entry in "$root"/usr/share/applications/*.desktop "$root"/usr/share/doc/quorvane-spindrel/examples/*.desktop; do
    said=$(desktop-file-validate "$entry" 2>&1) || fail "$entry: $said"
    [[ -z "$said" ]] || fail "$entry: $said"
done
grep -qx 'Exec=qspindrel -PROPERTIES' "$root/usr/share/applications/quorvane-spindrel-setup.desktop" || fail "setup entry Exec"
grep -qx 'Name=Station setup' "$root/usr/share/applications/quorvane-spindrel-setup.desktop" || fail "setup entry Name"

for page in "$root"/usr/share/man/man1/*.1.gz; do
    said=$(zcat "$page" | LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z 2>&1)
    [[ -z "$said" ]] || fail "$page: $said"
    said=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$page" 2>&1 >/dev/null)
    [[ -z "$said" ]] || fail "man -l $page: $said"
done

# The unpacked programs on a demo installation, with settings of their own.
export XDG_CONFIG_HOME="$tmp/home" XDG_CONFIG_DIRS="$tmp/system" XDG_RUNTIME_DIR="$tmp/run"
mkdir -m 700 "$tmp/run"
"$root/usr/bin/qspindrel-config" demo "$tmp/demo" >/dev/null
listing=$("$root/usr/bin/qspindrel-config" machines "$tmp/demo/config.sqlite")
[[ $(grep -c '127\.0\.0\.1:51' <<<"$listing") -ge 6 ]] || fail "machines: $listing"
grep -q "$root/usr/bin/qspindrel-edit" "$tmp/system/Quorvane/Editor.ini" || fail "demo editor path"

# The station reports READY once its window is up; a failed load stops it first.
QT_QPA_PLATFORM=offscreen QS_INSTANCE_TEST_HOOK=1 "$root/usr/bin/qspindrel" >"$tmp/station.out" 2>&1 &
station_pid=$!
for _ in $(seq 600); do
    grep -q '^READY' "$tmp/station.out" && break
    kill -0 "$station_pid" 2>/dev/null || fail "the station ended: $(cat "$tmp/station.out")"
    sleep 0.1
done
grep -q '^READY' "$tmp/station.out" || fail "the station did not come up: $(cat "$tmp/station.out")"
echo "packages, entries, manual pages and unpacked programs fine"
