"""orla: payroll tax withholding from Python, through the orla shared library (ctypes, no compiled code).

    import orla
    r = orla.calc(date="2026-03-13", periods=26, wages=2000, status="single", w4_2020=True, state="TX")
    print(r.fed_tax, r.ss_tax, r.medicare_tax, r.state_tax, r.flag_words)

The records of orla.h are ctypes structures (orla.PayRecord, ...; recordSize is preset to the full size),
the codes are constants (orla.ORLA_TX, ...), and orla.library() is the loaded library with every export
typed, for calls the idiomatic layer does not cover (the levies, the Canadian exports).
"""

import ctypes
import datetime
import re
from dataclasses import dataclass, field

from . import constants
from ._library import EXPORTS, LibraryNotFound, bind, find_library
from ._records import RECORD_TYPES, RECORDS, Record
from .constants import *  # noqa: F401,F403  the named codes

globals().update(RECORD_TYPES)

__all__ = ["calc", "Result", "library", "version", "table_version", "build_info", "Record", "LibraryNotFound",
           "RECORDS", "EXPORTS"] + list(RECORD_TYPES) + [n for n in dir(constants) if n.isupper()]

_lib = None


def library():
    """The orla shared library, loaded on first use (see find_library for where it is looked for)."""
    global _lib
    if _lib is None:
        _lib = bind(find_library())
    return _lib


def version():
    """Version of the calling interface (3.5)."""
    return library().ORLA_Version()


def table_version():
    """Latest tax year of the tables."""
    return library().ORLA_Table_Version()


def build_info():
    """The library's build stamp."""
    text = ctypes.create_string_buffer(32)
    library().ORLA_Get_Build_Info(text)
    return text.value.decode("ascii")


MODES = {"federal": constants.ORLA_MODE_FEDERAL, "full": constants.ORLA_MODE_FULL,
         "employer": constants.ORLA_MODE_FEDERAL_EMPLOYER, "net": constants.ORLA_MODE_GROSS_UP_WAGES,
         "bonus-net": constants.ORLA_MODE_GROSS_UP_BONUS}
FILING_STATUSES = {"single": constants.ORLA_FED_SINGLE, "married": constants.ORLA_FED_MARRIED,
                   "head-of-household": constants.ORLA_FED_HEAD_OF_HOUSEHOLD,
                   "married-single-rate": constants.ORLA_FED_MARRIED_SINGLE_RATE}
FLAG_WORDS = [(constants.ORLA_FLAG_FEDERAL, "federal part failed"), (constants.ORLA_FLAG_STATE, "state part failed"),
              (constants.ORLA_FLAG_LOCAL, "local part failed")]
FED_STATUS_WORDS = {0: "ok", 1: "no federal table row", 100: "gross-up search did not converge"}
STATE_STATUS_WORDS = {0: "computed", 1: "no state table row or the calculation failed",
                      3: "jurisdiction not supported", 4: "record too small for the state's fields"}
LOCAL_STATUS_WORDS = {0: "computed", 1: "no locality row"}


def _snake(name):
    return re.sub(r"(?<=[a-z0-9])([A-Z])", r"_\1", name).lower()


def _keywords():
    """snake_case keyword -> (record, field) for every field of the pay, state and local records."""
    table = {}
    for record in ("PayRecord", "StateRecord", "LocalRecord"):
        for name, _ in RECORD_TYPES[record]._fields_:
            if name != "recordSize" and not name.startswith("reserved"):
                table.setdefault(_snake(name), (record, name))
    return table


_KEYWORDS = _keywords()
_ALIASES = {"date": "pay_date", "periods": "pay_periods", "wages": "fed_wages", "status": "fed_filing_status",
            "state": "state_code", "bonus": "supp_wages", "w4_2020": "w4_form2020", "locality": "locality_code"}
# Fields that default to another's value, as on the command line.
_DEFAULTS = [("fica_wages", "fed_wages"), ("state_wages", "fed_wages"), ("state_pay_periods", "pay_periods"),
             ("medicare_ytd_wages", "ss_ytd_wages"), ("state_supp_wages", "supp_wages")]
_LOCAL_DEFAULTS = [("local_wages", "fed_wages"), ("local_pay_periods", "pay_periods"),
                   ("local_supp_wages", "supp_wages")]


def _date(value):
    if isinstance(value, str):
        value = datetime.date.fromisoformat(value)
    if isinstance(value, datetime.date):
        return _calc_date(value.month, value.day, value.year)
    year, month, day = value
    return _calc_date(month, day, year)


def _calc_date(month, day, year):
    return RECORD_TYPES["CalcDate"](month=month, day=day, year=year)


def _code(value, names, what):
    if isinstance(value, str):
        try:
            return names[value.lower() if what != "state" else value.upper()]
        except KeyError:
            raise ValueError(f"unknown {what} {value!r}; one of {', '.join(names)}") from None
    return int(value)


