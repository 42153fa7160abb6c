#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}
QMX_CMAKE_ARGS="${QMX_CMAKE_ARGS:-} -DQMX_WERROR=ON" "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
