#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and configures and builds
# the tree into build/. Sourced by the test and demo scripts.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}

packages=(build-essential cmake ninja-build ccache pkg-config googletest libgtest-dev libgmock-dev
          libcli11-dev qt6-base-dev qt6-base-private-dev xvfb xauth srecord)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${QMX_CMAKE_ARGS:-}
cmake --build "$build" -j2
