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


def canada(size, date, periods, income, cpp_ytd=0.0, ei_ytd=0.0, bonus=0.0, prior=0.0, claim=16452.0):
    m, d, y = date
    body = struct.pack("<i3iii ddd d i dd ddd i dd ddddd d ddddd".replace(" ", ""), size, m, d, y, 0, periods,
                       claim, 0.0, 0.0, 0.0, 0, 0.0, 0.0, income, income, cpp_ytd, 0, income, ei_ytd,
                       0.0, 0.0, 0.0, 0.0, 0.0, 0.0, bonus, prior, 0.0, 0.0, 0.0)
    assert len(body) == 208, len(body)
    return body


def province(size, date, code, periods, income, claim, bonus=0.0, prior=0.0):
    m, d, y = date
    body = struct.pack("<i3iiii dd iiii d dddd dd ddd".replace(" ", ""), size, m, d, y, 0, code, periods, claim, 0.0,
                       0, 1, 1, 0, 0.0, 0.0, 500.0, 0.0, income, 0.0, 0.0, bonus, prior, 0.0)
    assert len(body) == 140, len(body)
    return body


def quebec(size, date, periods, gross):
    m, d, y = date
    body = struct.pack("<i3ii dd d d dd d i d ddd d ii d d d i".replace(" ", ""), size, m, d, y, 0, 0.0, 0.0, 0.0,
                       0.0, 17183.0, 0.0, 0.0, 0, gross, 0.0, 0.0, 0.0, 12.345, periods, periods, 0.0, 0.0, 0.0, 0)
    assert len(body) == 156, len(body)
    return body


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
    mode = struct.pack("<i", 0)
    # The Canadian exports (selectors 13 to 16). Pays: the full records with a bonus, a record without the bonus fields, the pension
    # maximum reached within the pay, Quebec, and the Alberta pays either side of 23 July 2025.
    for i, (record, prov) in enumerate((
            (canada(208, (3, 13, 2026), 26, 2000.0, bonus=1000.0), province(140, (3, 13, 2026), 7, 26, 2000.0, 12989.0, 1000.0)),
            (canada(160, (3, 13, 2026), 12, 5200.0), province(116, (3, 13, 2026), 11, 12, 5200.0, 13216.0)),
            (canada(208, (11, 27, 2026), 26, 4500.0, 4000.0, 1077.48), province(140, (11, 27, 2026), 7, 26, 4500.0, 12989.0)),
            (canada(208, (3, 13, 2026), 52, 900.0), province(140, (3, 13, 2026), 6, 52, 900.0, 0.0)),
            (canada(208, (7, 18, 2025), 26, 2500.0, claim=16129.0), province(140, (7, 18, 2025), 10, 26, 2500.0, 22323.0)),
            (canada(208, (7, 25, 2025), 26, 2500.0, claim=16129.0), province(124, (7, 25, 2025), 10, 26, 2500.0, 22323.0)))):
        write("canada-%d" % i, bytes([13]) + mode + record + prov)
    block = struct.pack("<ddd", 0.0, 110.99, 32.80)
    for i, (size, code) in enumerate(((140, 12), (116, 2), (132, 8))):
        write("provincial-%d" % i, bytes([14]) + mode + province(size, (3, 13, 2026), code, 26, 2000.0, 15000.0, 500.0) + block)
    for i, (size, code, claim, income) in enumerate(((60, 0, 3, 300000.0), (52, 0, 1, 300000.0), (60, 8, 10, 250000.0),
                                                     (60, 2, 11, 0.0))):
        cc = struct.pack("<i3iiiiddd d", size, 6, 1, 2026, 0, code, claim, 0.0, 0.0, 0.0, income)
        write("claim-code-%d" % i, bytes([15]) + mode + cc)
    write("quebec", bytes([16]) + mode + quebec(156, (3, 13, 2026), 26, 2400.0))


if __name__ == "__main__":
    main()
