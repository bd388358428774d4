#!/usr/bin/env python3
"""The locality tables: validates the CSVs of this directory and turns them into C++ row initialisers.

    locality_tables.py --check            validate every CSV (columns, types, bounds, codes, block sizes)
    locality_tables.py --out DIR          validate, then write DIR/<table>.inc for each table (and the
                                          Pennsylvania tables' row orders, DIR/<table>_order.inc)

Each .inc holds one brace-enclosed initialiser per CSV row, in the CSV's order, for the row struct of
src/local/locality_tables.h; the library compiles them into constexpr arrays and reads no file at run time.
Only the standard library is used, so any python3 of the build machine serves (the Windows cross-build too).
"""
import argparse
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


class Fail(Exception):
    pass


# ---- column types -----------------------------------------------------------------------------------
def t_int(s):
    if s.strip() != s or not s.lstrip('-').isdigit():
        raise ValueError('not an integer')
    return int(s)


def t_text(s):
    if s == '' or s.strip() != s or '"' in s or '\\' in s or not s.isascii():
        raise ValueError('empty, padded or unsafe text')
    return s


def t_num(s):
    v = float(s)
    if v != v or v in (float('inf'), float('-inf')):
        raise ValueError('not finite')
    return v


def t_num_or_blank(s):
    return None if s == '' else t_num(s)


def t_flag(s):
    if s not in ('0', '1'):
        raise ValueError('not 0 or 1')
    return s == '1'


def t_date(s):
    parts = s.split('-')
    if len(parts) != 3 or len(parts[0]) != 4:
        raise ValueError('not YYYY-MM-DD')
    y, m, d = (int(p) for p in parts)
    if not (1 <= m <= 12 and 1 <= d <= 31):
        raise ValueError('month or day out of range')
    return (y, m, d)


# ---- tables -------------------------------------------------------------------------------------------
# name: (columns with types, block key, expected rows per block, checks)
def year_of(col):
    return lambda r: r[col]


def from_year(r):
    return r['from'][0]


TABLES = {
    'pa_municipal': dict(
        cols=[('year', t_int), ('county', t_text), ('code', t_int), ('name', t_text), ('rate_other', t_num_or_blank),
              ('rate_resident', t_num_or_blank), ('annual_amount', t_num_or_blank), ('rate_known', t_flag)],
        block=year_of('year'), blocks={2026: 2628, 2025: 2628, 2024: 2628, 2023: 2628},
        rates={'rate_other': (0, 5), 'rate_resident': (0, 5), 'annual_amount': (0, 200)},
        first=dict(code=9999, name='None'), unique=None),
    'pa_school_districts': dict(
        cols=[('year', t_int), ('municipality_code', t_int), ('municipality', t_text), ('district_code', t_int),
              ('district', t_text), ('rate', t_num_or_blank), ('annual_amount', t_num_or_blank), ('sequence', t_int),
              ('rate_known', t_flag)],
        block=year_of('year'), blocks={2026: 2628, 2025: 2628, 2024: 2628, 2023: 2628},
        rates={'rate': (0, 5), 'annual_amount': (0, 10)},
        first=dict(district_code=999999, sequence=0, district='None'), unique='sequence'),
    'oh_municipal': dict(
        cols=[('from', t_date), ('to', t_date), ('code', t_int), ('name', t_text), ('rate', t_num_or_blank),
              ('rate_known', t_flag)],
        block=from_year, blocks={2026: 681, 2025: 679, 2024: 679},
        rates={'rate': (0, 0.03)}, first=dict(code=0, name='None'), unique='code'),
    'oh_school_districts': dict(
        cols=[('from', t_date), ('to', t_date), ('code', t_int), ('code2', t_int), ('name', t_text),
              ('rate', t_num_or_blank), ('rate_known', t_flag)],
        block=from_year, blocks={2026: 612, 2025: 612, 2024: 612},
        rates={'rate': (0, 3)}, first=dict(code=0, name='None'), unique='code'),
    'oh_earned_income_base': dict(
        cols=[('from', t_date), ('to', t_date), ('code', t_int), ('code2', t_int), ('name', t_text), ('rate', t_num)],
        block=from_year, blocks={2024: 1}, rates={'rate': (0, 3)}, first=None, unique='code'),
    'in_county': dict(
        cols=[('from', t_date), ('to', t_date), ('code', t_int), ('resident_rate', t_num), ('nonresident_rate', t_num)],
        block=from_year, blocks={2026: 92, 2025: 92, 2024: 96},
        rates={'resident_rate': (0.005, 0.03), 'nonresident_rate': (0.005, 0.03)}, first=None, unique=('code', 'from')),
    'ky_school_districts': dict(
        cols=[('from', t_date), ('to', t_date), ('name', t_text), ('code', t_int), ('low', t_num), ('high', t_num),
              ('rate', t_num), ('rate2', t_num)],
        block=from_year, blocks={2026: 9}, rates={'rate': (0, 3), 'rate2': (0, 3)}, first=None, unique='runs'),
    'ky_cities': dict(
        cols=[('from', t_date), ('to', t_date), ('name', t_text), ('code', t_int), ('low', t_num), ('high', t_num),
              ('rate', t_num), ('rate2', t_num)],
        block=from_year, blocks={2026: 46, 2025: 2, 2024: 2}, rates={'rate': (0, 3), 'rate2': (0, 3)}, first=None,
        unique='runs'),
    'ky_counties': dict(
        cols=[('from', t_date), ('to', t_date), ('name', t_text), ('code', t_int), ('low', t_num), ('high', t_num),
              ('rate', t_num), ('rate2', t_num)],
        block=from_year, blocks={2026: 4}, rates={'rate': (0, 3), 'rate2': (0, 3)}, first=None, unique='runs'),
}


