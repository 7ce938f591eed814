#!/usr/bin/env bash
# Loads, lays out and paints every HTML file under /usr/share/doc through
# render-page of the test build (ASan and UBSan on), at two widths. Not part
# of CI: the files exist only on Debian-like machines.
# Usage: scripts/check-debian-html.sh [BUILD_DIR] [ROOT]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
root=${2:-/usr/share/doc}
tool="$build/tests/render-page"
[ -x "$tool" ] || { echo "no $tool: build the tests first" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

total=0
failed=0
while IFS= read -r -d '' page; do
  total=$((total + 1))
  for width in 120 800; do
    if ! out=$(timeout 60 "$tool" "$page" "$width" - 2>&1 >/dev/null); then
      failed=$((failed + 1))
      echo "FAILED ($width): $page"
      printf '%s\n' "$out" | tail -n 20
      break
    fi
  done
done < <(find -L "$root" -type f \( -iname '*.html' -o -iname '*.htm' \) -print0 2>/dev/null)
echo "$total pages, $failed failed"
[ "$failed" -eq 0 ]
