#!/usr/bin/env bash
# Redraws the skins' bitmaps with tools/skinart: the program's in
# assets/skin and the one the tests load in tests/fixtures/skins/full.
# Commit the changed bitmaps together with the change to the art; a native
# test checks that they match what the generator draws.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
cmake --preset native >/dev/null
cmake --build build/native --target skinart -j"${JOBS:-2}"
build/native/tools/skinart assets/skin
build/native/tools/skinart --full tests/fixtures/skins/full
