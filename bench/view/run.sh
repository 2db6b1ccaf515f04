#!/usr/bin/env bash
# Builds the view, edit-command, arrange and gesture benchmarks in a Release tree, writes
# the large picture of the document benchmarks, runs each benchmark RUNS times (5)
# under the offscreen platform and prints median, minimum and maximum of each
# measure (wall time, and processor time marked "(cpu)" where measured).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${GLYPHAR_BENCH_BUILD:-$root/build/bench}"
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DGLYPHAR_BENCH=ON -DGLYPHAR_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target glyphar_view_bench glyphar_edit_bench glyphar_arrange_bench \
      glyphar_gesture_bench \
      glyphar-make-large-emf >/dev/null
"$build/bench/document/glyphar-make-large-emf" "$work/large.emf"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for _ in $(seq "$runs"); do
  "$build/bench/view/glyphar_view_bench" "$work/large.emf" 1 >>"$work/times.txt"
  "$build/bench/view/glyphar_edit_bench" "$work/large.emf" 1 >>"$work/times.txt"
  "$build/bench/view/glyphar_arrange_bench" "$work/large.emf" >>"$work/times.txt"
done
"$build/bench/view/glyphar_gesture_bench" "$work/large.emf" "$runs" >>"$work/times.txt"
# One measure per line: "name ms: value"; median, min and max per name.
awk -F' ms: ' '{ v[$1] = v[$1] " " $2 }
  END { for (k in v) print k ":" v[k] }' "$work/times.txt" | while IFS=: read -r name values; do
  sorted=$(tr ' ' '\n' <<<"$values" | grep . | sort -n)
  n=$(wc -l <<<"$sorted")
  echo "$name: median $(sed -n "$(((n + 1) / 2))p" <<<"$sorted") ms," \
       "min $(head -1 <<<"$sorted") ms, max $(tail -1 <<<"$sorted") ms ($n runs)"
done
