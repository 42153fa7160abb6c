#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and configures and builds
# the tree into build/ (or $QMX_BUILD_DIR). Run by the test and demo scripts.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}

"$root/scripts/packages.sh" build-essential cmake ninja-build ccache pkg-config googletest \
    libgtest-dev libgmock-dev libcli11-dev qt6-base-dev qt6-base-private-dev xvfb xauth srecord

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${QMX_CMAKE_ARGS:-}
cmake --build "$build" -j2
