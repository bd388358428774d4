"""The records of orla.h as ctypes structures, built from one list.

Each entry is a record's name and its fields in order: ``i`` an int, ``d`` a double, ``u`` an unsigned int,
a record's name for a nested record, and ``[n]`` after the type for an array. Adding a record to the
binding is adding its entry here; tests/test_layout.py checks every entry against the C header's offsets.
"""

import ctypes

RECORDS = [
    ("CalcDate", "i month, i day, i year"),
    ("PayRecord", "i recordSize, i stateTaxableIncome, i fedStatus, i fedAllowances, CalcDate payDate, "
     "i fedFilingStatus, i payPeriods, d fedWages, d fedExtraWithholding, CalcDate fedTableDate, d fedTax, "
     "i reserved72, i ssExempt, d ficaWages, d ssYtdWages, d ssTax, i reserved104, i medicareExempt, "
     "d medicareYtdWages, d medicareTax, d suppWages, d suppYtdWages, i suppAggregate, i reserved148, "
     "d fedSuppTax, i fedExempt, i w4Form2020, i w4MultipleJobs, d w4Credits, d w4OtherIncome, "
     "d w4Deductions, i nonresidentAlien"),
    ("StateRecord", "i recordSize, i status, i stateCode, i stateAllowances, i stateFilingStatus, "
     "i statePayPeriods, d stateWages, d stateExtraWithholding, CalcDate stateTableDate, d stateTax, "
     "d statePercent, i stateEstimatedAllowances, i reserved72, i reserved76, i stateWithholdingCode, "
     "d stateReducedWithholding, i stateDependentAllowances, i stateDependencyCredits, i stateHeadOfHousehold, "
     "i stateBlind, i stateSpouseBlind, i stateExempt, i stateRateTable, i stateDependents, "
     "d stateExemptionAmount, i stateOption, i stateAdditionalAllowances, i stateDependentExemptions, "
     "d stateSuppWages, i reserved152, i reserved156, i stateSuppAggregate, i stateSuppKind, d stateSuppTax, "
     "i[4] stateExemptions, i reserved192, i reserved196, i reserved200, d stateFixedTax, i stateCertField1, "
     "i stateCertField2, i stateCertField3, i reserved224, d stateCertAmount1, d stateCertAmount2"),
    ("LocalRecord", "i recordSize, i localStatus, i localityCode, i localExemptions, i localOption, "
     "i localPayPeriods, d localWages, d localExtraWithholding, i[3] reserved40, d localTax, i localResident, "
     "d overrideRate, d overrideAnnualLimit, d overrideYtd, i overrideExemptions, d overrideExemptionAmount, "
     "d overrideDeduction, d overrideFlatAnnual, i workLocalityCode, d workLocalityTax, i localTaxType, "
     "d localSuppWages, i reserved140, i reserved144, i localSuppAggregate, i reserved152, d localSuppTax, "
     "d workLocalitySuppTax, i reserved172, i reserved176"),
    ("TableInfoRecord", "i recordSize, CalcDate infoDate, i infoKind, d infoValue"),
    ("PromptRecord", "i recordSize, i reserved4, i stateCode, i listSelector, i reserved16, i index, i count, "
     "i listCode, i calcCode"),
    ("AeicRecord", "i recordSize, i status, CalcDate payDate, i spouseCertificate, i eicFilingCode, "
     "i payPeriods, d wages, d ytdWages, d advanceEic"),
    ("CanadaRecord", "i recordSize, CalcDate payDate, i status, i payPeriods, d fedClaimAmount, "
     "d fedAnnualCredit, d fedExtraPerPay, d reserved48, i reserved56, d provPassThrough, d fedOtherCredits, "
     "d taxableIncome, d cppEarnings, d cppYtd, i reserved100, d eiEarnings, d eiYtd, d fedAnnualTax, "
     "d incomeTaxPerPay, d cppContribution, d eiPremium, d reserved152, d fedTaxPerPay, d bonus, "
     "d priorBonuses, d bonusFedTax, d bonusCpp, d bonusEi"),
    ("ProvinceRecord", "i recordSize, CalcDate payDate, i status, i provinceCode, i payPeriods, "
     "d provClaimAmount, d provExtraPerPay, i reserved44, i reductionCountA, i reductionCountB, i reserved56, "
     "d reserved60, d bcReductionIncome, d labourFundAmount, d provOtherCredits, d provTaxableIncome, "
     "d provAnnualTax, d reserved108, d provBonus, d provPriorBonuses, d provBonusTax"),
    ("ClaimCodeRecord", "i recordSize, CalcDate infoDate, i status, i provinceCode, i claimCode, d rangeLow, "
     "d rangeHigh, d claimAmount, d netIncome"),
    ("QuebecRecord", "i recordSize, CalcDate payDate, i status, d[2] qcDeductions, d qcAnnualDeduction, "
     "d qcOtherCredits, d[2] qcClaimParts, d qcCreditBase, i qcCreditCount, d qcGross, d[3] reserved88, "
     "d qcExtraPerPay, i qcPayPeriods, i qcDeductionPeriods, d qcTaxPerPay, d reserved136, d qcCreditBase2, "
     "i qcCreditCount2"),
    ("FutaRecord", "i recordSize, i status, CalcDate payDate, i reserved20, d wages, d ytdWages, d rate, d tax"),
    ("SuiRecord", "i recordSize, i status, CalcDate payDate, i stateCode, d wages, d ytdWages, d rate, d tax, "
     "i[3] reserved56, d employeeRate, d employeeTax, i reserved84, d wageBase"),
    ("EttRecord", "i recordSize, i status, CalcDate payDate, i reserved20, d wages, d ytdWages, d tax"),
    ("SdiRecord", "i recordSize, i status, CalcDate payDate, i stateCode, d wages, d ytdWages, d sdiTax, "
     "d rateOverride, d employerRate, d employerTax, i payPeriods"),
    ("FamilyLeaveRecord", "i recordSize, i reserved4, CalcDate payDate, i stateCode, d wages, d ytdWages, "
     "d employeeAmount, d shareInput, d employerAmount, d extraInput, d medicalRemainder, d medicalByShare"),
    ("TransitRecord", "i recordSize, i status, CalcDate payDate, i reserved20, d wages, i[2] reserved32, "
     "d rate, i[2] reserved48, d transitTax, d employeeTransitTax"),
    ("WorkCompRecord", "i recordSize, i status, CalcDate payDate, i stateCode, i perHour, i perMonth, "
     "i[8] reserved32, d hours, d employeeRate, d employerRate, d employeeAmount, d employerAmount"),
    ("StateOtherRecord", "i recordSize, i status, i levyKind, CalcDate payDate, i stateCode, i payPeriods, "
     "i[7] reserved32, d wages, d premium"),
]

