#!/usr/bin/env bash
# Builds a fuzz target with clang and runs it on a fresh seed corpus.
# Usage: scripts/fuzz.sh [seconds, default 600] [extra libFuzzer options...]
# KXLAB_FUZZ_TARGET picks the target: labfile (reading a label file, the default), labdraw (previewing
# what was read), pictures (loading and drawing picture bytes), svg (checking, loading and drawing SVG
# pictures), filter (parsing and rendering a record filter) or stocks (reading an XML stock catalogue
# file and laying out its stocks).
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_TO_RUN=${1:-600}
shift || true
# Absolute paths throughout: a target may work in a folder of its own (svg does).
BUILD=$(realpath -m "${KXLAB_FUZZ_BUILD:-build/fuzz}")
TARGET=${KXLAB_FUZZ_TARGET:-labfile}
OPTIONS=()
SEED_FILES=()
case "$TARGET" in
labfile | labdraw) CORPUS_KIND=label MAX_LEN=4096 ;;
pictures)
    CORPUS_KIND=picture MAX_LEN=8192
    SEED_FILES+=(tests/data/shapes.emf tests/data/shapes.wmf)
    ;;
svg)
    CORPUS_KIND=svg MAX_LEN=8192
    SEED_FILES+=(tests/data/shapes.svg)
    OPTIONS+=(-dict=$PWD/fuzz/svg.dict)
    ;;
filter)
    CORPUS_KIND=filter MAX_LEN=4096
    OPTIONS+=(-dict=$PWD/fuzz/filter.dict)
    ;;
stocks)
    CORPUS_KIND=stock MAX_LEN=8192
    OPTIONS+=(-dict=$PWD/fuzz/stocks.dict)
    ;;
*)
    echo "unknown fuzz target '$TARGET': labfile, labdraw, pictures, svg, filter or stocks" >&2
    exit 2
    ;;
esac
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DKXLAB_FUZZ=ON -DKXLAB_BUILD_TESTS=OFF -DKXLAB_BUILD_BENCHMARKS=OFF \
    -DKXLAB_BUILD_APPS=OFF -DKXLAB_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$BUILD" --target "fuzz_$TARGET" "kxlab_make_${CORPUS_KIND}_corpus"

export QT_QPA_PLATFORM=offscreen
# What Qt and fontconfig keep for the life of the process is not a finding.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
CORPUS="$BUILD/fuzz/corpus/$CORPUS_KIND"
"$BUILD/fuzz/kxlab_make_${CORPUS_KIND}_corpus" "$CORPUS" "${SEED_FILES[@]}"
# Findings land in fuzz/regressions/<target>, which the normal test build replays.
mkdir -p "fuzz/regressions/$TARGET"
"$BUILD/fuzz/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -artifact_prefix="$PWD/fuzz/regressions/$TARGET/" \
    -max_len="$MAX_LEN" "${OPTIONS[@]}" "$@" "$CORPUS"