@dataclass
class Result:
    """What one calc() wrote back: the taxes, the flags and the statuses, in numbers and in words."""

    flags: int
    fed_tax: float
    fed_supp_tax: float
    ss_tax: float
    medicare_tax: float
    state_tax: float
    state_supp_tax: float
    fed_status: int
    state_status: int
    local_tax: float = 0.0
    local_supp_tax: float = 0.0
    work_locality_tax: float = 0.0
    local_status: int = 0
    pay: object = field(default=None, repr=False)
    state: object = field(default=None, repr=False)
    local: object = field(default=None, repr=False)

    @property
    def ok(self):
        """Every tax was computed."""
        return self.flags == 0

    @property
    def flag_words(self):
        return [words for flag, words in FLAG_WORDS if self.flags & flag]

    @property
    def fed_status_words(self):
        return FED_STATUS_WORDS.get(self.fed_status, f"status {self.fed_status}")

    @property
    def state_status_words(self):
        return STATE_STATUS_WORDS.get(self.state_status, f"status {self.state_status}")

    @property
    def local_status_words(self):
        return LOCAL_STATUS_WORDS.get(self.local_status, f"status {self.local_status}")

    @property
    def taxes(self):
        """Every tax amount by name."""
        names = ["fed_tax", "fed_supp_tax", "ss_tax", "medicare_tax", "state_tax", "state_supp_tax"]
        if self.local is not None:
            names += ["local_tax", "local_supp_tax", "work_locality_tax"]
        return {name: getattr(self, name) for name in names}


def calc(mode="full", **kwargs):
    """Computes one pay and returns a Result.

    Keywords are the fields of PayRecord, StateRecord and LocalRecord in snake_case (fed_wages,
    ss_ytd_wages, state_filing_status, local_resident, ...) with the short forms date (a datetime.date,
    "YYYY-MM-DD" or (year, month, day)), periods, wages, status (a filing status name or code), state (a
    postal abbreviation or code), bonus, w4_2020 and locality. fica_wages and state_wages default to the
    wages, state_pay_periods to the periods, medicare_ytd_wages to ss_ytd_wages, state_supp_wages to the
    bonus. A LocalRecord keyword computes the pay through ORLA_Calc_Local (local_wages, local_pay_periods
    and local_supp_wages then default to the pay's). mode: "full", "federal", "employer", "net" (wages
    hold the desired net pay), "bonus-net" (bonus holds the desired net bonus), or a mode number.
    """
    values = {}
    for key, value in kwargs.items():
        name = _ALIASES.get(key, key)
        if name not in _KEYWORDS:
            raise TypeError(f"calc() got an unknown keyword {key!r}")
        if name in values:
            raise TypeError(f"calc() got {key!r} twice (under two names)")
        values[name] = value
    for name in ("pay_date", "pay_periods", "fed_wages"):
        if name not in values:
            raise TypeError(f"calc() needs {name} (or its short form)")
    with_local = any(_KEYWORDS[name][0] == "LocalRecord" for name in values)
    for target, source in _DEFAULTS + (_LOCAL_DEFAULTS if with_local else []):
        if target not in values and source in values:
            values[target] = values[source]

    records = {name: RECORD_TYPES[name]() for name in ("PayRecord", "StateRecord", "LocalRecord")}
    for name, value in values.items():
        record, fieldname = _KEYWORDS[name]
        if name == "pay_date":
            value = _date(value)
        elif name == "fed_filing_status":
            value = _code(value, FILING_STATUSES, "filing status")
        elif name == "state_code":
            value = _code(value, constants.STATES, "state")
        elif isinstance(value, bool):
            value = int(value)
        setattr(records[record], fieldname, value)
    mode = MODES[mode] if isinstance(mode, str) else int(mode)

    pay, state, local = records["PayRecord"], records["StateRecord"], records["LocalRecord"]
    lib = library()
    if with_local:
        flags = lib.ORLA_Calc_Local(mode, ctypes.byref(pay), ctypes.byref(state), ctypes.byref(local))
    else:
        flags = lib.ORLA_Calc(mode, ctypes.byref(pay), ctypes.byref(state))
    return Result(flags=flags, fed_tax=pay.fedTax, fed_supp_tax=pay.fedSuppTax, ss_tax=pay.ssTax,
                  medicare_tax=pay.medicareTax, state_tax=state.stateTax, state_supp_tax=state.stateSuppTax,
                  fed_status=pay.fedStatus, state_status=state.status, local_tax=local.localTax,
                  local_supp_tax=local.localSuppTax, work_locality_tax=local.workLocalityTax,
                  local_status=local.localStatus, pay=pay, state=state, local=local if with_local else None)
