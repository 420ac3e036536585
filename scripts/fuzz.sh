#!/usr/bin/env bash
# Builds a label fuzz target with clang and runs it on a fresh seed corpus.
# Usage: scripts/fuzz.sh [seconds, default 600] [extra libFuzzer options...]
# KXLAB_FUZZ_TARGET picks the target: labfile (reading, the default) or labdraw (previewing what was read).
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_TO_RUN=${1:-600}
shift || true
BUILD=${KXLAB_FUZZ_BUILD:-build/fuzz}
TARGET=${KXLAB_FUZZ_TARGET:-labfile}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DKXLAB_FUZZ=ON -DKXLAB_BUILD_TESTS=OFF -DKXLAB_BUILD_BENCHMARKS=OFF \
    -DKXLAB_BUILD_APPS=OFF -DKXLAB_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$BUILD" --target "fuzz_$TARGET" kxlab_make_label_corpus

export QT_QPA_PLATFORM=offscreen
# What Qt and fontconfig keep for the life of the process is not a finding.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
CORPUS="$BUILD/fuzz/corpus/labfile"
"$BUILD/fuzz/kxlab_make_label_corpus" "$CORPUS"
# Findings land in fuzz/regressions/<target>, which the normal test build replays.
mkdir -p "fuzz/regressions/$TARGET"
"$BUILD/fuzz/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -artifact_prefix="fuzz/regressions/$TARGET/" \
    -max_len=4096 "$@" "$CORPUS"