def load(name):
    layout = TABLES[name]
    path = os.path.join(HERE, name + '.csv')
    with open(path, newline='', encoding='ascii') as f:
        reader = csv.reader(f)
        header = next(reader)
        want = [c for c, _ in layout['cols']]
        if header != want:
            raise Fail(f'{name}.csv: columns {header}, expected {want}')
        rows = []
        for n, raw in enumerate(reader, start=2):
            if len(raw) != len(want):
                raise Fail(f'{name}.csv line {n}: {len(raw)} fields, expected {len(want)}')
            row = {}
            for (col, typ), s in zip(layout['cols'], raw):
                try:
                    row[col] = typ(s)
                except ValueError as e:
                    raise Fail(f'{name}.csv line {n}, {col} "{s}": {e}')
            row['_line'] = n
            rows.append(row)
    return rows


def check(name, rows):
    layout = TABLES[name]
    where = lambda r: f"{name}.csv line {r['_line']}"
    # Rates: known rows carry every rate in bounds; rate-unknown rows carry none.
    for r in rows:
        known = r.get('rate_known', True)
        for col, (lo, hi) in layout['rates'].items():
            v = r[col]
            if known and (v is None or not lo <= v <= hi):
                raise Fail(f'{where(r)}: {col} {v} outside [{lo}, {hi}]')
            if not known and v is not None:
                raise Fail(f'{where(r)}: rate-unknown row with a {col}')
        if 'from' in r and (r['from'] > r['to'] or r['from'][0] != r['to'][0]):
            raise Fail(f'{where(r)}: dates not within one year')
        for col in ('code', 'district_code', 'municipality_code'):
            if col in r and r[col] <= 0 and not (col == 'code' and name.startswith('oh_') and r['name'] == 'None'):
                raise Fail(f'{where(r)}: {col} {r[col]} (0 ends the table)')
    # Blocks: contiguous, in the listed order (newest first), of the listed sizes.
    order = []
    for r in rows:
        b = layout['block'](r)
        if not order or order[-1][0] != b:
            if any(o[0] == b for o in order):
                raise Fail(f'{where(r)}: block {b} not contiguous')
            order.append([b, 0, r])
        order[-1][1] += 1
    got = {b: n for b, n, _ in order}
    if got != layout['blocks'] or [b for b, _, _ in order] != list(layout['blocks']):
        raise Fail(f'{name}.csv: blocks {got}, expected {layout["blocks"]} in that order')
    for b, _, r in order:
        for col, v in (layout['first'] or {}).items():
            if r[col] != v:
                raise Fail(f'{where(r)}: block {b} must open with {col} {v}')
    # Codes.
    u = layout['unique']
    blocks = {}
    for r in rows:
        blocks.setdefault(layout['block'](r), []).append(r)
    for b, rs in blocks.items():
        if u == 'runs':  # one run of consecutive rows per code, ending with an open band
            seen = set()
            for i, r in enumerate(rs):
                nxt = rs[i + 1] if i + 1 < len(rs) else None
                if i == 0 or rs[i - 1]['code'] != r['code'] or rs[i - 1]['from'] != r['from']:
                    if (r['code'], r['from']) in seen:
                        raise Fail(f'{where(r)}: code {r["code"]} in two runs')
                    seen.add((r['code'], r['from']))
                last = nxt is None or nxt['code'] != r['code'] or nxt['from'] != r['from'] or r['high'] == 0
                if (r['high'] == 0) != last and not (r['high'] == 0 and nxt and nxt['code'] == r['code']):
                    raise Fail(f'{where(r)}: a run must end with its open band (high 0)')
        elif u:
            keys = [tuple(r[c] for c in u) if isinstance(u, tuple) else r[u] for r in rs]
            if len(set(keys)) != len(keys):
                raise Fail(f'{name}.csv: {u} repeated in block {b}')


def cxx(v, typ):
    if typ is t_text:
        return '"' + v + '"'
    if typ is t_date:
        return '{%d, %d, %d}' % (v[1], v[2], v[0])
    if typ is t_flag:
        return 'true' if v else 'false'
    if typ is t_int:
        return str(v)
    return repr(float(0 if v is None else v))


def write(path, text):
    old = open(path).read() if os.path.exists(path) else None
    if old != text:  # an unchanged file keeps its time, so nothing is rebuilt
        with open(path, 'w') as f:
            f.write(text)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--check', action='store_true')
    ap.add_argument('--out')
    a = ap.parse_args()
    try:
        loaded = {name: load(name) for name in TABLES}
        for name, rows in loaded.items():
            check(name, rows)
    except Fail as e:
        print('data-check:', e, file=sys.stderr)
        return 1
    if a.check:
        for name, rows in loaded.items():
            print(f'{name}.csv: {len(rows)} rows, blocks {TABLES[name]["blocks"]}')
    if a.out:
        os.makedirs(a.out, exist_ok=True)
        for name, rows in loaded.items():
            cols = TABLES[name]['cols']
            text = ''.join('{' + ', '.join(cxx(r[c], t) for c, t in cols) + '},\n' for r in rows)
            write(os.path.join(a.out, name + '.inc'), text)
        # The Pennsylvania lookups: the row positions sorted by year, code and position (the library checks
        # the order at compile time; sorting ten thousand rows there would strain the compiler).
        for name, code in (('pa_municipal', 'code'), ('pa_school_districts', 'sequence')):
            order = sorted(range(len(loaded[name])), key=lambda i: (loaded[name][i]['year'], loaded[name][i][code], i))
            write(os.path.join(a.out, name + '_order.inc'), ''.join('%d,\n' % i for i in order))
    return 0


if __name__ == '__main__':
    sys.exit(main())
