#!/usr/bin/env python3
"""Tiles level screenshots (24-bit BMP files, as the game saves them) into one PNG at half size, in rows."""
import struct
import sys
import zlib

COLUMNS, GAP = 8, 4


def read_bmp(path):
    data = open(path, "rb").read()
    offset, width, height, bits = struct.unpack_from("<I", data, 10)[0], *struct.unpack_from("<iiHH", data, 18)[:2], struct.unpack_from("<H", data, 28)[0]
    assert bits == 24, path + ": not a 24-bit bitmap"
    stride = (width * 3 + 3) & ~3
    rows = [data[offset + y * stride: offset + y * stride + width * 3] for y in range(abs(height))]
    return width, abs(height), rows[::-1] if height > 0 else rows


def half(width, height, rows):
    """Every other pixel of every other row, as RGB rows."""
    out = []
    for y in range(0, height, 2):
        bgr = rows[y]
        line = bytearray()
        for x in range(0, width, 2):
            line += bytes((bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]))
        out.append(bytes(line))
    return out


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    open(path, "wb").write(png + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(out, shots):
    tiles = [half(*read_bmp(shot)) for shot in shots]
    tile_w, tile_h = len(tiles[0][0]) // 3, len(tiles[0])
    columns = min(COLUMNS, len(tiles))
    sheet_rows = (len(tiles) + columns - 1) // columns
    width, height = columns * (tile_w + GAP) - GAP, sheet_rows * (tile_h + GAP) - GAP
    blank = bytes(3 * GAP)
    rows = []
    for band in range(sheet_rows):
        band_tiles = tiles[band * columns:(band + 1) * columns]
        for y in range(tile_h):
            line = blank.join(tile[y] for tile in band_tiles)
            rows.append(line + bytes(3 * width - len(line)))
        if band + 1 < sheet_rows:
            rows += [bytes(3 * width)] * GAP
    write_png(out, width, height, rows)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: contact_sheet.py OUT.png SHOT.bmp...")
    main(sys.argv[1], sys.argv[2:])
