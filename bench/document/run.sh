#!/usr/bin/env bash
# Times glyphar-cli on a large generated EMF: info, convert EMF->EMF and
# EMF->WMF, five runs each, with /usr/bin/time -v. Prints the median, minimum
# and maximum of wall time and peak memory, and the written sizes against the
# input's.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/bench
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLYPHAR_BENCH=ON \
  -DGLYPHAR_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target glyphar-cli glyphar-make-large-emf >"$work/build.log" || {
  cat "$work/build.log" >&2
  exit 1
}
cli=$build/src/cli/glyphar-cli
input=$work/large.emf
"$build/bench/document/glyphar-make-large-emf" "$input"
records=$("$cli" dump "$input" | wc -l)
echo "input: $input, $(stat -c %s "$input") bytes, $records records"

# Prints "wall-seconds peak-kB" for one run of the command.
measure() {
  /usr/bin/time -v "$@" >/dev/null 2>"$work/time.txt" || {
    cat "$work/time.txt" >&2
    return 1
  }
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0
                               for (i = 1; i <= n; i++) s = s * 60 + t[i]; wall = s }
    /Maximum resident set size/ { rss = $2 }
    END { printf "%.3f %d\n", wall, rss }' "$work/time.txt"
}

# Median, minimum and maximum of a column of numbers.
summary() {
  sort -n | awk '{ v[NR] = $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "median %s  min %s  max %s", m, v[1], v[NR] }'
}

bench() {
  local name=$1
  shift
  : >"$work/runs.txt"
  for _ in $(seq "$runs"); do
    measure "$@" >>"$work/runs.txt"
  done
  echo "$name:"
  echo "  wall s:   $(cut -d' ' -f1 "$work/runs.txt" | summary)"
  echo "  peak MB:  $(awk '{ printf "%.1f\n", $2 / 1024 }' "$work/runs.txt" | summary)"
}

bench "info" "$cli" info "$input"
bench "convert EMF->EMF" "$cli" convert "$input" "$work/out.emf"
bench "convert EMF->WMF" "$cli" convert "$input" "$work/out.wmf"

in_size=$(stat -c %s "$input")
for out in out.emf out.wmf; do
  size=$(stat -c %s "$work/$out")
  awk -v o="$out" -v s="$size" -v i="$in_size" \
    'BEGIN { printf "%s: %d bytes, %.3f of the input\n", o, s, s / i }'
done
