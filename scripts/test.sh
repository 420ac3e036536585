#!/usr/bin/env bash
# The whole test suite: set-up, a sanitizer build, a throw-away PostgreSQL server, CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# Qt wants a private runtime folder and says so on every start without one, the build's examples too.
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"

BUILD=${KXLAB_TEST_BUILD:-build/test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DKXLAB_SANITIZE=ON -DKXLAB_BUILD_BENCHMARKS=ON >/dev/null
# The benchmarks are built too, so an interface change cannot leave them behind unnoticed.
cmake --build "$BUILD"
# What users install: a Release build in a moved prefix, and a host built against it.
bash scripts/install-check.sh "$BUILD/examples/sample"
# Every fuzz target built with clang under libFuzzer, its corpus and past findings replayed.
bash scripts/fuzz-check.sh

export QT_QPA_PLATFORM=offscreen
# Qt's own leaks at exit are not ours; keep ASan on real errors.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0

PGDIR=$(mktemp -d)
export KXLAB_PG_HOST=127.0.0.1 KXLAB_PG_DB=kxtest KXLAB_PG_USER=postgres
# A CUPS queue that writes each job as a PDF, for the real print test.
export KXLAB_CUPS_QUEUE=KXPDF KXLAB_CUPS_OUT=$(mktemp -d)
CUPSD_PID=""
cleanup() {
    bash scripts/pg-server.sh stop "$PGDIR"
    bash scripts/cups-server.sh stop "${KXLAB_ZPL_QUEUE:-}"
    bash scripts/cups-server.sh stop "$KXLAB_CUPS_QUEUE" "$CUPSD_PID"
    rm -rf "$XDG_RUNTIME_DIR" "$KXLAB_CUPS_OUT"
}
trap cleanup EXIT
# A free port unless one is asked for: a server already on a fixed port would fail the suite.
KXLAB_PG_PORT=$(bash scripts/pg-server.sh start "$PGDIR" ${KXLAB_PG_PORT:+"$KXLAB_PG_PORT"})
export KXLAB_PG_PORT
CUPSD_PID=$(bash scripts/cups-server.sh start "$KXLAB_CUPS_QUEUE" "$KXLAB_CUPS_OUT")
# A roll printer: CUPS's ZPL label driver writing its stream into a file.
export KXLAB_ZPL_QUEUE=KXZPL KXLAB_ZPL_OUT=$KXLAB_CUPS_OUT/roll.zpl
bash scripts/cups-server.sh zpl "$KXLAB_ZPL_QUEUE" "$KXLAB_ZPL_OUT" ||
    { echo "test.sh: no ZPL queue (file devices disabled in a running cupsd)" >&2; unset KXLAB_ZPL_QUEUE; }

ctest --test-dir "$BUILD" --output-on-failure -j2 --timeout 600
