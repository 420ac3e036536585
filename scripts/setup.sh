#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running KxLab need.
# Idempotent: installs only what is missing, and refreshes the package lists only then.
set -euo pipefail

PACKAGES=(
    # build
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    # the engines' client libraries behind Qt's drivers: time limits and server notes
    libpq-dev libsqlite3-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    # QUiLoader (Qt6::UiTools) needs the OpenGL widgets package
    libqt6opengl6-dev
    # encoders of the barcode kinds beyond the four retail ones
    libzint-dev
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core zbar-tools poppler-utils sqlite3
    # a second barcode decoder, linked only into the tests
    libzxing-dev
    # what a program asks of the system, seen by the tests that check it is flushed to disk
    strace
    # fuzzing
    clang-14 libclang-rt-14-dev
    # a second EMF/WMF reader and writer for the metafile tests
    inkscape
    # database server for the PostgreSQL tests
    postgresql
    # real printing through a CUPS queue that writes PDF files
    cups printer-driver-cups-pdf
    # the designer's end-to-end test on a real X server, and Qt's own dialogs in Spanish
    xvfb xauth xdotool qt6-translations-l10n
    # a window manager for the designer's run driven by real pointer and key events
    openbox
    # the XML label stock catalogue, read at run time (the tests also run without it)
    glabels-data
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#PACKAGES[@]} packages present"
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq
$SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
