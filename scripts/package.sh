#!/usr/bin/env bash
# scripts/package.sh [OUTPUT_DIR]
# Builds the Debian packages quorvane-spindrel and quorvane-spindrel-standins
# with CPack into OUTPUT_DIR (default: packages/ in the build folder) and
# prints their paths. The build folder is build-package/ (a Release build),
# or QS_BUILD_DIR; QS_SKIP_BUILD=1 packs that folder as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QS_BUILD_DIR:-$root/build-package}
if [[ "${QS_SKIP_BUILD:-0}" != 1 ]]; then
    "$root/scripts/install.sh"
    "$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release
fi
[[ -f "$build/CPackConfig.cmake" ]] || { echo "package: $build is not a configured build folder" >&2; exit 1; }
out=${1:-$build/packages}
mkdir -p "$out"
out=$(cd "$out" && pwd)
log="$out/cpack.log"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
rm -rf "$out/_CPack_Packages"
ls "$out"/*.deb
