"""Shared helpers: the orla package from this tree, the header, and C programs compiled against it."""

import os
import pathlib
import re
import subprocess
import sys

import pytest

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))
REPO = HERE.parent.parent.parent
INCLUDE = pathlib.Path(os.environ.get("ORLA_INCLUDE", REPO / "include"))
HEADER = INCLUDE / "orla" / "orla.h"


def header_text():
    """orla.h without its comments."""
    return re.sub(r"/\*.*?\*/", " ", HEADER.read_text(), flags=re.S)


@pytest.fixture(scope="session")
def run_c(tmp_path_factory):
    """Compiles a C program against orla.h (and the library) and returns its standard output."""
    library = os.environ.get("ORLA_LIBRARY")
    work = tmp_path_factory.mktemp("c")

    def run(source, name="program"):
        c_file = work / f"{name}.c"
        c_file.write_text(source)
        program = work / name
        command = [os.environ.get("CC", "cc"), "-std=c99", "-Wall", "-Werror", f"-I{INCLUDE}", "-o", str(program),
                   str(c_file)]
        if library:
            command.append(library)
        subprocess.run(command, check=True)
        environment = dict(os.environ)
        if library:
            environment["LD_LIBRARY_PATH"] = str(pathlib.Path(library).parent)
        return subprocess.run([str(program)], check=True, capture_output=True, text=True, env=environment).stdout

    return run
