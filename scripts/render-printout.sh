#!/usr/bin/env bash
# Prints a list of 500 entries through the print window into a PDF and turns
# one page of it into a PNG, for a look at the printout. Not part of CI.
# Usage: scripts/render-printout.sh [PAGE] [BUILD_DIR]
# Needs pdftoppm (poppler-utils). Writes BUILD_DIR/printout/liste.pdf and
# BUILD_DIR/printout/seite-PAGE.png and prints the PNG's path.
set -euo pipefail
cd "$(dirname "$0")/.."
page=${1:-1}
build=${2:-build-test}
command -v pdftoppm >/dev/null || { echo "pdftoppm is missing (poppler-utils)" >&2; exit 2; }
cmake --build "$build" --target print-list >/dev/null
out="$build/printout"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The print-out takes no options from the user's own settings.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp" PELKO_REGISTRY="$tmp/registry.reg"
export ASAN_OPTIONS="detect_leaks=0"
"$build/tests/print-list" "$out/liste.pdf"
pdftoppm -f "$page" -l "$page" -r 100 -png -singlefile "$out/liste.pdf" "$out/seite-$page"
echo "$out/seite-$page.png"
