#!/usr/bin/env bash
# Builds every fuzz target with clang under libFuzzer and replays its seed corpus and past findings
# through the engine. The test script runs it, so the clang build of the fuzz targets never breaks.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${KXLAB_FUZZ_BUILD:-build/fuzz}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DKXLAB_FUZZ=ON -DKXLAB_BUILD_TESTS=OFF -DKXLAB_BUILD_BENCHMARKS=OFF \
    -DKXLAB_BUILD_APPS=OFF -DKXLAB_BUILD_EXAMPLES=OFF -DKXLAB_BUILD_DESIGNER_PLUGIN=OFF >/dev/null
# What Qt and fontconfig keep for the life of the process is not a finding.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
cmake --build "$BUILD" --target fuzz_check
