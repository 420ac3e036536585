#!/usr/bin/env bash
# The main job on the embedded default: set-up, an optimised build, then the smoke program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
BUILD=${KXLAB_BUILD:-build/release}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKXLAB_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$BUILD/apps/kxsmoke/kxsmoke"
