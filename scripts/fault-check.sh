#!/usr/bin/env bash
# Plants each fault of scripts/faults/faults.tsv in turn into a copy of the
# sources at a commit, builds that copy without sanitizers and runs every test:
# a fault is caught when some test fails. Not part of CI.
#   scripts/fault-check.sh [commit] [fault-name...]
set -uo pipefail
cd "$(dirname "$0")/.."
rev=${1:-HEAD}
shift || true
root=$PWD
work=${FAULT_WORK:-build/faults}
src=$work/src
out=$work/build
export CCACHE_BASEDIR=/work CCACHE_DIR=${CCACHE_DIR:-/work/.ccache-dir} CCACHE_NOHASHDIR=1
export CMAKE_CXX_COMPILER_LAUNCHER=ccache QT_QPA_PLATFORM=offscreen
if [ -z "${GLYPHAR_CORPUS:-}" ] && [ -d ../shared/corpus ]; then
  export GLYPHAR_CORPUS="$(cd ../shared/corpus && pwd)"
fi

caught_dir=$work/caught-$(git rev-parse --short "$rev")
rm -rf "$src" "$caught_dir" && mkdir -p "$src" "$out" "$caught_dir"
git archive "$rev" | tar -x -C "$src"
# Fresh time stamps make the build look at every file again; ccache makes that cheap.
find "$src" -type f -exec touch {} +
cmake -S "$src" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
      -DGLYPHAR_SANITIZE=OFF -DGLYPHAR_WERROR=OFF >/dev/null || exit 1

run_tests() {
  cmake --build "$out" -j2 >"$work/build.log" 2>&1 || return 2
  ctest --test-dir "$out" -j2 --timeout 300 --output-on-failure >"$work/ctest.log" 2>&1
}

run_tests || { echo "baseline: build or tests fail at $rev (see $work)"; exit 1; }
echo "baseline at $(git rev-parse --short "$rev"): $(grep -o '[0-9]*% tests passed.*' "$work/ctest.log" | head -1)," \
     "$(grep -o 'Total Test time.*' "$work/ctest.log")"

caught=0 missed=0 broken=0
while IFS=$'\t' read -r name file expr; do
  case $name in ''|'#'*) continue ;; esac
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  target=$src/src/$file
  cp -p "$target" "$work/original"
  perl -0pi -e "$expr" "$target"
  if cmp -s "$target" "$work/original"; then
    result="NOT-APPLIED"; broken=$((broken + 1))
  else
    run_tests
    case $? in
      0) result="missed"; missed=$((missed + 1)) ;;
      2) result="BUILD-FAILS"; broken=$((broken + 1)) ;;
      *) result="caught"; caught=$((caught + 1))
         # which test cases failed, to see what catches what
         grep -o '^\[  FAILED  \] [A-Za-z][A-Za-z0-9_./]*' "$work/ctest.log" | cut -c14- | sort -u \
           >"$caught_dir/$name"
         failed=$(sed -n '/tests FAILED/,$p' "$work/ctest.log" | grep -o ' - [^ ]*' | cut -c4-)
         result+=" by $(echo "$failed" | grep -c .) tests: $(echo "$failed" | head -3 | tr '\n' ' ')" ;;
    esac
  fi
  cp "$work/original" "$target"  # a fresh time stamp, so the build takes it again
  printf '%-28s %s\n' "$name" "$result"
done <"$root/scripts/faults/faults.tsv"
run_tests >/dev/null  # leave the build matching the sources
echo "summary: $caught caught, $missed missed, $broken not applied or not building"
