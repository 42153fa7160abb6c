#!/usr/bin/env bash
# The layer check passes on the tree and fails on a copy of one layer that reaches up a layer
# and a simulator that uses the program's S-record codec.
set -euo pipefail
script="$1"
root="$2"
"$script" "$root" > /dev/null

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/config" "$tree/src/app" "$tree/sim"
printf '#include "app/ectapp.h"\n' > "$tree/src/config/reader.cpp"
printf '#include "config/srecords.h"\n' > "$tree/sim/engine.cpp"
if output=$("$script" "$tree"); then
    echo "an upward include passed the check" >&2
    exit 1
fi
grep -q 'src/config/reader.cpp:1: config includes app' <<<"$output"
grep -q 'sim/engine.cpp:1:.*S-record codec' <<<"$output"
