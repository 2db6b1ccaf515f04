#!/usr/bin/env bash
# Builds the program and starts the editor on the bundled sample picture.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLYPHAR_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
exec "$build/src/app/glyphar" samples/sample.emf "$@"
