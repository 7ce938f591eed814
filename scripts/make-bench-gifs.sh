#!/usr/bin/env bash
# Makes the GIF pictures of the decoding benchmark with ImageMagick into a
# folder of the build (they are large, so they are not committed):
#   large.gif     2000 x 1500, 256 colours
#   animated.gif  10 frames of 640 x 480, 256 colours each
# Usage: scripts/make-bench-gifs.sh OUT_DIR
set -euo pipefail
out=${1:?usage: make-bench-gifs.sh OUT_DIR}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert -size 2000x1500 -seed 3 plasma:fractal -colors 256 "$tmp/large.gif"
frames=()
for i in 0 1 2 3 4 5 6 7 8 9; do
  convert -size 640x480 -seed $((11 + i)) plasma:fractal "$tmp/frame$i.png"
  frames+=("$tmp/frame$i.png")
done
convert -delay 10 -loop 0 "${frames[@]}" -colors 256 "$tmp/animated.gif"
mv "$tmp/large.gif" "$tmp/animated.gif" "$out/"
