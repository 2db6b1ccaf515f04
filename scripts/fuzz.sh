#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds and prints how many inputs it ran.
#   scripts/fuzz.sh emf|wmf|clp SECONDS
# Builds with clang in $GLYPHAR_FUZZ_BUILD (default build/fuzz) when needed. The
# seeds are made there from the test fixtures and ../shared/corpus (or
# $GLYPHAR_CORPUS); inputs that fail end up in its artifacts/ folder.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
seconds=${2:-}
case "$target" in
  emf|wmf|clp) ;;
  *) echo "usage: $0 emf|wmf|clp SECONDS" >&2; exit 2 ;;
esac
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 emf|wmf|clp SECONDS" >&2
  exit 2
fi

if ! command -v clang++ >/dev/null; then
  echo "$0: needs clang (Debian package clang)" >&2
  exit 2
fi

build=${GLYPHAR_FUZZ_BUILD:-build/fuzz}
corpus=${GLYPHAR_CORPUS:-../shared/corpus}
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLYPHAR_FUZZ=ON -DGLYPHAR_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target "fuzz_$target" fuzz_seeds

seeds="$build/seeds"
if [ ! -d "$seeds/$target" ]; then
  "$build/fuzz/fuzz_seeds" "$seeds" "$corpus"
fi
work="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$work" "$artifacts"
log="$build/fuzz_$target.log"

set +e
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
  "$work" "$seeds/$target" >"$log" 2>&1
status=$?
set -e

runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
echo "fuzz_$target: ${runs:-?} executions in $seconds s, exit status $status (log: $log)"
if [ "$status" -ne 0 ]; then
  grep -m1 -E 'ERROR|SUMMARY|deadly signal|Test unit written' "$log" || true
fi
exit "$status"
