#!/usr/bin/env bash
# Makes the picture fixtures of the engine tests with ImageMagick, an encoder
# of its own, so the decoders are checked against files we did not write.
# The outputs are committed; run again only to change them.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/tests/fixtures/images"
mkdir -p "$out"
cd "$out"
im() { convert "$@"; }

# GIF: interlaced and its plain twin, odd size, full 256-colour table.
im -size 37x23 -seed 7 plasma:red-blue -colors 256 +dither -interlace none plain.gif
im plain.gif -interlace GIF interlaced.gif
# Short pictures with a colour per row; the tests set their interlace flag to
# check where each pass puts its rows (the encoder itself writes passes that
# start below a short picture).
for h in 1 2 3 4 5 9; do
  im -size 5x$h gradient:yellow-navy -colors 16 +dither -interlace none rows_h$h.gif
done
im -size 1x1 xc:'#3366cc' one_pixel.gif
# Transparency: a red box on transparent ground.
im -size 13x7 xc:none -fill red -draw 'rectangle 2,1 8,5' transparent.gif
# A first frame placed inside a larger logical screen.
im -size 6x4 xc:blue -set page 16x12+5+3 offset_first.gif
# Two frames with different colour sets: the second gets a local table.
im -size 8x8 xc:red \( -size 8x8 gradient:green-white -colors 64 \) -delay 20 -loop 0 local_tables.gif
# Every disposal method: frame 1 a full background, then small frames at offsets.
im -size 12x12 xc:white \
   -dispose none -delay 10 \( -size 4x4 xc:red -set page +0+0 \) \
   -dispose background -delay 10 \( -size 4x4 xc:lime -set page +4+0 \) \
   -dispose previous -delay 10 \( -size 4x4 xc:blue -set page +8+0 \) \
   -dispose none -delay 10 \( -size 4x4 xc:black -set page +0+8 \) \
   -loop 0 disposal.gif
# An animation with delays 0, 10 and 50 that plays twice (the encoder stores
# the repeats, 2 for -loop 3).
im -loop 3 -delay 0 -size 3x3 xc:red -delay 10 -size 3x3 xc:lime -delay 50 -size 3x3 xc:blue delays.gif
# A transparent animation whose later frames clear their area (disposal 2).
im -dispose background -delay 5 -size 10x10 xc:none -fill red -draw 'rectangle 0,0 4,4' \
   \( -size 10x10 xc:none -fill blue -draw 'rectangle 5,5 9,9' \) -loop 0 transparent_anim.gif
# A large picture for the benchmark.
im -size 320x240 -seed 3 plasma:fractal -colors 256 +dither large.gif

# JPEG (JFIF): baseline, progressive, greyscale.
im -size 48x32 -seed 5 plasma:orange-teal -quality 92 -interlace none -strip baseline.jpg
im baseline.jpg -quality 92 -interlace Plane -strip progressive.jpg
im -size 40x24 gradient:white-black -colorspace Gray -quality 90 -strip gray.jpg
# A broken one: sample precision 9 in the frame header is refused by the codec.
python3 - <<'PY'
data = bytearray(open("baseline.jpg", "rb").read())
sof = data.find(b"\xff\xc0")
data[sof + 4] = 9
open("corrupt.jpg", "wb").write(data)
exif = bytearray(open("baseline.jpg", "rb").read())
exif[3] = 0xE1  # APP1 in place of the JFIF APP0 marker
open("exif.jpg", "wb").write(exif)
PY

# Windows bitmaps: 24-bit, 8-bit and 4-bit palette, 1-bit, 8-bit RLE, 32-bit with alpha.
im -size 11x7 gradient:red-blue BMP3:bmp24.bmp
im -size 20x12 -seed 9 plasma: -colors 200 +dither -type Palette BMP3:bmp8.bmp
im -size 11x7 gradient:red-blue -colors 12 -type Palette -depth 4 BMP3:bmp4.bmp
im -size 11x7 pattern:checkerboard -monochrome BMP3:bmp1.bmp
im -size 20x12 -seed 9 plasma: -colors 200 +dither -type Palette -compress RLE BMP3:bmp8rle.bmp
im -size 11x7 gradient:red-blue -alpha set -channel A -evaluate set 100% BMP:bmp32.bmp
im -size 4x4 xc:white -fill black -draw 'point 0,3' BMP3:corner.bmp

# An animation of full-size frames for the benchmark.
im -delay 8 -loop 0 -size 160x120 -seed 11 plasma:fractal -seed 12 plasma:fractal -seed 13 plasma:fractal \
   -seed 14 plasma:fractal -seed 15 plasma:fractal -seed 16 plasma:fractal -colors 128 +dither animated.gif
