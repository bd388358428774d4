"""orla.calc and the raw layer against the C library called from C."""

import ctypes
import itertools

import pytest

import orla
from orla import _library

STATES = ["CA", "NY", "GA", "IL", "TX"]
PERIODS = [52, 26, 12]
WAGES = [250.0, 2000.0, 9000.0]
STATUSES = [0, 1, 2]
FORMS = [0, 1]
BONUSES = [0.0, 750.0]
MODES = [1, 11]
SPREAD = list(itertools.product(MODES, STATES, PERIODS, WAGES, STATUSES, FORMS, BONUSES))

# The same spread through ORLA_Calc from C, every result printed to the bit.
C_SPREAD = r"""
#include <stdio.h>
#include <string.h>
#include <orla/orla.h>
int main(void) {
    static const int modes[] = {1, 11}, states[] = {ORLA_CA, ORLA_NY, ORLA_GA, ORLA_IL, ORLA_TX};
    static const int periods[] = {52, 26, 12}, statuses[] = {0, 1, 2}, forms[] = {0, 1};
    static const double wages[] = {250.0, 2000.0, 9000.0}, bonuses[] = {0.0, 750.0};
    for (int m = 0; m < 2; m++) for (int s = 0; s < 5; s++) for (int p = 0; p < 3; p++) for (int w = 0; w < 3; w++)
    for (int f = 0; f < 3; f++) for (int n = 0; n < 2; n++) for (int b = 0; b < 2; b++) {
        PayRecord pay;
        StateRecord state;
        memset(&pay, 0, sizeof pay);
        memset(&state, 0, sizeof state);
        pay.recordSize = sizeof pay;
        pay.payDate.month = 6; pay.payDate.day = 12; pay.payDate.year = 2026;
        pay.payPeriods = periods[p];
        pay.fedFilingStatus = statuses[f];
        pay.w4Form2020 = forms[n];
        pay.fedAllowances = 2;
        pay.fedWages = pay.ficaWages = wages[w];
        pay.ssYtdWages = pay.medicareYtdWages = 30000.0;
        pay.suppWages = bonuses[b];
        state.recordSize = sizeof state;
        state.stateCode = states[s];
        state.statePayPeriods = periods[p];
        state.stateWages = wages[w];
        state.stateSuppWages = bonuses[b];
        unsigned flags = ORLA_Calc(modes[m], &pay, &state);
        printf("%u %.17g %.17g %.17g %.17g %.17g %.17g %.17g %d %d\n", flags, pay.fedTax, pay.fedSuppTax, pay.ssTax,
               pay.medicareTax, state.stateTax, state.stateSuppTax, pay.fedWages, pay.fedStatus, state.status);
    }
    return 0;
}
"""


def test_results_equal_the_c_librarys_for_a_spread_of_pays(run_c):
    expected = [line.split() for line in run_c(C_SPREAD, "spread").splitlines()]
    assert len(expected) == len(SPREAD)
    for case, want in zip(SPREAD, expected):
        mode, state, periods, wages, status, form, bonus = case
        r = orla.calc(mode=mode, date=(2026, 6, 12), periods=periods, wages=wages, status=status, w4_2020=form,
                      fed_allowances=2, ss_ytd_wages=30000.0, bonus=bonus, state=state)
        got = [r.flags, r.fed_tax, r.fed_supp_tax, r.ss_tax, r.medicare_tax, r.state_tax, r.state_supp_tax,
               r.pay.fedWages, r.fed_status, r.state_status]
        assert got == [int(want[0])] + [float(v) for v in want[1:8]] + [int(v) for v in want[8:]], case


@pytest.mark.parametrize("fields, flags, words, fed_status, state_status", [
    ({}, 0, [], "ok", "computed"),
    ({"state": 99}, 8, ["state part failed"], "ok", "jurisdiction not supported"),
    ({"periods": 0}, 1, ["federal part failed"], "ok", "jurisdiction not supported"),
    ({"wages": float("nan"), "state": "CA"}, 9, ["federal part failed", "state part failed"],
     "no federal table row", "no state table row or the calculation failed"),
])
def test_flags_and_statuses_in_words(fields, flags, words, fed_status, state_status):
    pay = {"date": "2026-03-13", "periods": 26, "wages": 2000, "state": "TX", **fields}
    r = orla.calc(**pay)
    assert (r.flags, r.flag_words, r.fed_status_words, r.state_status_words, r.ok) == \
        (flags, words, fed_status, state_status, flags == 0)
    assert all(amount == amount for amount in r.taxes.values())  # no NaN handed back


def test_the_readme_pay_and_the_keyword_defaults():
    r = orla.calc(date="2026-03-13", periods=26, wages=2000, status="single", w4_2020=True, state="TX")
    assert (r.fed_tax, r.ss_tax, r.medicare_tax, r.state_tax, r.flags) == (156.15, 124.0, 29.0, 0.0, 0)
    # fica_wages and state_wages follow the wages unless given.
    assert (r.pay.ficaWages, r.state.stateWages, r.state.statePayPeriods) == (2000.0, 2000.0, 26)
    explicit = orla.calc(date="2026-03-13", periods=26, wages=2000, fica_wages=1000, state="CA", state_wages=500)
    assert (explicit.ss_tax, explicit.state.stateWages) == (62.0, 500.0)


@pytest.mark.parametrize("fields, error", [
    ({"bogus": 1}, TypeError),
    ({"wages": 1, "fed_wages": 2}, TypeError),
    ({"state": "ZZ"}, ValueError),
    ({"status": "widowed"}, ValueError),
])
def test_bad_keywords_are_refused(fields, error):
    with pytest.raises(error):
        orla.calc(**{"date": "2026-03-13", "periods": 26, "wages": 2000, **fields})


def test_a_levy_through_the_raw_layer():
    futa = orla.FutaRecord(payDate=orla.CalcDate(3, 13, 2026), wages=2000, rate=0.006)
    assert (orla.library().FUTA_Calc(futa), futa.status, futa.tax) == (0, 0, 12.0)


def test_the_loader_names_what_it_tried(monkeypatch):
    monkeypatch.setenv("ORLA_LIBRARY", "/nonexistent/liborla.so")
    with pytest.raises(orla.LibraryNotFound, match="ORLA_LIBRARY=/nonexistent/liborla.so"):
        _library.find_library()
    monkeypatch.delenv("ORLA_LIBRARY")

    def refuse(path):
        raise OSError("refused")

    monkeypatch.setattr(_library, "_load", refuse)
    with pytest.raises(orla.LibraryNotFound) as caught:
        _library.find_library()
    message = str(caught.value)
    assert "orla/liborla.so (no such file)" in message and "liborla.so (refused)" in message
    assert "ORLA_LIBRARY" in message
