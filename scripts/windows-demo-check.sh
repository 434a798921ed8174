#!/usr/bin/env bash
# scripts/windows-demo-check.sh ZIP
# The Windows package end to end under Wine, from the unpacked zip alone (no WINEPATH): qspindrel-config makes
# a demo installation, the station starts offscreen on it and stays up, then the station on a virtual X
# display (Wine's own windows) takes Enter, which is Go on the first machine's first file, and a socat peer
# on the Linux side of loopback gets exactly "LOAD <that file>". Uses the caller's WINEPREFIX when set.
set -euo pipefail
zip=$(realpath "$1")
wine=/usr/lib/wine/wine64
work=$(mktemp -d /tmp/qs-windemo.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [[ -n "${own_prefix:-}" ]] && { /usr/lib/wine/wineserver -k 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "windows-demo-check: $*" >&2; exit 1; }

if [[ -z "${WINEPREFIX:-}" ]]; then
    own_prefix=1
    export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    "$wine" wineboot -i >/dev/null 2>&1
fi
unset WINEPATH WINEQT_QPA_PLATFORM
export WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu

unzip -q "$zip" -d "$work"
app=$(echo "$work"/qspindrel-*-win64)
demo=$work/demo
windemo="Z:${demo//\//\\}"

echo "-- qspindrel-config demo"
"$wine" "$app/qspindrel-config.exe" demo "$windemo" || fail "qspindrel-config demo failed"
[[ -f "$demo/config.sqlite" ]] || fail "no demo database in $demo"

# The first demo machine listens on 5101; Go sends LOAD with its folder's first program (by name).
first=$(cd "$demo/programs/lathe-l101" && ls | grep -E '\.(NC|TXT)$' | sort | head -n1 || true)
[[ -n "$first" ]] || fail "the demo has no program to send"
expected="LOAD ${windemo}\\programs\\lathe-l101\\${first}"

echo "-- the station offscreen"
# Ended by a signal below, it leaves its lock behind, which must not keep the next start from its window.
WINEQT_QPA_PLATFORM=offscreen "$wine" "$app/qspindrel.exe" >"$work/offscreen.log" 2>&1 &
pids+=($!)
sleep 10
kill -0 "${pids[-1]}" 2>/dev/null || fail "the station ended at once offscreen: $(cat "$work/offscreen.log")"
kill "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null || true
/usr/lib/wine/wineserver -k 2>/dev/null || true

echo "-- Go on a virtual display"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.2; done
export DISPLAY=:$(cat "$work/display")
socat -u TCP-LISTEN:5101,bind=127.0.0.1,reuseaddr OPEN:"$work/received",creat >/dev/null 2>&1 &
pids+=($!)
"$wine" "$app/qspindrel.exe" >"$work/station.log" 2>&1 &
pids+=($!)
window=""
for _ in $(seq 120); do # a GUI start under Wine is slow on busy cores
    window=$(xdotool search --onlyvisible --name '^Quorvane Spindrel Client$' 2>/dev/null | head -n1 || true)
    [[ -n "$window" ]] && break
    sleep 1
done
[[ -n "$window" ]] || fail "the station window did not appear: $(cat "$work/station.log")"
sleep 5 # the file list fills after the window shows
xdotool windowfocus --sync "$window" key Return
for _ in $(seq 30); do [[ -s "$work/received" ]] && break; sleep 1; done
sleep 1
got=$(cat "$work/received" 2>/dev/null || true)
[[ "$got" == "$expected" && $(stat -c %s "$work/received") -eq ${#expected} ]] ||
    fail "the peer got '${got}', not '${expected}'"
echo "Go sent: $got"
