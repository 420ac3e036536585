#!/usr/bin/env bash
# kxprint against the peer tool and the bare Qt floor, on the same machine in the same run.
#
# Usage: bench/kxprint-vs-peer.sh [BUILD] [N ...]    (BUILD default build/release; N default 10000 100000)
#   - kxprint: the example price-tag label filled from a sample database of N products, to one PDF;
#     first as the peer's label (square border, no stock mark: the ratios), then as it ships
#   - peer: gLabels' batch command on its equivalent label (split in parts, and one call), from
#     ../shared/peers/glabels, run in a scratch copy
#   - floor: ../shared/peers/qt-floor, bare QPainter into a PDF, bars as rectangles (the ratios) and
#     as one path per barcode
# Prints one line per run: labels/s, wall and CPU seconds, peak RSS, PDF bytes per label; then
# kxprint's labels/s and bytes per label as ratios to the floor's and the peer's of the same N. The
# peer's one-call mode grows with N cubed, so it runs only for N <= PEER_ONECALL_MAX (default 10000),
# and its split mode needs minutes per 100,000 labels, so it runs only for N <= PEER_MAX (default
# 10000).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build/release}
shift || true
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(10000 100000)
# Beside the project, wherever it was cloned.
PEERS=${KXLAB_PEERS:-$PWD/../shared/peers}
PEER_ONECALL_MAX=${PEER_ONECALL_MAX:-10000}
PEER_MAX=${PEER_MAX:-10000}
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

# Runs a command under /usr/bin/time -v; prints "wall_s cpu_s peak_rss_mib".
measure() {
    local log="$SCRATCH/time.log"
    /usr/bin/time -v -o "$log" "$@" >/dev/null 2>"$SCRATCH/err.log" || { cat "$SCRATCH/err.log" >&2; return 1; }
    awk '/Elapsed \(wall clock\)/ { t = $NF; k = split(t, p, ":"); w = 0; for (i = 1; i <= k; i++) w = w * 60 + p[i] }
         /User time/ { u = $NF } /System time/ { s = $NF } /Maximum resident/ { r = $NF }
         END { printf "%.2f %.2f %.1f\n", w, u + s, r / 1024 }' "$log"
}

report() { # name N wall cpu rss pdf_bytes
    awk -v name="$1" -v n="$2" -v w="$3" -v c="$4" -v r="$5" -v b="$6" \
        'BEGIN { printf "%-22s N=%-7d labels_per_s=%-8.0f wall_s=%-7.2f cpu_s=%-7.2f peak_rss_mib=%-6.1f bytes_per_label=%.0f\n", name, n, n / w, w, c, r, b / n }'
}

ratio() { # name N kx_labels_per_s other_labels_per_s [kx_bytes other_bytes]
    awk -v name="$1" -v n="$2" -v a="$3" -v b="$4" -v x="${5:-}" -v y="${6:-}" \
        'BEGIN { printf "%-22s N=%-7d labels_per_s_ratio=%.2f", name, n, a / b
                 if (x != "" && y > 0) printf " bytes_per_label_ratio=%.2f", x / y
                 printf "\n" }'
}

# The Qt floor, built once.
FLOOR=""
if [ -f "$PEERS/qt-floor/main.cpp" ]; then
    cmake -S "$PEERS/qt-floor" -B "$SCRATCH/floor" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "$SCRATCH/floor" >/dev/null && FLOOR="$SCRATCH/floor/qtfloor"
fi
HAVE_PEER=0
if command -v glabels-3-batch >/dev/null && [ -d "$PEERS/glabels" ]; then
    cp -r "$PEERS/glabels" "$SCRATCH/peer"
    HAVE_PEER=1
fi

# kxprint on the price tag made with the given options; sets kx_rate and kx_bytes.
run_kxprint() { # name N data [make_price_tag options]
    local name=$1 n=$2 data=$3 w c r pages
    shift 3
    "$BUILD/examples/make_price_tag/make_price_tag" "$data/price-tag.kxl" "$n" "$@"
    read -r w c r < <(measure "$BUILD/apps/kxprint/kxprint" "$data/price-tag.kxl" --aliases "$data/aliases.ini" \
        -q -o "$SCRATCH/kx-$n.pdf")
    pages=$(pdfinfo "$SCRATCH/kx-$n.pdf" | awk '/^Pages:/ { print $2 }')
    [ "$pages" = $(((n + 20) / 21)) ] || { echo "kxprint: $pages pages for $n labels" >&2; exit 1; }
    kx_bytes=$(stat -c %s "$SCRATCH/kx-$n.pdf")
    kx_rate=$(awk -v n="$n" -v w="$w" 'BEGIN { print n / w }')
    report "$name" "$n" "$w" "$c" "$r" "$kx_bytes"
    rm -f "$SCRATCH/kx-$n.pdf"
}

for n in "${SIZES[@]}"; do
    data="$SCRATCH/data-$n"
    "$BUILD/examples/make_sample_db/make_sample_db" "$data" "$n" >/dev/null
    # The peer's label: a square border and no stock mark. Then the example as it ships, whose rounded
    # border and stock mark the peer and the floor do not draw.
    run_kxprint kxprint "$n" "$data" --plain
    plain_rate=$kx_rate plain_bytes=$kx_bytes
    run_kxprint kxprint-rounded+mark "$n" "$data"
    kx_rate=$plain_rate kx_bytes=$plain_bytes
    rm -rf "$data"
    if [ -n "$FLOOR" ]; then
        # The floor's bars as rectangles, its fastest mode: any second argument means one path per
        # barcode, so this mode writes floor.pdf in the folder it runs in.
        mkdir -p "$SCRATCH/floor-run"
        read -r w c r < <(cd "$SCRATCH/floor-run" && measure "$FLOOR" "$n")
        floor_bytes=$(stat -c %s "$SCRATCH/floor-run/floor.pdf")
        report qt-floor "$n" "$w" "$c" "$r" "$floor_bytes"
        ratio kxprint/qt-floor "$n" "$kx_rate" "$(awk -v n="$n" -v w="$w" 'BEGIN { print n / w }')" \
            "$kx_bytes" "$floor_bytes"
        read -r w c r < <(measure "$FLOOR" "$n" merge "$SCRATCH/floor-$n.pdf")
        report qt-floor-one-path "$n" "$w" "$c" "$r" "$(stat -c %s "$SCRATCH/floor-$n.pdf")"
        rm -f "$SCRATCH/floor-$n.pdf" "$SCRATCH/floor-run/floor.pdf"
    fi
    if [ "$HAVE_PEER" = 1 ] && [ "$n" -le "$PEER_MAX" ]; then
        peer=$(cd "$SCRATCH/peer" && ./run-chunked.sh "$n")
        sed 's/^/peer-split-in-parts    /' <<<"$peer"
        peer_rate=$(sed -n 's/.*labels_per_s=\([0-9.]*\).*/\1/p' <<<"$peer")
        peer_mib=$(sed -n 's/.*pdf_mib=\([0-9.]*\).*/\1/p' <<<"$peer")
        [ -z "$peer_rate" ] || ratio kxprint/peer-split "$n" "$kx_rate" "$peer_rate" "$kx_bytes" \
            "$(awk -v m="$peer_mib" 'BEGIN { print m * 1048576 }')"
        if [ "$n" -le "$PEER_ONECALL_MAX" ]; then
            (cd "$SCRATCH/peer" && ./run.sh "$n") | sed 's/^/peer-one-call          /'
        fi
        rm -f "$SCRATCH/peer"/out-*.pdf "$SCRATCH/peer"/data-*.csv
    fi
done
