#!/usr/bin/env python3
"""Makes the files that ship beside the programs, in resources/.

    scripts/make-resources.py            # writes everything
    scripts/make-resources.py --check    # fails when a written file would change

Generated here:
  Beispiele/Englisch-Beispiel.PLK    sample vocabulary file (format version 15)
  Vorlagen/*.PLV                     templates for the new-file wizard
  Sounds/Bong2.wav                   the wrong-answer sound (synthesised)
  Hangman-Bilder/                    "Hangman Classic.thm" and its pictures
  Hilfe/Bilder/                      the pictures of the help pages
  plkfile.ico                        the icon of vocabulary files
  Symbole/                           glyphs of buttons and toolbar, program and
                                     file icons, as PNGs in several sizes (the
                                     drawings are in glyphs.py)
The help pages themselves (Hilfe/**/*.html) are written by hand; this script
only keeps them in Windows-1252 (turning a page written in UTF-8 into it), as
the help viewer and its search read pages as single-byte text.

Pictures are drawn with ImageMagick's convert; nothing is taken from elsewhere.
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

import glyphs

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "resources")
ROOT = os.path.normpath(ROOT)
CHECK = "--check" in sys.argv
changed = []


def put(rel, data):
    """Writes data (bytes) to resources/rel, or compares it with --check."""
    path = os.path.join(ROOT, rel)
    old = None
    if os.path.exists(path):
        with open(path, "rb") as f:
            old = f.read()
    if old == data:
        return
    changed.append(rel)
    if CHECK:
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- records

def cp(text):
    return text.encode("cp1252")


def short_string(text, size):
    """A length byte, the text, zeros up to size + 1 bytes."""
    raw = cp(text) if isinstance(text, str) else text
    assert len(raw) <= size, text
    return bytes([len(raw)]) + raw + bytes(size - len(raw))


def record(fields, in_use, word):
    """The 360-byte entry layout: seven string[50], a byte, a 16-bit word."""
    fields = list(fields) + [""] * (7 - len(fields))
    out = b"".join(short_string(f, 50) for f in fields)
    return out + bytes([in_use]) + struct.pack("<H", word)


def header(magic, description, version):
    pieces = [description[i:i + 50] for i in range(0, min(len(description), 250), 50)]
    return record([magic, ""] + pieces, 1, version)


def font(name, size, color, style=0, charset=0):
    """One 49-byte font record."""
    out = short_string(name, 32) + bytes(3) + struct.pack("<I", color) + bytes([style]) + bytes(3)
    out += struct.pack("<i", size) + bytes([charset])
    assert len(out) == 49
    return out


def font_block(foreign_charset=0, mother_charset=0):
    """The program's default fonts: cells and header, then the print fonts."""
    out = font("Times New Roman", 12, 0x008000, charset=mother_charset)   # TableMS
    out += font("Times New Roman", 12, 0x000080, charset=foreign_charset)  # TableFS
    out += font("Times New Roman", 12, 0x800000)                           # TableHeader
    out += font("Arial", 10, 0, charset=mother_charset)                    # PrintMS
    out += font("Arial", 10, 0, charset=foreign_charset)                   # PrintFS
    out += font("Arial", 10, 0)                                            # Print
    out += bytes([0, 1])  # HeaderFonts off, Present
    assert len(out) == 296
    return out


def columns(foreign, mother):
    names = [foreign, "%s (2)" % foreign] + ["%d) %s" % (k, mother) for k in range(1, 6)]
    return record(names, 0, 0)


def compact_entry(fields, word=0):
    fields = list(fields) + [""] * (7 - len(fields))
    raw = [cp(f) for f in fields]
    assert all(len(r) <= 50 for r in raw)
    return bytes(len(r) for r in raw) + struct.pack("<H", word) + b"".join(raw)


VOCABULARY_MAGIC = "Pelko-Vokabeldatei für Windows 95"
TEMPLATE_MAGIC = "Pelko32-Vorlage"


def vocabulary_file(description, column_record, fonts, entries):
    out = header(VOCABULARY_MAGIC, description, 15) + column_record + fonts
    out += bytes([0])  # flags: no passwords
    for e in entries:
        out += compact_entry(e)
    return out


