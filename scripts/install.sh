#!/usr/bin/env bash
# scripts/install.sh [PACKAGE...]
# Installs the Debian packages that building, testing, packaging and the
# demo need, or only the packages named (a step that needs more, such as the
# Windows one). Quiet and quick when everything is already there.
set -euo pipefail

# Real package names only: dpkg-query knows no virtual ones, so one would
# count as missing on every run.
packages=(
    cmake g++ make
    qt6-base-dev qt6-svg-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n fonts-noto-cjk
    libqt6sql6-sqlite libqt6sql6-psql
    postgresql socat mdbtools
    xvfb imagemagick xauth xdotool fuse3 python3-fusepy
    dpkg-dev desktop-file-utils man-db groff-base
)
[[ $# -gt 0 ]] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[[ $(id -u) -eq 0 ]] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
