#!/usr/bin/env python3
"""Build a 16x16, 16-colour Windows .ico file from a readable pixel source.

Usage:
    python3 make_ico.py INPUT.txt OUTPUT.ico

Source format:
    * Lines whose first character is '#' are comments and are ignored.
      Empty lines are ignored before and after the pixel rows (not
      between them).
    * The remaining lines are exactly 16 rows of exactly 16 characters,
      listed top row first.  Trailing whitespace (including CR) is dropped.
    * '.' is a transparent pixel.
    * '0'-'9' and 'A'-'F' (upper or lower case) are indices into the
      standard 16-colour Windows palette:
          0 black   000000    8 grey    808080
          1 maroon  800000    9 red     FF0000
          2 green   008000    A lime    00FF00
          3 olive   808000    B yellow  FFFF00
          4 navy    000080    C blue    0000FF
          5 purple  800080    D magenta FF00FF
          6 teal    008080    E cyan    00FFFF
          7 silver  C0C0C0    F white   FFFFFF

Output: an .ico holding exactly one image: 16x16, 4 bits per pixel,
BITMAPINFOHEADER (biHeight 32 = XOR + AND), a 16-entry B,G,R,0 palette,
the XOR bitmap and the 1-bit AND mask, rows stored bottom-up and each row
padded to a multiple of 4 bytes.  Transparent pixels have AND bit 1 and
XOR index 0.

On a malformed source the program prints "FILE:LINE: message" to stderr
and exits with status 1.
"""

import struct
import sys

SIZE = 16

# Standard 16-colour Windows palette as (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

TRANSPARENT = "."


class SourceError(Exception):
    def __init__(self, path, line, message):
        where = path if line is None else "%s:%d" % (path, line)
        super().__init__("%s: %s" % (where, message))


def parse_source(path):
    """Return a list of 16 rows, each a list of 16 entries (None = transparent,
    otherwise a palette index 0..15)."""
    try:
        with open(path, "r", encoding="utf-8") as f:
            lines = f.read().splitlines()
    except OSError as e:
        raise SourceError(path, None, "cannot read file: %s" % e.strerror)
    except UnicodeDecodeError:
        raise SourceError(path, None, "file is not valid UTF-8 text")

    rows = []
    last_line = 0
    for lineno, raw in enumerate(lines, 1):
        text = raw.rstrip()
        if text.startswith("#"):
            continue
        if text == "" and (len(rows) == 0 or len(rows) == SIZE):
            continue
        last_line = lineno
        if len(rows) == SIZE:
            raise SourceError(path, lineno,
                              "too many pixel rows (expected exactly %d)" % SIZE)
        if len(text) != SIZE:
            raise SourceError(path, lineno,
                              "pixel row has %d characters, expected %d"
                              % (len(text), SIZE))
        row = []
        for col, ch in enumerate(text, 1):
            if ch == TRANSPARENT:
                row.append(None)
            elif ch in "0123456789abcdefABCDEF":
                row.append(int(ch, 16))
            else:
                raise SourceError(path, lineno,
                                  "column %d: unknown character %r "
                                  "(use '.', '0'-'9' or 'A'-'F')" % (col, ch))
        rows.append(row)

    if len(rows) != SIZE:
        raise SourceError(path, last_line or max(len(lines), 1),
                          "found %d pixel rows, expected exactly %d"
                          % (len(rows), SIZE))
    return rows


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def build_ico(rows):
    xor = b""
    andmask = b""
    for row in reversed(rows):  # BMP rows are bottom-up
        idx = [0 if p is None else p for p in row]
        xor += padded(bytes((idx[i] << 4) | idx[i + 1]
                            for i in range(0, SIZE, 2)))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is None else 0)
        andmask += padded(bits.to_bytes(SIZE // 8, "big"))

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII",
                         40,            # biSize
                         SIZE,          # biWidth
                         SIZE * 2,      # biHeight (XOR + AND)
                         1,             # biPlanes
                         4,             # biBitCount
                         0,             # biCompression (BI_RGB)
                         len(xor) + len(andmask),  # biSizeImage
                         0, 0,          # biXPelsPerMeter, biYPelsPerMeter
                         16,            # biClrUsed
                         0)             # biClrImportant
    image = header + palette + xor + andmask

    icondir = struct.pack("<HHH", 0, 1, 1)          # reserved, type=icon, count
    offset = len(icondir) + 16
    entry = struct.pack("<BBBBHHII",
                        SIZE, SIZE,  # bWidth, bHeight
                        16,          # bColorCount
                        0,           # bReserved
                        1,           # wPlanes
                        4,           # wBitCount
                        len(image),  # dwBytesInRes
                        offset)      # dwImageOffset
    return icondir + entry + image


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: %s INPUT.txt OUTPUT.ico\n" % argv[0])
        return 2
    src, dst = argv[1], argv[2]
    try:
        rows = parse_source(src)
    except SourceError as e:
        sys.stderr.write("make_ico: %s\n" % e)
        return 1
    data = build_ico(rows)
    try:
        with open(dst, "wb") as f:
            f.write(data)
    except OSError as e:
        sys.stderr.write("make_ico: %s: cannot write: %s\n" % (dst, e.strerror))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