def template_file(description, column_record, fonts):
    out = header(TEMPLATE_MAGIC, description, 11) + column_record + fonts
    assert len(out) == 1016
    return out


# Each entry: English word, second form (or ""), then up to five German meanings.
SAMPLE = [
    ("the house", "", "das Haus"),
    ("the tree", "", "der Baum"),
    ("the garden", "", "der Garten"),
    ("the key", "", "der Schlüssel"),
    ("the door", "", "die Tür"),
    ("the window", "", "das Fenster"),
    ("the street", "the road", "die Straße"),
    ("the bridge", "", "die Brücke"),
    ("the city", "the town", "die Stadt"),
    ("the country", "", "das Land", "der Staat"),
    ("the weather", "", "das Wetter"),
    ("the morning", "", "der Morgen", "der Vormittag"),
    ("the evening", "", "der Abend"),
    ("the week", "", "die Woche"),
    ("the friend", "", "der Freund", "die Freundin"),
    ("the teacher", "", "der Lehrer", "die Lehrerin"),
    ("the bird", "", "der Vogel"),
    ("the apple", "", "der Apfel"),
    ("the cheese", "", "der Käse"),
    ("the bread", "", "das Brot"),
    ("the book", "", "das Buch"),
    ("the picture", "", "das Bild", "das Foto"),
    ("the answer", "", "die Antwort"),
    ("the question", "", "die Frage"),
    ("to go", "went, gone", "gehen", "fahren"),
    ("to see", "saw, seen", "sehen"),
    ("to write", "wrote, written", "schreiben"),
    ("to speak", "spoke, spoken", "sprechen", "reden"),
    ("to buy", "bought, bought", "kaufen"),
    ("to open", "", "öffnen"),
    ("to close", "", "schließen", "zumachen"),
    ("to learn", "", "lernen"),
    ("to forget", "forgot, forgotten", "vergessen"),
    ("to answer", "", "antworten", "beantworten"),
    ("big", "", "groß"),
    ("small", "little", "klein"),
    ("beautiful", "", "schön", "hübsch"),
    ("ugly", "", "hässlich"),
    ("happy", "", "glücklich", "froh"),
    ("tired", "", "müde"),
    ("difficult", "hard", "schwierig", "schwer"),
    ("easy", "", "leicht", "einfach"),
    ("early", "", "früh"),
    ("late", "", "spät"),
    ("always", "", "immer"),
    ("never", "", "nie", "niemals"),
    ("often", "", "oft", "häufig"),
    ("perhaps", "maybe", "vielleicht"),
]


def make_documents():
    entries = [(e[0], e[1]) + tuple(e[2:]) for e in SAMPLE]
    put("Beispiele/Englisch-Beispiel.PLK", vocabulary_file(
        "Beispieldatei: Englischer Grundwortschatz mit Substantiven, Verben und Adjektiven.",
        columns("Englisch", "Deutsch"), font_block(), entries))

    templates = [
        ("Englisch", "Englisch", "Deutsch", 0,
         "Vorlage für Englisch-Vokabeln (Englisch - Deutsch)."),
        ("Französisch", "Französisch", "Deutsch", 0,
         "Vorlage für Französisch-Vokabeln (Französisch - Deutsch)."),
        ("Latein", "Latein", "Deutsch", 0,
         "Vorlage für Latein-Vokabeln (Latein - Deutsch)."),
        ("Spanisch", "Spanisch", "Deutsch", 0,
         "Vorlage für Spanisch-Vokabeln (Spanisch - Deutsch)."),
        ("Tschechisch", "Tschechisch", "Deutsch", 238,
         "Vorlage für Tschechisch-Vokabeln (Tschechisch - Deutsch), mit mitteleuropäischem Zeichensatz."),
    ]
    for file_name, foreign, mother, charset, description in templates:
        put("Vorlagen/%s.PLV" % file_name.replace("ö", "oe"), template_file(
            description, columns(foreign, mother), font_block(foreign_charset=charset)))


# ------------------------------------------------------------------ sound

