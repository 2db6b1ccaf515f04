#!/usr/bin/env bash
# Builds the program and starts the editor on the bundled sample picture.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLYPHAR_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
sample=samples/sample.emf
if [ -x "$build/src/app/glyphar" ]; then
  exec "$build/src/app/glyphar" "$sample" "$@"
elif [ -x "$build/src/cli/glyphar-cli" ]; then
  echo "The editor is not built yet; showing what glyphar-cli makes of $sample:"
  exec "$build/src/cli/glyphar-cli" info "$sample"
else
  echo "Built the libraries. Neither the editor nor glyphar-cli exists yet;"
  echo "run ./scripts/test.sh to exercise what is there."
fi
