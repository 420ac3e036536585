#!/usr/bin/env bash
# Makes the third-party metafile fixtures: a small drawing written as EMF and WMF by inkscape.
# The outputs are checked in; run again only to refresh them.
set -euo pipefail
cd "$(dirname "$0")"
cat > shapes.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100" viewBox="0 0 200 100">
  <rect x="0" y="0" width="200" height="100" fill="#ffffff"/>
  <rect x="10" y="10" width="60" height="40" fill="#ff0000"/>
  <circle cx="150" cy="30" r="20" fill="#0000ff"/>
  <path d="M 10 70 L 60 70 L 35 95 Z" fill="#00ff00"/>
  <text x="100" y="90" font-family="Liberation Sans" font-size="20" fill="#000000">KxLab</text>
</svg>
SVG
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
inkscape shapes.svg --export-type=emf --export-filename=shapes.emf
inkscape shapes.svg --export-type=wmf --export-filename=shapes.wmf
