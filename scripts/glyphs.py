"""The program's own glyphs and icons, drawn by hand as ImageMagick vector
drawings (MVG), each on a square grid of GRID units; make-resources.py renders
them as PNGs in several sizes into resources/Symbole/.

Toolbar and button glyphs use a 24-unit grid; the program icons a 48-unit one.
Lines on whole units plus .5 fall on pixel centres at 24 pixels.
"""

import math

OUTLINE = "#3C3C3C"
BLUE = "#2E5EAA"
DARK_BLUE = "#1B3B70"
ARROW_BLUE = "#2F6FC0"
YELLOW = "#F2C230"
DARK_YELLOW = "#8A6A10"
GREEN = "#2F9A3A"
DARK_GREEN = "#1F6A28"
RED = "#D03030"
WOOD = "#8B5A2B"


def page(x0, y0, x1, y1, fold=5, fill="white"):
    """A sheet of paper with its top right corner folded."""
    return (f'stroke {OUTLINE} stroke-width 1 fill {fill} '
            f'path "M {x0},{y0} L {x1 - fold},{y0} L {x1},{y0 + fold} L {x1},{y1} L {x0},{y1} Z" '
            f'fill #D8D8D8 path "M {x1 - fold},{y0} L {x1 - fold},{y0 + fold} L {x1},{y0 + fold} Z" ')


def text_lines(x0, x1, ys, color="#9A9A9A"):
    return "".join(f"stroke {color} stroke-width 1 line {x0},{y} {x1},{y} " for y in ys)


def star(cx, cy, r):
    """A five-pointed star."""
    points = []
    for i in range(10):
        radius = r if i % 2 == 0 else r * 0.45
        angle = math.pi / 2 + i * math.pi / 5
        points.append("%.2f,%.2f" % (cx + radius * math.cos(angle), cy - radius * math.sin(angle)))
    return f"stroke {DARK_YELLOW} stroke-width 0.8 fill {YELLOW} polygon " + " ".join(points) + " "


def magnifier(cx, cy, r, handle):
    return (f"stroke #7A5220 stroke-width 3.2 stroke-linecap round "
            f"line {cx + r * 0.7:.2f},{cy + r * 0.7:.2f} {cx + r * 0.7 + handle:.2f},{cy + r * 0.7 + handle:.2f} "
            f"stroke-linecap butt stroke {OUTLINE} stroke-width 1.8 fill #DCECFF "
            f"circle {cx},{cy} {cx + r},{cy} ")


def speaker():
    return (f"stroke {OUTLINE} stroke-width 1 fill #6A6A6A "
            f'path "M 2.5,9.5 L 6.5,9.5 L 11.5,4.5 L 11.5,19.5 L 6.5,14.5 L 2.5,14.5 Z" ')


def mirrored(mirror):
    """x as drawn, or mirrored at the grid's vertical centre line."""
    return (lambda v: 24 - v) if mirror else (lambda v: v)


def arrow(mirror):
    """A broad green arrow to the left; mirrored, to the right."""
    x = mirrored(mirror)
    return (f"stroke {DARK_GREEN} stroke-width 1 fill #4A9A4A "
            f'path "M {x(2.5)},12 L {x(11.5)},3.5 L {x(11.5)},8.5 L {x(21.5)},8.5 L {x(21.5)},15.5 '
            f'L {x(11.5)},15.5 L {x(11.5)},20.5 Z" ')


def curved_arrow(mirror):
    """Undo's arrow, turning back to the left; mirrored for redo."""
    x = mirrored(mirror)
    return (f"stroke {ARROW_BLUE} stroke-width 2.6 fill none "
            f'path "M {x(19.5)},19 C {x(19.5)},11 {x(15)},8.5 {x(9)},8.5" '
            f"stroke none fill {ARROW_BLUE} "
            f"polygon {x(2.5)},8.5 {x(10)},2.5 {x(10)},14.5 ")


def printer():
    return (page(7.5, 2.5, 16.5, 10.5, fold=0)
            + f"stroke {OUTLINE} stroke-width 1 fill #9AA0A8 roundrectangle 2.5,8.5 21.5,17.5 2,2 "
            + f"fill #5A6068 rectangle 5.5,13.5 18.5,15.5 "
            + f"stroke none fill #3FCF4F circle 18.5,11 18.5,12 "
            + page(6.5, 14.5, 17.5, 21.5, fold=0)
            + text_lines(8.5, 15.5, [17.5, 19.5]))


