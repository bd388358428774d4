#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz target (fuzz/corpus/): valid records of every export at the
record sizes of the gates, across modes, years and jurisdictions. Run again after a record changes."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def pay(size, year, periods, status, wages, bonus, w4=1):
    fmt = "<" + "iiii iii ii dd iii d ii ddd ii dd dd ii d iii ddd i".replace(" ", "")
    return struct.pack(fmt, size, 0, 0, 1, 6, 15, year, status, periods, wages, 5.0, 0, 0, 0, 0.0, 0, 0,
                       wages, 20000.0, 0.0, 0, 0, 20000.0, 0.0, bonus, 0.0, 0, 0, 0.0, 0, w4, 0, 500.0, 0.0, 0.0, 0)


def state(size, code, periods, wages):
    body = struct.pack("<iiiiiidd", size, 0, code, 1, 0, periods, wages, 2.5)
    return body + b"\0" * (244 - len(body))


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    n = 0
    for mode in (0, 1, 2, 11, 12):
        for size, scode in ((200, 51), (128, 14), (129, 40), (164, 54), (165, 3), (0, 60)):
            for year in (2025, 2026):
                p = pay(size, year, 26, n % 4, 1500.0 + 250 * n, 1000.0 if n % 2 else 0.0)
                s = state(212 if scode == 40 and n % 2 else 244, scode, 26, 1500.0)
                assert len(p) == 200, len(p)
                write("calc-%02d" % n, bytes([0]) + struct.pack("<i", mode) + p + s)
                n += 1
    aeic = struct.pack("<ii iii iii ddd".replace(" ", ""), 56, 0, 6, 15, 2025, 0, 1, 26, 800.0, 0.0, 0.0)
    write("aeic", bytes([1]) + aeic)
    for i, (year, kind) in enumerate(((2026, 1), (2023, 1), (2026, 2))):
        write("info-%d" % i, bytes([2]) + struct.pack("<iiiiid", 28, 7, 1, year, kind, 0.0))
    for i, code in enumerate((21, 41, 45, 0)):
        write("prompt-%d" % i, bytes([3]) + struct.pack("<iiiiiiiii", 36, 0, code, 0, 0, i, 0, 0, 0))
    write("build", bytes([4]))
    # The levies (selectors 5 to 12), each at its full size and at a size short of its last field.
    d = (6, 15, 2026)
    levies = [
        struct.pack("<ii iii i ddd d".replace(" ", ""), 56, 0, *d, 0, 2000.0, 6000.0, 0.006, 0.0),
        struct.pack("<ii iii i dddd iii dd i d".replace(" ", ""), 96, 0, *d, 2, 2000.0, 53000.0, 0.02, 0.0,
                    0, 0, 0, 0.0, 0.0, 0, 0.0),
        struct.pack("<ii iii i ddd".replace(" ", ""), 48, 0, *d, 0, 2000.0, 6000.0, 0.0),
        struct.pack("<ii iii i dddddd i".replace(" ", ""), 76, 0, *d, 37, 2000.0, 1000.0, 0.0, 0.0, 0.0, 0.0, 52),
        struct.pack("<ii iii i dddddddd".replace(" ", ""), 88, 0, *d, 26, 2000.0, 1000.0, 0.0, 0.5, 30.0, 0.6, 0.0, 0.0),
        struct.pack("<ii iii i d ii d ii dd".replace(" ", ""), 72, 0, *d, 0, 2000.0, 0, 0, 0.0077, 0, 0, 0.0, 0.0),
        struct.pack("<ii iii iii 8i ddddd".replace(" ", ""), 104, 0, *d, 43, 0, 0, *([0] * 8), 80.0, 0.0, 0.0, 0.0, 0.0),
        struct.pack("<iii iii ii 7i dd".replace(" ", ""), 76, 0, 1, *d, 56, 26, *([0] * 7), 2000.0, 0.0),
    ]
    for i, record in enumerate(levies):
        write("levy-%d" % i, bytes([5 + i]) + record)
        write("levy-%d-short" % i, bytes([5 + i]) + struct.pack("<i", len(record) - 1) + record[4:])


if __name__ == "__main__":
    main()
