#!/bin/bash
# Installs the Debian 12 packages the build, the tests and the headless run need, when missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libxcb1-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    libical-dev python3-icalendar
    radicale xandikos qtkeychain-qt6-dev
    fonts-liberation
    xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick wmctrl
    dbus libglib2.0-bin gsettings-desktop-schemas dunst
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
