#!/usr/bin/env bash
# Builds everything with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DGLYPHAR_SANITIZE=ON -DGLYPHAR_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
if [ -z "${GLYPHAR_CORPUS:-}" ] && [ -d ../shared/corpus ]; then
  export GLYPHAR_CORPUS="$(cd ../shared/corpus && pwd)"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