def book(cx, top, bottom, half, paper, edge, lines):
    """An open book seen from above, centred on cx."""
    bend = (bottom - top) * 0.12

    def side(sign):
        x = lambda f: "%.2f" % (cx + sign * half * f)
        return (f'path "M {cx},{top + bend} C {x(0.4)},{top - bend} {x(0.8)},{top - bend} {x(1)},{top} '
                f'L {x(1)},{bottom} C {x(0.8)},{bottom - bend * 1.6} {x(0.4)},{bottom - bend * 1.6} '
                f'{cx},{bottom + bend * 0.4} Z" ')

    out = f"stroke {edge} stroke-width {max(1, half / 10):.2f} fill {paper} " + side(-1) + side(1)
    if lines:
        step = (bottom - top) / 5
        for i in range(1, 4):
            y = top + step * i + bend
            out += (f"stroke {lines} stroke-width {max(1, half / 14):.2f} "
                    f"line {cx - half * 0.78:.2f},{y:.2f} {cx - half * 0.2:.2f},{y + bend * 0.2:.2f} "
                    f"line {cx + half * 0.2:.2f},{y + bend * 0.2:.2f} {cx + half * 0.78:.2f},{y:.2f} ")
    return out


# Glyphs on the 24-unit grid: name -> drawing.
GLYPHS = {
    # toolbar
    "neu": page(5.5, 2.5, 19.5, 21.5) + star(6, 6, 5.2),
    "assistent": page(3.5, 2.5, 15.5, 19.5, fold=4) + text_lines(5.5, 12.5, [8.5, 11.5, 14.5])
    + "stroke #4A3420 stroke-width 2.4 line 9.5,22 19,12.5 stroke white stroke-width 2.4 line 18,13.5 20,11.5 "
    + star(20, 7.5, 3.6) + star(14.5, 6, 2) + star(22, 14, 1.6),
    "oeffnen": f"stroke #9A6E12 stroke-width 1 fill #E2AE3E "
    f'path "M 2.5,5.5 L 9,5.5 L 11,7.5 L 19.5,7.5 L 19.5,19.5 L 2.5,19.5 Z" '
    + page(5.5, 3.5, 17.5, 14.5, fold=0)
    + f'stroke #9A6E12 fill #F7D676 path "M 2.5,19.5 L 6,10.5 L 22.5,10.5 L 19.5,19.5 Z" ',
    "speichern": f"stroke {DARK_BLUE} stroke-width 1 fill #3F6FB5 "
    f'path "M 3.5,3.5 L 18,3.5 L 20.5,6 L 20.5,20.5 L 3.5,20.5 Z" '
    f"stroke none fill #D0D4DA rectangle 7.5,3.5 15.5,9.5 fill #3F6FB5 rectangle 12.5,4.5 14.5,8.5 "
    f"fill white rectangle 6.5,12.5 17.5,20.5 " + text_lines(8, 16, [15, 17.5], color="#8A9AB8"),
    "rueckgaengig": curved_arrow(False),
    "wiederherstellen": curved_arrow(True),
    "drucken": printer(),
    "ausschneiden": f"stroke #555555 stroke-width 1.8 line 9,15 16.5,2.5 line 15,15 7.5,2.5 "
    f"stroke {RED} stroke-width 1.8 fill none circle 7,18 7,21 circle 17,18 17,21 "
    f"stroke none fill {OUTLINE} circle 12,10.5 12,11.5 ",
    "kopieren": page(2.5, 2.5, 14.5, 16.5, fold=4, fill="#EDEDED") + page(9.5, 7.5, 21.5, 21.5, fold=4)
    + text_lines(11.5, 18.5, [13.5, 16, 18.5]),
    "einfuegen": f"stroke #7A5220 stroke-width 1 fill #C8914A roundrectangle 3.5,4.5 17.5,21.5 1.5,1.5 "
    f"fill #B8B8B8 stroke #555555 roundrectangle 7.5,2.5 13.5,6.5 1,1 "
    + page(10.5, 9.5, 21.5, 22.5, fold=4) + text_lines(12.5, 18.5, [14.5, 17, 19.5]),
    "suchen": magnifier(10, 10, 6.5, 6.5),
    "weitersuchen": magnifier(9, 9, 5.5, 4.5)
    + f"stroke {DARK_GREEN} stroke-width 1 fill {GREEN} "
    f'path "M 12.5,16.5 L 17.5,16.5 L 17.5,13.5 L 22.5,18.5 L 17.5,23.5 L 17.5,20.5 L 12.5,20.5 Z" ',
    "eingabemaske": f"stroke {OUTLINE} stroke-width 1 fill white rectangle 2.5,3.5 21.5,20.5 "
    f"fill {BLUE} rectangle 2.5,3.5 21.5,6.5 "
    f"stroke #888888 fill white rectangle 9.5,8.5 19.5,11.5 rectangle 9.5,13.5 19.5,16.5 "
    f"stroke none fill #8A8A8A rectangle 4.5,9.5 7.5,10.5 rectangle 4.5,14.5 7.5,15.5 "
    f"stroke {ARROW_BLUE} stroke-width 1 line 11.5,9.5 11.5,10.5 ",
    "lernen": book(12, 5.5, 19.5, 10.5, "white", BLUE, "#9AB0D8")
    + f"stroke none fill {RED} polygon 15,4 17.5,4 17.5,11 16.25,9.5 15,11 ",
    "abfragen": f"stroke #9A6E12 stroke-width 1 fill #FFF3C8 roundrectangle 3.5,2.5 20.5,21.5 2,2 "
    f'stroke #C8461E stroke-width 2.6 fill none path "M 8.3,9 C 8.3,4.6 15.7,4.6 15.7,9 C 15.7,12 12,12 12,15" '
    f"stroke none fill #C8461E circle 12,18.3 12,19.8 ",
    "hangman": f"stroke {WOOD} stroke-width 2 line 2.5,21.5 13.5,21.5 line 5.5,21.5 5.5,3 line 4.5,3.5 17.5,3.5 "
    f"line 5.5,8 10,3.5 stroke #B08D57 stroke-width 1.2 line 17,3.5 17,6.5 "
    f"stroke #202020 stroke-width 1.3 fill #F2D2B0 circle 17,8.8 17,11.1 fill none "
    f"line 17,11.1 17,16 line 17,12.5 14.5,15 line 17,12.5 19.5,15 line 17,16 15,20 line 17,16 19,20 ",
    "autosize": f"stroke {OUTLINE} stroke-width 1 fill white rectangle 2.5,2.5 21.5,15.5 "
    f"fill #D8E4F4 rectangle 2.5,2.5 21.5,6.5 stroke #8A8A8A line 8.5,3 8.5,15 line 14.5,3 14.5,15 "
    f"line 3,11 21,11 stroke {DARK_BLUE} fill {ARROW_BLUE} "
    f'path "M 1.5,19.5 L 6,16 L 6,18.2 L 18,18.2 L 18,16 L 22.5,19.5 L 18,23 L 18,20.8 L 6,20.8 L 6,23 Z" ',
    "schriftarten": f"stroke {DARK_BLUE} stroke-width 0.8 fill {BLUE} fill-rule evenodd "
    f'path "M 1.5,21 L 8.5,3 L 11.5,3 L 18.5,21 L 15.4,21 L 13.8,16.6 L 6.2,16.6 L 4.6,21 Z '
    f'M 7.1,14 L 12.9,14 L 10,6.2 Z" '
    f"stroke {RED} stroke-width 1.7 fill none circle 18.6,17.6 18.6,20.2 line 21.3,14.4 21.3,21.2 ",
    "optionen": "stroke #5A5A5A stroke-width 2 line 3,6 21,6 line 3,12 21,12 line 3,18 21,18 "
    f"stroke {DARK_BLUE} stroke-width 1 fill {BLUE} "
    f"roundrectangle 6.5,3.5 10.5,8.5 1,1 roundrectangle 13.5,9.5 17.5,14.5 1,1 "
    f"roundrectangle 8.5,15.5 12.5,20.5 1,1 ",
    # the quiz's sound button
    "lautsprecher": speaker() + f"stroke {ARROW_BLUE} stroke-width 1.7 fill none "
    f'path "M 14.5,9 C 16.3,10.8 16.3,13.2 14.5,15" path "M 17,6.5 C 20.6,9.6 20.6,14.4 17,17.5" ',
    "stumm": speaker() + f"stroke {RED} stroke-width 2.2 line 14.5,9 20.5,15 line 20.5,9 14.5,15 ",
    # the markers of the quiz's verdict lines: asked, typed, correct
    "gefragt": f"stroke {DARK_BLUE} stroke-width 1 fill {BLUE} circle 12,12 12,2 "
    f'stroke white stroke-width 2.6 fill none path "M 8.6,9.4 C 8.6,5 15.4,5 15.4,9.4 C 15.4,12.4 12,12.2 12,15" '
    f"stroke none fill white circle 12,18.4 12,19.9 ",
    "eingegeben": f"stroke #8A6A10 stroke-width 1 fill {YELLOW} polygon 5.5,14.5 15.5,4.5 19.5,8.5 9.5,18.5 "
    f"fill #F0D2A8 polygon 5.5,14.5 9.5,18.5 3,21 "
    f"stroke none fill {OUTLINE} polygon 3,21 3.9,18.6 5.4,20.1 "
    f"stroke #9A3A4A fill #E88A9A polygon 15.5,4.5 17.5,2.5 21.5,6.5 19.5,8.5 "
    f"stroke #9A9A9A stroke-width 1.4 line 11,21.5 21.5,21.5 ",
    "richtig": f"stroke {DARK_GREEN} stroke-width 1 fill {GREEN} circle 12,12 12,2 "
    f"stroke white stroke-width 2.8 stroke-linecap round stroke-linejoin round fill none "
    f'path "M 6.8,12.4 L 10.4,16 L 17.2,8.4" ',
    # the password prompt's buttons
    "ok": f"stroke {GREEN} stroke-width 3.2 stroke-linecap round stroke-linejoin round fill none "
    f'path "M 4.5,12.5 L 9.5,17.5 L 19.5,6.5" ',
    "abbrechen": f"stroke {RED} stroke-width 3.2 stroke-linecap round line 6,6 18,18 line 18,6 6,18 ",
    # the help viewer's buttons
    "zurueck": arrow(False),
    "vorwaerts": arrow(True),
    "inhalt": f"stroke #5A4020 stroke-width 1 fill #F0E6D0 rectangle 5.5,11.5 18.5,21.5 "
    f"fill {WOOD} rectangle 10.5,15.5 13.5,21.5 stroke #7A2A18 fill #C84A30 "
    f"polygon 12,2.5 22.5,12.5 19,12.5 12,6 5,12.5 1.5,12.5 ",
    "verlauf": f"stroke {OUTLINE} stroke-width 1.6 fill white circle 12,12 12,3 "
    f"stroke-width 1.8 line 12,12 12,6.5 line 12,12 16,14.5 stroke none fill {OUTLINE} circle 12,12 12,13 ",
    "ende": f"stroke #5A3A10 stroke-width 1 fill #B07A40 rectangle 3.5,2.5 13.5,21.5 "
    f"stroke none fill #5A3A10 circle 11,12 11,13 "
    f"stroke {DARK_GREEN} stroke-width 1 fill {GREEN} "
    f'path "M 12.5,10 L 17.5,10 L 17.5,6.5 L 22.5,12 L 17.5,17.5 L 17.5,14 L 12.5,14 Z" ',
    "neuladen": f"stroke {ARROW_BLUE} stroke-width 2.4 fill none "
    f'path "M 19,13 A 7,7 0 1 1 16.5,6.8" stroke none fill {ARROW_BLUE} polygon 20.5,2.5 20.5,10 13,10 ',
}

