#!/usr/bin/env bash
# The main job: set-up, an optimised build, then kxprint prints the example price-tag label filled from
# the sample SQLite database (both made by the build) to a PDF.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
# Qt wants a private runtime folder and says so on every start without one, the build's examples too.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
BUILD=${KXLAB_BUILD:-build/release}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKXLAB_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD"
SAMPLE="$BUILD/examples/sample"
PDF="$PWD/$BUILD/price-tags.pdf"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$BUILD/apps/kxprint/kxprint" "$SAMPLE/price-tag.kxl" \
    --aliases "$SAMPLE/aliases.ini" -o "$PDF"
echo "main: printed the sample products as price tags to $PDF"
