#!/usr/bin/env bash
# The run command: installs what is missing, builds, and shows what the program does with the
# bundled sample: a summary of the configuration and its batch export.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
printf '"Install Directory"="%s"\r\n' "$root/samples" > "$home/registry.reg"
qmxctl=("$build/src/cli/qmxctl" --home "$home")

"${qmxctl[@]}" info "$root/samples/sample.rcz"
echo
echo "Batch export of samples/sample.rcz:"
"${qmxctl[@]}" export "$root/samples/sample.rcz" -
