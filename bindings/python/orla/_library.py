"""Finding and loading the shared library, with the signatures of its exports."""

import ctypes
import ctypes.util
import os
import sys

from ._records import RECORD_TYPES

# Every export: name, result type, argument types ("T*" a pointer to record T). The test suite checks this
# list against the declarations of orla.h.
EXPORTS = [
    ("ORLA_Calc", "unsigned int", "int, PayRecord*, StateRecord*"),
    ("ORLA_Calc_Local", "int", "int, PayRecord*, StateRecord*, LocalRecord*"),
    ("ORLA_Calc_County", "int", "int, PayRecord*, StateRecord*, LocalRecord*"),
    ("ORLA_Calc_City", "int", ""),
    ("ORLA_AEIC_Calc", "int", "AeicRecord*"),
    ("ORLA_Version", "double", ""),
    ("ORLA_Table_Version", "double", ""),
    ("ORLA_Get_Build_Info", "int", "char*"),
    ("ORLA_Get_Table_Info", "int", "TableInfoRecord*"),
    ("ORLA_Get_Prompt", "int", "PromptRecord*, char*"),
    ("ORLA_Canada_Calc", "int", "int, CanadaRecord*, ProvinceRecord*"),
    ("ORLA_Canada_Get_CC", "int", "int, ClaimCodeRecord*"),
    ("ORLA_Canada_Provincial_Calc", "int", "int, ProvinceRecord*, const double*"),
    ("ORLA_Canada_Quebec_Calc", "int", "int, QuebecRecord*"),
    ("FUTA_Calc", "int", "FutaRecord*"),
    ("SUI_Calc", "int", "SuiRecord*"),
    ("ETT_Calc", "int", "EttRecord*"),
    ("SDI_Calc", "int", "SdiRecord*"),
    ("FAMLEAVE_Calc", "int", "FamilyLeaveRecord*"),
    ("TT_Calc", "int", "TransitRecord*"),
    ("WORKCOMP_Calc", "int", "WorkCompRecord*"),
    ("StateOther_Calc", "int", "StateOtherRecord*"),
]

_C_TYPES = {"int": ctypes.c_int, "unsigned int": ctypes.c_uint, "double": ctypes.c_double,
            "char*": ctypes.c_char_p, "const double*": ctypes.POINTER(ctypes.c_double)}


def _ctype(name):
    if name in _C_TYPES:
        return _C_TYPES[name]
    return ctypes.POINTER(RECORD_TYPES[name.rstrip("*")])


if sys.platform == "win32":
    _NAMES = ["orla.dll"]
elif sys.platform == "darwin":
    _NAMES = ["liborla.dylib"]
else:
    _NAMES = ["liborla.so", "liborla.so.3"]


class LibraryNotFound(OSError):
    """No orla shared library could be loaded; the message lists every place tried."""


def _load(path):
    return ctypes.CDLL(path)


def find_library():
    """Loads the library: $ORLA_LIBRARY (a path) if set, else beside this package, else the system loader."""
    tried = []
    explicit = os.environ.get("ORLA_LIBRARY")
    if explicit:
        # A path the caller named is the only one taken: no other copy is loaded behind its back.
        try:
            return _load(explicit)
        except OSError as error:
            raise LibraryNotFound(f"ORLA_LIBRARY={explicit} could not be loaded: {error}") from None
    here = os.path.dirname(os.path.abspath(__file__))
    candidates = [os.path.join(here, name) for name in _NAMES]
    found = ctypes.util.find_library("orla")
    candidates += [name for name in [found] + _NAMES if name]
    for candidate in candidates:
        if os.path.isabs(candidate) and not os.path.exists(candidate):
            tried.append(f"{candidate} (no such file)")
            continue
        try:
            return _load(candidate)
        except OSError as error:
            tried.append(f"{candidate} ({error})")
    raise LibraryNotFound("the orla shared library was not found; tried:\n  " + "\n  ".join(tried) +
                          "\nSet ORLA_LIBRARY to the path of liborla.so (orla.dll on Windows), or copy the "
                          "library beside the orla package.")


def bind(lib):
    """Sets the result and argument types of every export of lib; returns lib."""
    for name, result, arguments in EXPORTS:
        function = getattr(lib, name)
        function.restype = _ctype(result)
        function.argtypes = [_ctype(a.strip()) for a in arguments.split(",") if a.strip()]
    version = lib.ORLA_Version()
    if int(version) != 3:
        raise LibraryNotFound(f"{lib._name} has interface version {version}; this binding needs 3.x")
    return lib