def make_sound():
    """A short, soft bell-like "bong": a few inharmonic partials that die away."""
    rate = 22050
    seconds = 0.6
    partials = [(220.0, 1.0, 5.0), (220.0 * 2.76, 0.45, 9.0), (220.0 * 5.40, 0.2, 14.0), (110.0, 0.35, 4.0)]
    frames = bytearray()
    n = int(rate * seconds)
    for i in range(n):
        t = i / rate
        attack = min(1.0, t / 0.004)
        v = sum(a * math.exp(-d * t) * math.sin(2 * math.pi * f * t) for f, a, d in partials)
        fade = min(1.0, (n - i) / (rate * 0.02))
        sample = int(max(-1.0, min(1.0, 0.45 * v * attack * fade)) * 32767)
        frames += struct.pack("<h", sample)
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "bong.wav")
        with wave.open(path, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(rate)
            w.writeframes(bytes(frames))
        with open(path, "rb") as f:
            put("Sounds/Bong2.wav", f.read())


# --------------------------------------------------------------- pictures

def convert(args, suffix):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "out" + suffix)
        subprocess.run(["convert"] + args + [out], check=True)
        with open(out, "rb") as f:
            return f.read()


WOOD = "#8B5A2B"
ROPE = "#B08D57"
FIGURE = "#202020"

# The steps of the classic series, each adding one part to the drawing.
HANGMAN_STEPS = [
    [],  # 1: the empty hill
    ["stroke %s" % WOOD, "stroke-width 7", "line 45,180 45,25"],                     # post
    ["stroke %s" % WOOD, "stroke-width 7", "line 42,25 120,25"],                     # beam
    ["stroke %s" % WOOD, "stroke-width 5", "line 45,55 75,25"],                      # brace
    ["stroke %s" % ROPE, "stroke-width 3", "line 110,25 110,55"],                    # rope
    ["stroke %s" % FIGURE, "stroke-width 3", "fill #F2D2B0", "circle 110,68 110,55"],  # head
    ["stroke %s" % FIGURE, "stroke-width 3", "line 110,81 110,130"],                 # body
    ["stroke %s" % FIGURE, "stroke-width 3", "line 110,92 90,115"],                  # left arm
    ["stroke %s" % FIGURE, "stroke-width 3", "line 110,92 130,115"],                 # right arm
    ["stroke %s" % FIGURE, "stroke-width 3", "line 110,130 93,162"],                 # left leg
    ["stroke %s" % FIGURE, "stroke-width 3", "line 110,130 127,162"],                # right leg
]


def hangman_args(step):
    args = ["-size", "160x200", "xc:#EAF4FF",
            "-fill", "#6DAA4C", "-stroke", "#4E8A34", "-strokewidth", "2",
            "-draw", "ellipse 80,200 90,22 180,360"]
    for part in HANGMAN_STEPS[1:step]:
        draw = ["fill none"] + part
        args += ["-draw", " ".join(c if not c.startswith("stroke-width") else "stroke-width " + c.split()[1]
                                   for c in draw)]
    if step == len(HANGMAN_STEPS):
        # lost: crossed-out eyes
        args += ["-draw", "fill none stroke %s stroke-width 2 line 104,63 108,67 line 108,63 104,67 "
                 "line 112,63 116,67 line 116,63 112,67" % FIGURE]
    return args


def make_hangman():
    last = len(HANGMAN_STEPS)
    for step in range(1, last + 1):
        data = convert(hangman_args(step) + ["-type", "Palette", "-colors", "64", "-compress", "None"], ".bmp")
        put("Hangman-Bilder/Classic%d.bmp" % step, data)
    put("Hangman-Bilder/Hangman Classic.thm", b"Classic#.bmp\n1\n%d\n" % last)


# The title picture of the index page, and the icon of vocabulary files: an
# open book with a "P".
LOGO = ["-size", "64x64", "xc:white",
        "-fill", "#2E5EAA", "-stroke", "#1B3B70", "-strokewidth", "2",
        "-draw", "polygon 6,14 31,20 31,58 6,52",
        "-draw", "polygon 58,14 33,20 33,58 58,52",
        "-fill", "white", "-stroke", "none",
        "-draw", "rectangle 12,28 26,31", "-draw", "rectangle 12,36 26,39", "-draw", "rectangle 12,44 24,47",
        "-fill", "#F2C230", "-stroke", "#8A6A10", "-strokewidth", "1",
        "-draw", "polygon 38,26 50,26 53,30 50,35 43,35 43,48 38,48"]
