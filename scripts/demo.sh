#!/usr/bin/env bash
# Builds the station and starts it on the demo installation, creating that
# installation on first use (in $QS_DEMO_DIR, by default
# ${XDG_DATA_HOME:-~/.local/share}/quorvane-spindrel-demo). While the station
# runs, the DNC server stand-in listens on the demo machines' loopback ports.
# Extra arguments go to the station (-USER, -PROPERTIES).
#
# QS_BUILD_DIR picks another build folder (default build/); QS_SKIP_BUILD=1
# uses it as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QS_BUILD_DIR:-$root/build}
if [[ "${QS_SKIP_BUILD:-0}" != 1 ]]; then
    "$root/scripts/install.sh"
    "$root/scripts/build.sh" "$build"
fi
bin="$build/bin"
demo=${QS_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/quorvane-spindrel-demo}

# The editor path is machine-wide (the system's configuration folder). A user
# who may not write there keeps the demo's in a folder of their own, which
# the station then reads first.
sysconf=${XDG_CONFIG_DIRS:-/etc/xdg}
if [[ ! -w "${sysconf%%:*}" ]]; then
    mkdir -p "$demo.xdg"
    export XDG_CONFIG_DIRS="$demo.xdg:$sysconf"
fi

if [[ ! -f "$demo/config.sqlite" ]]; then
    if [[ ! -x "$bin/qspindrel-config" ]]; then
        echo "demo: $bin/qspindrel-config is missing; build first." >&2
        exit 1
    fi
    echo "Creating the demo installation in $demo"
    "$bin/qspindrel-config" demo "$demo"
fi

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

if [[ -x "$bin/qspindrel-dncd" ]]; then
    "$bin/qspindrel-dncd" --db "$demo/config.sqlite" --simulate "$demo/programs" \
        >>"$demo/dncd.log" 2>&1 &
    pids+=($!)
    # It ends at once when a port is taken, for instance by an earlier demo.
    sleep 1
    if kill -0 "${pids[-1]}" 2>/dev/null; then
        echo "DNC server stand-in running; requests are logged to $demo/dncd.log"
    else
        echo "demo: the DNC server stand-in did not start: $(tail -n 1 "$demo/dncd.log")" >&2
        echo "demo: requests from the station go to whatever holds that port, or fail." >&2
    fi
else
    echo "No DNC server stand-in ($bin/qspindrel-dncd) yet: requests from the station will fail to connect."
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display: starting a virtual one (Xvfb :99)."
    Xvfb :99 -screen 0 1280x800x24 >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=:99
    sleep 1
fi
"$bin/qspindrel" "$@"
