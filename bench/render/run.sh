#!/usr/bin/env bash
# Builds the render benchmark in a Release tree and runs it; extra arguments
# (shapes, width, runs) go to the benchmark.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${GLYPHAR_BENCH_BUILD:-$root/build/bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DGLYPHAR_BENCH=ON -DGLYPHAR_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target glyphar_render_bench
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bench/render/glyphar_render_bench" "$@"