# PNGs without the time stamps convert would write into them.
PNG = ["-strip", "-define", "png:exclude-chunks=date,time"]


def make_help_pictures():
    put("Hilfe/Bilder/logo.gif", convert(LOGO + ["-transparent", "white"], ".gif"))
    put("plkfile.ico", convert(LOGO + ["-transparent", "white", "-define", "icon:auto-resize=48,32,16"], ".ico"))
    # The hangman page shows the last picture of the classic series, smaller.
    put("Hilfe/Bilder/hangman.jpg", convert(hangman_args(len(HANGMAN_STEPS)) + ["-resize", "96x120", "-quality", "85"],
                                            ".jpg"))
    # Small signs used in the pages: tip and warning.
    tip = ["-size", "24x24", "xc:white", "-fill", "#F7D54A", "-stroke", "#8A6A10",
           "-draw", "circle 12,10 12,3", "-fill", "#9A9A9A", "-draw", "rectangle 9,16 15,21"]
    put("Hilfe/Bilder/tipp.gif", convert(tip + ["-transparent", "white"], ".gif"))
    warn = ["-size", "24x24", "xc:white", "-fill", "#E84A3A", "-stroke", "#7A1A10",
            "-draw", "polygon 12,2 22,21 2,21", "-fill", "white", "-stroke", "none",
            "-draw", "rectangle 11,8 13,15", "-draw", "rectangle 11,17 13,19"]
    put("Hilfe/Bilder/achtung.gif", convert(warn + ["-transparent", "white"], ".gif"))


def render(drawing, grid, size):
    """A drawing of glyphs.py as a PNG of size x size pixels."""
    return convert(["-size", "%dx%d" % (size, size), "xc:none",
                    "-draw", "scale %g,%g stroke-linejoin round %s" % (size / grid, size / grid, drawing)]
                   + PNG, ".png")


def make_glyphs():
    for name, drawing in glyphs.GLYPHS.items():
        for size in glyphs.GLYPH_SIZES:
            put("Symbole/%s-%d.png" % (name, size), render(drawing, 24, size))
    for name, drawing in glyphs.ICONS.items():
        for size in glyphs.ICON_SIZES:
            put("Symbole/%s-%d.png" % (name, size), render(drawing, glyphs.ICON_GRID, size))
    # The file icon again, for the desktop's icon theme.
    for size in glyphs.FILE_ICON_SIZES:
        put("Symbole/plkfile-%d.png" % size,
            convert(LOGO + ["-transparent", "white", "-resize", "%dx%d" % (size, size)] + PNG, ".png"))


# -------------------------------------------------------------- help pages

def help_pages():
    """Keeps the help pages in Windows-1252 with CRLF line ends: the help viewer
    and its search read pages as single-byte text. A page written in UTF-8 is
    turned into the code page."""
    for folder, _, files in os.walk(os.path.join(ROOT, "Hilfe")):
        for name in sorted(files):
            if not name.endswith((".html", ".htm")):
                continue
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                raw = f.read()
            try:
                text = raw.decode("utf-8")
            except UnicodeDecodeError:
                try:
                    text = raw.decode("cp1252")
                except UnicodeDecodeError:
                    sys.exit("%s: neither UTF-8 nor Windows-1252" % path)
            try:
                data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")
            except UnicodeEncodeError as e:
                sys.exit("%s: %r has no Windows-1252 code" % (path, e.object[e.start]))
            put(os.path.relpath(path, ROOT), data)


def main():
    make_documents()
    make_sound()
    make_hangman()
    make_help_pictures()
    make_glyphs()
    help_pages()
    if CHECK and changed:
        sys.exit("out of date: " + ", ".join(changed))
    for rel in changed:
        print("wrote", rel)


if __name__ == "__main__":
    main()