_SCALARS = {"i": ctypes.c_int, "u": ctypes.c_uint, "d": ctypes.c_double}


def parse_fields(fields_text):
    """[(field, type code, array length or None)] of one entry's field list."""
    fields = []
    for item in fields_text.split(","):
        code, name = item.split()
        count = None
        if code.endswith("]"):
            code, count = code[:-1].split("[")
            count = int(count)
        fields.append((name, code, count))
    return fields


class Record(ctypes.Structure):
    """Base of every record: 4-byte packing like the header, recordSize set to the full size."""

    _pack_ = 4

    def __init__(self, *values, **fields):
        super().__init__(*values)
        if not values and any(name == "recordSize" for name, _ in self._fields_):
            self.recordSize = ctypes.sizeof(self)
        for name, value in fields.items():
            if not hasattr(type(self), name):
                raise TypeError(f"{type(self).__name__} has no field {name!r}")
            setattr(self, name, value)

    def __repr__(self):
        return f"{type(self).__name__}({', '.join(f'{n}={getattr(self, n)!r}' for n, _ in self._fields_)})"


def _build():
    types = {}
    for name, fields_text in RECORDS:
        fields = []
        for field, code, count in parse_fields(fields_text):
            ctype = _SCALARS.get(code) or types[code]
            fields.append((field, ctype * count if count else ctype))
        types[name] = type(name, (Record,), {"_pack_": 4, "_fields_": fields})
    return types


RECORD_TYPES = _build()
