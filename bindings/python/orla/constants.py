"""The named codes of orla.h (the test suite checks every one against the header)."""

# Federal filing status (PayRecord.fedFilingStatus)
ORLA_FED_SINGLE = 0
ORLA_FED_MARRIED = 1
ORLA_FED_HEAD_OF_HOUSEHOLD = 2
ORLA_FED_MARRIED_SINGLE_RATE = 3

# StateRecord.status
ORLA_STATE_OK = 0
ORLA_STATE_NO_ROW = 1
ORLA_STATE_UNSUPPORTED = 3
ORLA_STATE_RECORD_TOO_SMALL = 4

# PayRecord.fedStatus
ORLA_FED_STATUS_OK = 0
ORLA_FED_STATUS_NO_ROW = 1
ORLA_FED_STATUS_NOT_CONVERGED = 100

# Flags returned by ORLA_Calc and the local exports
ORLA_FLAG_FEDERAL = 1
ORLA_FLAG_STATE = 8
ORLA_FLAG_LOCAL = 16

# Modes of ORLA_Calc
ORLA_MODE_FEDERAL = 0
ORLA_MODE_FULL = 1
ORLA_MODE_FEDERAL_EMPLOYER = 2
ORLA_MODE_GROSS_UP_WAGES = 11
ORLA_MODE_GROSS_UP_BONUS = 12

# ORLA_Get_Table_Info kinds
ORLA_INFO_SS_WAGE_BASE = 1

# StateOtherRecord.levyKind
ORLA_LEVY_LONG_TERM_CARE = 1

# Jurisdiction codes (StateRecord.stateCode and the levy records): postal abbreviation -> code
STATES = {
    "AL": 1, "AK": 2, "AS": 3, "AZ": 4, "AR": 5, "CA": 6, "CO": 7, "CT": 8, "DE": 9, "DC": 10, "FM": 11,
    "FL": 12, "GA": 13, "GU": 14, "HI": 15, "ID": 16, "IL": 17, "IN": 18, "IA": 19, "KS": 20, "KY": 21,
    "LA": 22, "ME": 23, "MH": 24, "MD": 25, "MA": 26, "MI": 27, "MN": 28, "MS": 29, "MO": 30, "MT": 31,
    "NE": 32, "NV": 33, "NH": 34, "NJ": 35, "NM": 36, "NY": 37, "NC": 38, "ND": 39, "MP": 40, "OH": 41,
    "OK": 42, "OR": 43, "PW": 44, "PA": 45, "PR": 46, "RI": 47, "SC": 48, "SD": 49, "TN": 50, "TX": 51,
    "UT": 52, "VT": 53, "VI": 54, "VA": 55, "WA": 56, "WV": 57, "WI": 58, "WY": 59,
}

# Canadian province codes (ProvinceRecord.provinceCode, ClaimCodeRecord.provinceCode)
PROVINCES = {
    "FEDERAL": 0, "NL": 1, "CODE2": 2, "NS": 3, "PE": 4, "NB": 5, "QC": 6, "ON": 7, "MB": 8, "SK": 9,
    "AB": 10, "BC": 11, "YT": 12, "NT": 13, "NU": 14,
}

globals().update({f"ORLA_{abbr}": code for abbr, code in STATES.items()})
globals().update({f"ORLA_CA_{abbr}": code for abbr, code in PROVINCES.items()})
