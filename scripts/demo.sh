#!/usr/bin/env bash
# Builds the station and starts it on the demo installation, creating that
# installation on first use (in $QS_DEMO_DIR, by default
# ${XDG_DATA_HOME:-~/.local/share}/quorvane-spindrel-demo).
# Extra arguments go to the station (-USER, -PROPERTIES).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install.sh"
"$root/scripts/build.sh" "$root/build"
bin="$root/build/bin"
demo=${QS_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/quorvane-spindrel-demo}

if [[ -x "$bin/qspindrel-config" ]]; then
    if [[ ! -f "$demo/config.sqlite" ]]; then
        echo "Creating the demo installation in $demo"
        "$bin/qspindrel-config" demo "$demo"
    fi
fi

dncd_pid=""
if [[ -x "$bin/qspindrel-dncd" && -f "$demo/config.sqlite" ]]; then
    "$bin/qspindrel-dncd" --db "$demo/config.sqlite" --simulate "$demo/programs" \
        >>"$demo/dncd.log" 2>&1 &
    dncd_pid=$!
    trap 'kill $dncd_pid 2>/dev/null || true' EXIT
    echo "DNC server stand-in running; requests are logged to $demo/dncd.log"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display: starting a virtual one (Xvfb :99)."
    Xvfb :99 -screen 0 1280x800x24 >/dev/null 2>&1 &
    export DISPLAY=:99
    sleep 1
fi
"$bin/qspindrel" "$@"
