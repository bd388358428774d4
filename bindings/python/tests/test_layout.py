"""The binding's records, constants and exports against the C header."""

import ctypes
import re

import orla
from orla._library import EXPORTS
from orla._records import RECORD_TYPES, RECORDS, parse_fields

from conftest import header_text


def header_records():
    """Record name -> field names in order, from the typedefs of orla.h."""
    records = {}
    for match in re.finditer(r"typedef struct (\w+) \{(.*?)\} \1;", header_text(), re.S):
        fields = [re.fullmatch(r"[\w ]+?\s(\w+)(\[\d+\])?", d.strip()).group(1)
                  for d in match.group(2).split(";") if d.strip()]
        records[match.group(1)] = fields
    return records


def test_every_record_and_field_of_the_header_is_bound():
    assert header_records() == {name: [f for f, _, _ in parse_fields(fields_text)] for name, fields_text in RECORDS}


def test_offsets_and_sizes_equal_the_c_compilers(run_c):
    # The C side: offsetof and sizeof of every field of every record listed, as the compiler lays them out.
    lines = []
    for name, fields_text in RECORDS:
        lines.append(f'    printf("{name} - 0 %zu\\n", sizeof({name}));')
        for field, _, _ in parse_fields(fields_text):
            lines.append(f'    printf("{name} {field} %zu %zu\\n", offsetof({name}, {field}), '
                         f'sizeof((({name}*)0)->{field}));')
    source = "#include <stddef.h>\n#include <stdio.h>\n#include <orla/orla.h>\nint main(void) {\n" + \
             "\n".join(lines) + "\n    return 0;\n}\n"
    expected = []
    for name, fields_text in RECORDS:
        record = RECORD_TYPES[name]
        expected.append(f"{name} - 0 {ctypes.sizeof(record)}")
        for field, _, _ in parse_fields(fields_text):
            descriptor = getattr(record, field)
            expected.append(f"{name} {field} {descriptor.offset} {descriptor.size}")
    assert run_c(source, "layout").splitlines() == expected


def test_constants_equal_the_headers():
    header = dict(re.findall(r"\b(ORLA_\w+)\s*=\s*(\d+)", header_text()))
    assert header, "no constants found in orla.h"
    bound = {name: getattr(orla.constants, name) for name in dir(orla.constants) if name.startswith("ORLA_")}
    assert bound == {name: int(value) for name, value in header.items()}


def test_exports_equal_the_headers_declarations():
    def argument_type(declaration):  # "PayRecord* pay" -> "PayRecord*", "const double block[3]" -> "const double*"
        if declaration.strip() == "void":
            return ""
        match = re.fullmatch(r"(.+?)\s*\b(\w+)(\[\d+\])?", declaration.strip())
        return match.group(1) + ("*" if match.group(3) else "")

    header = {}
    for result, name, arguments in re.findall(r"ORLA_API\s+([\w ]+?)\s+ORLA_CALL\s+(\w+)\(([^)]*)\);",
                                              header_text()):
        header[name] = (result, ", ".join(filter(None, (argument_type(a) for a in arguments.split(",")))))
    assert header == {name: (result, arguments) for name, result, arguments in EXPORTS}
