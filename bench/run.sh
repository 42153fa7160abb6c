#!/usr/bin/env bash
# Builds every benchmark with optimisation in its own build folder and runs each of them.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BENCH_BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQMX_BUILD_GUI=OFF \
    -DQMX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target benchmarks
for benchmark in "$build"/bench/*; do
    if [ -f "$benchmark" ] && [ -x "$benchmark" ]; then
        "$benchmark"
    fi
done