# The program icons on the 48-unit grid.
ICON_GRID = 48


def tile(sign):
    return (f"stroke {DARK_BLUE} stroke-width 2 fill {BLUE} roundrectangle 3,3 45,45 9,9 "
            + book(24, 13, 37, 17, "white", "#C8D6EE", "#9AB0D8") + sign)


ICONS = {
    # Pelko32: the blue tile with the open book and the yellow "P".
    "pelko32": tile(f"stroke {DARK_YELLOW} stroke-width 1.2 fill {YELLOW} "
                    f"polygon 27,20 38,20 41,24 38,29 32,29 32,40 27,40 "
                    f"fill {BLUE} stroke none polygon 32,23 36.5,23 37.8,24.5 36.5,26 32,26 "),
    # The help viewer: the same tile with a yellow question mark.
    "pelkohilfe": tile(f'stroke {DARK_YELLOW} stroke-width 6.5 fill none '
                       f'path "M 26.5,24 C 26.5,16 39.5,16 39.5,24 C 39.5,29 33,29 33,35" '
                       f'stroke {YELLOW} stroke-width 4 '
                       f'path "M 26.5,24 C 26.5,16 39.5,16 39.5,24 C 39.5,29 33,29 33,35" '
                       f"stroke {DARK_YELLOW} stroke-width 1.2 fill {YELLOW} circle 33,40.5 33,43 "),
}

GLYPH_SIZES = (16, 22, 24, 32, 48)
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
FILE_ICON_SIZES = (16, 24, 32, 48, 64)
