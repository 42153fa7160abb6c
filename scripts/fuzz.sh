#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ (installing clang and the fuzzer runtime
# when missing), writes the seed corpora and runs every target for SECONDS (default 20) on its
# seed corpus. What a run finds beyond the seeds goes to a scratch folder, not into the corpus.
# Prints each target's inputs per second; a finding stops the script with status 1 and leaves
# the input that caused it in build-fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-20}

"$root/scripts/packages.sh" clang libclang-rt-14-dev python3 cmake ninja-build ccache libcli11-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQMX_FUZZ=ON -DQMX_BUILD_GUI=OFF -DQMX_BUILD_TESTS=OFF -DQMX_WERROR=ON > /dev/null
cmake --build "$build" -j2 --target fuzz
python3 "$root/fuzz/seed_corpora.py" > /dev/null

# The open saves a file per input: memory spares the disk those syncs.
[ -w /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
findings="$build/findings"
mkdir -p "$findings"
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] && [ -f "$target" ] || continue
    name=${target##*/}
    mkdir "$scratch/$name"
    log="$findings/$name.log"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/$name-" "$scratch/$name" "$root/fuzz/corpus-${name#fuzz_}" \
        > "$log" 2>&1; then
        tail -n 40 "$log"
        echo "$name: a finding, see $findings/" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "$name: $runs inputs in ${seconds} s, $rate per second"
done
