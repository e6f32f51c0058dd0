#!/usr/bin/env bash
# Redraws the skins' bitmaps with tools/skinart: the program's in
# assets/skin (and drawn at each further scale the program carries in
# assets/skin/PERCENT) and the one the tests load in tests/fixtures/skins/full.
# Commit the changed bitmaps together with the change to the art; a native
# test checks that they match what the generator draws.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
cmake --preset native >/dev/null
cmake --build build/native --target skinart -j"${JOBS:-2}"
build/native/tools/skinart assets/skin
for percent in 125 150 175 200; do
  mkdir -p "assets/skin/$percent"
  build/native/tools/skinart --scale "$percent" "assets/skin/$percent"
done
build/native/tools/skinart --full tests/fixtures/skins/full
