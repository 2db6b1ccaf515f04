"""Writes a small EMF: a red rectangle and a blue ellipse, 80 x 40 mm."""
import struct
import sys

records = [
    struct.pack("<IIIIII", 39, 24, 1, 0, 0x0000FF, 0),  # CREATEBRUSHINDIRECT red
    struct.pack("<III", 37, 12, 1),                       # SELECTOBJECT
    struct.pack("<IIiiii", 43, 24, 20, 20, 160, 100),     # RECTANGLE
    struct.pack("<IIIIII", 39, 24, 2, 0, 0xFF0000, 0),  # CREATEBRUSHINDIRECT blue
    struct.pack("<III", 37, 12, 2),
    struct.pack("<IIiiii", 42, 24, 180, 20, 290, 140),    # ELLIPSE
    struct.pack("<IIIII", 14, 20, 0, 16, 20),             # EOF
]
body = b"".join(records)
size = 88 + len(body)
header = struct.pack("<II4i4iIIIIHHIIIii ii", 1, 88, 0, 0, 302, 151, 0, 0, 8000, 4000,
                     0x464D4520, 0x10000, size, len(records) + 1, 3, 0, 0, 0, 0,
                     1920, 1080, 508, 286)
with open(sys.argv[1], "wb") as f:
    f.write(header + body)
