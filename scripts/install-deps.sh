#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs every Debian package that building, running and testing Quillane needs.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
    libssl-dev
    googletest libgtest-dev libbenchmark-dev
    iproute2 util-linux jq nftables
    ansible-core
    xvfb xauth fonts-liberation2 imagemagick
    dpkg-dev debhelper fakeroot lintian help2man man-db bsdextrautils desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages are installed"
    exit 0
fi

install_line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: these packages are missing; as root, run:" >&2
    echo "  $install_line" >&2
    exit 1
fi

echo "install-deps: $install_line"
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
