#!/usr/bin/env python3
# Writes the seed files of the native and template fuzz targets, built from
# the record layouts (run from this folder; the outputs are committed).
import struct

TEXT_MASK, PW_MASK2 = 0x3D, 0x5C

def s(text, n):
    return bytes([len(text)]) + text + bytes(n - len(text))

def record(fields, in_use, version):
    fields = fields + [b""] * (7 - len(fields))
    return b"".join(s(f, 50) for f in fields) + bytes([in_use]) + struct.pack("<H", version)

def font(name, size, charset=None):
    f = s(name, 32) + bytes(3) + struct.pack("<I", 0) + bytes([0]) + bytes(3) + struct.pack("<i", size)
    return f if charset is None else f + bytes([charset])

def compact(fields, password=b""):
    fields = fields + [b""] * (7 - len(fields))
    text = bytearray(b"".join(fields))
    if password:
        key = (password * (len(text) // len(password) + 3))[2:]
        text = bytearray(t ^ k ^ TEXT_MASK for t, k in zip(text, key))
    return bytes(len(f) for f in fields) + struct.pack("<H", 7) + bytes(text)

magic = "Pelko-Vokabeldatei für Windows 95".encode("cp1252")
names = record([b"Englisch", b"", b"Deutsch"], 0, 0)
entries = [[b"Haus", b"", b"house"], [b"gehen", b"ging", b"to go", b"to walk"], [], [b"K\xe4se"]]
old_fonts = b"".join(font(b"Arial", 10) for _ in range(6)) + b"\x01\x01\x00\x00"
new_fonts = b"".join(font(b"Arial", 10, 238) for _ in range(6)) + b"\x01\x01"

def header(version):
    return record([magic, b"", b"Beschreibung"], 1, version)

open("v10.plk", "wb").write(header(10) + b"".join(record(e, 1, 0) for e in entries))
open("v13.plk", "wb").write(header(13) + names + old_fonts + b"".join(compact(e) for e in entries))
block = bytearray(30)
for k, c in enumerate(b"abc", 1):
    block[30 - 2 * k] = c ^ PW_MASK2
block[7] = 3
check = sum(c << (k % 32) for k, c in enumerate(b"Geheim", 1)) & 0xFFFFFFFF
open("v15.plk", "wb").write(header(15) + names + new_fonts + bytes([0x48]) + bytes(block) +
                            struct.pack("<I", check) + b"".join(compact(e, b"Geheim") for e in entries))
template = record([b"Pelko32-Vorlage", b"", b"Vorlage"], 1, 11) + names + new_fonts
open("../template/v11.plv", "wb").write(template)
open("../template/v10.plv", "wb").write(record([b"Pelko32-Vorlage"], 1, 10) + names + old_fonts[:290])
