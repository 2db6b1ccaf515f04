#!/usr/bin/env bash
# Builds the view benchmark in a Release tree, writes the large picture of the
# document benchmarks, runs the benchmark RUNS times (5) under the offscreen
# platform and prints median, minimum and maximum of each measure.
# BENCH=glyphar_edit_bench times the edit commands instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${GLYPHAR_BENCH_BUILD:-$root/build/bench}"
runs=${RUNS:-5}
bench=${BENCH:-glyphar_view_bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DGLYPHAR_BENCH=ON -DGLYPHAR_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target "$bench" glyphar-make-large-emf >/dev/null
"$build/bench/document/glyphar-make-large-emf" "$work/large.emf"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for _ in $(seq "$runs"); do
  "$build/bench/view/$bench" "$work/large.emf" 1 >>"$work/times.txt"
done
# One measure per line: "name ms: value"; median, min and max per name.
awk -F' ms: ' '{ v[$1] = v[$1] " " $2 }
  END { for (k in v) print k ":" v[k] }' "$work/times.txt" | while IFS=: read -r name values; do
  sorted=$(tr ' ' '\n' <<<"$values" | grep . | sort -n)
  n=$(wc -l <<<"$sorted")
  echo "$name: median $(sed -n "$(((n + 1) / 2))p" <<<"$sorted") ms," \
       "min $(head -1 <<<"$sorted") ms, max $(tail -1 <<<"$sorted") ms ($n runs)"
done
