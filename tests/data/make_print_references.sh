#!/usr/bin/env bash
# Makes the reference renders of printed pages that KxPrintReference compares new output with: the
# first sheet of the example price tag (records 1 to 21) and of the showcase label, printed by kxprint
# to PDF, as a 100 dpi grey picture and as pdftotext's word boxes. The outputs are checked in; make
# them again only when what is printed is meant to change.
#     tests/data/make_print_references.sh [BUILD, default build/release]
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD=${1:-build/release}
OUT=tests/data/print
SAMPLE=$BUILD/examples/sample
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

# name, then kxprint's arguments after the output
reference() {
    local name=$1
    shift
    "$BUILD/apps/kxprint/kxprint" "$@" -q -o "$SCRATCH/$name.pdf"
    pdftoppm -r 100 -gray -png -singlefile -f 1 -l 1 "$SCRATCH/$name.pdf" "$OUT/$name"
    # One word a line: xMin yMin xMax yMax word, in points.
    pdftotext -bbox -f 1 -l 1 "$SCRATCH/$name.pdf" - |
        sed -n 's/.*<word xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">\(.*\)<\/word>/\1 \2 \3 \4 \5/p' \
            >"$OUT/$name.words"
}

reference price-tag "$SAMPLE/price-tag.kxl" --aliases "$SAMPLE/aliases.ini" --from 1 --to 21
reference showcase "$SAMPLE/showcase.kxl"
