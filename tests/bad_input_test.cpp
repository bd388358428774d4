// What a host's bad input yields: each case gives a documented status, never a crash, never a write
// outside the record's outputs, never NaN or infinity in an output. Every case runs in every mode.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "record_guard.h"

namespace {

using orla_guard::CalcResult;
using orla_guard::guardedCalc;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kModes[] = {ORLA_MODE_FEDERAL, ORLA_MODE_FULL, ORLA_MODE_FEDERAL_EMPLOYER, ORLA_MODE_GROSS_UP_WAGES,
                          ORLA_MODE_GROSS_UP_BONUS, 3, -1, INT_MIN, INT_MAX};

bool federalOnly(int mode) { return mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER; }

// A valid biweekly pay in Texas (no income tax) that every mode computes without a flag.
PayRecord basePay() {
    PayRecord p{};
    p.recordSize = sizeof p;
    p.payDate = CalcDate{6, 15, 2025};
    p.payPeriods = 26;
    p.fedFilingStatus = ORLA_FED_SINGLE;
    p.fedWages = 2000.0;
    p.ficaWages = 2000.0;
    p.ssYtdWages = 20000.0;
    p.medicareYtdWages = 20000.0;
    p.suppWages = 500.0;
    p.w4Form2020 = 1;
    return p;
}

StateRecord baseState(int code = ORLA_TX) {
    StateRecord s{};
    s.recordSize = sizeof s;
    s.stateCode = code;
    s.statePayPeriods = 26;
    s.stateWages = 2000.0;
    s.stateSuppWages = 500.0;
    s.stateExtraWithholding = 10.0;
    return s;
}

// Flags a case must raise in every mode (must), and flags it may raise besides (may).
struct Case {
    const char* name;
    std::function<void(PayRecord&, StateRecord&)> change;
    unsigned must;
    unsigned may;
};

void runCases(const Case* cases, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Case& c = cases[i];
        for (int mode : kModes) {
            PayRecord pay = basePay();
            StateRecord state = baseState();
            c.change(pay, state);
            const CalcResult r = guardedCalc(mode, pay, state);
            EXPECT_EQ(r.fault, "") << c.name << ", mode " << mode;
            unsigned must = c.must, may = c.may;
            if (federalOnly(mode)) {
                must &= ~static_cast<unsigned>(ORLA_FLAG_STATE);
                may &= ~static_cast<unsigned>(ORLA_FLAG_STATE);
            }
            EXPECT_EQ(r.flags & must, must) << c.name << ", mode " << mode << ", flags " << r.flags;
            EXPECT_EQ(r.flags & ~(must | may), 0u) << c.name << ", mode " << mode << ", flags " << r.flags;
        }
    }
}

constexpr unsigned F = ORLA_FLAG_FEDERAL;
constexpr unsigned S = ORLA_FLAG_STATE;

// Before anything else, the baseline itself is clean in every mode (else the cases prove nothing).
TEST(BadInput, BaselineComputesInEveryMode) {
    const Case cases[] = {{"baseline", [](PayRecord&, StateRecord&) {}, 0, 0}};
    runCases(cases, std::size(cases));
}

TEST(BadInput, NullRecordsGiveBothFlagsAndWriteNothing) {
    PayRecord pay = basePay();
    StateRecord state = baseState();
    for (int mode : kModes) {
        EXPECT_EQ(ORLA_Calc(mode, nullptr, &state), 9u);
        EXPECT_EQ(ORLA_Calc(mode, &pay, nullptr), 9u);
        EXPECT_EQ(ORLA_Calc(mode, nullptr, nullptr), 9u);
    }
    const StateRecord fresh = baseState();
    EXPECT_EQ(std::memcmp(&state, &fresh, sizeof state), 0);
    EXPECT_EQ(ORLA_AEIC_Calc(nullptr), 1);
    EXPECT_EQ(ORLA_Get_Table_Info(nullptr), 3);
    EXPECT_EQ(ORLA_Get_Build_Info(nullptr), 1);
    PromptRecord prompt{};
    char name[64];
    EXPECT_EQ(ORLA_Get_Prompt(nullptr, name), 0);
    EXPECT_EQ(ORLA_Get_Prompt(&prompt, nullptr), 0);
}

// The declared size at and around every gate, and sizes no real record has. Only the bonus
// gross-up needs a gated field (suppWages, gate 128) and reports its absence.
TEST(BadInput, RecordSizesAtEveryGate) {
    const int sizes[] = {0, -1, -200, INT_MIN, 4, 36, 127, 128, 129, 143, 144, 145, 159, 160, 161,
                         163, 164, 165, 199, 200, 201, 211, 212, 213, 243, 244, 245, INT_MAX};
    for (int size : sizes) {
        for (int mode : kModes) {
            for (int which = 0; which < 2; ++which) {
                PayRecord pay = basePay();
                StateRecord state = baseState(which == 0 ? ORLA_TX : ORLA_GU);
                pay.recordSize = size;
                state.recordSize = size;
                const CalcResult r = guardedCalc(mode, pay, state);
                EXPECT_EQ(r.fault, "") << "recordSize " << size << ", mode " << mode;
                if (mode == ORLA_MODE_GROSS_UP_BONUS && size <= 128) {
                    EXPECT_EQ(r.flags, F | S) << "recordSize " << size;
                } else if (mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER) {
                    // 2025 has a flat supplemental rate: no flag whatever the size.
                    EXPECT_EQ(r.flags, 0u) << "recordSize " << size << ", mode " << mode;
                }
                if (size <= 128) {
                    const double before = pay.fedSuppTax, after = r.pay.fedSuppTax;
                    EXPECT_EQ(after, before) << "untouched without its gate";
                }
            }
        }
    }
}

TEST(BadInput, PayPeriods) {
    const Case cases[] = {
        {"payPeriods 0", [](PayRecord& p, StateRecord&) { p.payPeriods = 0; }, F, 0},
        {"payPeriods -1", [](PayRecord& p, StateRecord&) { p.payPeriods = -1; }, F, 0},
        {"payPeriods INT_MIN", [](PayRecord& p, StateRecord&) { p.payPeriods = INT_MIN; }, F, 0},
        {"payPeriods 1", [](PayRecord& p, StateRecord&) { p.payPeriods = 1; }, 0, 0},
        {"payPeriods 10000", [](PayRecord& p, StateRecord&) { p.payPeriods = 10000; }, 0, 0},
        {"payPeriods INT_MAX", [](PayRecord& p, StateRecord&) { p.payPeriods = INT_MAX; }, 0, F},
        // The search's first trial, 1.7 times the target, overflows: it must not reach the record.
        {"payPeriods 0, wages near the double range",
         [](PayRecord& p, StateRecord& s) {
             p.payPeriods = 0;
             p.fedWages = p.ficaWages = s.stateWages = -1.6e308;
             p.suppWages = s.stateSuppWages = 1.6e308;
         },
         F, S},
    };
    runCases(cases, std::size(cases));
    // Outside the federal-only modes, fewer than one pay period is also state status 3.
    for (int mode : {ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_WAGES, ORLA_MODE_GROSS_UP_BONUS}) {
        PayRecord pay = basePay();
        pay.payPeriods = 0;
        const CalcResult r = guardedCalc(mode, pay, baseState());
        EXPECT_EQ(r.flags, F);
        EXPECT_EQ(r.state.status, ORLA_STATE_UNSUPPORTED);
    }
}

// A non-finite amount raises the flag of the tax it belongs to; the other part still computes.
TEST(BadInput, NonFiniteAmounts) {
    const double bad[] = {kNaN, kInf, -kInf};
    for (double v : bad) {
        const Case cases[] = {
            {"fedWages", [v](PayRecord& p, StateRecord&) { p.fedWages = v; }, F, S},
            {"fedExtraWithholding", [v](PayRecord& p, StateRecord&) { p.fedExtraWithholding = v; }, F, S},
            {"ficaWages", [v](PayRecord& p, StateRecord&) { p.ficaWages = v; }, F, S},
            {"ssYtdWages", [v](PayRecord& p, StateRecord&) { p.ssYtdWages = v; }, F, S},
            {"medicareYtdWages", [v](PayRecord& p, StateRecord&) { p.medicareYtdWages = v; }, F, S},
            {"suppWages", [v](PayRecord& p, StateRecord&) { p.suppWages = v; }, F, S},
            {"suppYtdWages", [v](PayRecord& p, StateRecord&) { p.suppYtdWages = v; }, F, S},
            {"w4Credits", [v](PayRecord& p, StateRecord&) { p.w4Credits = v; }, F, S},
            {"w4OtherIncome", [v](PayRecord& p, StateRecord&) { p.w4OtherIncome = v; }, F, S},
            {"w4Deductions", [v](PayRecord& p, StateRecord&) { p.w4Deductions = v; }, F, S},
            {"stateExtraWithholding", [v](PayRecord&, StateRecord& s) { s.stateExtraWithholding = v; }, S, F},
            // Texas reads only the additional withholding: other jurisdictions' amounts change nothing.
            {"Texas, stateWages", [v](PayRecord&, StateRecord& s) { s.stateWages = v; }, 0, 0},
            {"Texas, stateSuppWages", [v](PayRecord&, StateRecord& s) { s.stateSuppWages = v; }, 0, 0},
            {"Texas, statePercent", [v](PayRecord&, StateRecord& s) { s.statePercent = v; }, 0, 0},
            {"Texas, stateCertAmount1", [v](PayRecord&, StateRecord& s) { s.stateCertAmount1 = v; }, 0, 0},
            {"Texas, stateFixedTax", [v](PayRecord&, StateRecord& s) { s.stateFixedTax = v; }, 0, 0},
            // Each calculator's own amounts.
            {"Ohio, stateWages", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_OH; s.stateWages = v; }, S, F},
            {"Ohio, stateSuppWages", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_OH; s.stateSuppWages = v; }, S, F},
            {"Arizona, statePercent", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_AZ; s.statePercent = v; }, S, F},
            {"Connecticut, stateReducedWithholding",
             [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_CT; s.stateReducedWithholding = v; }, S, F},
            {"Iowa, stateCertAmount1", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_IA; s.stateCertAmount1 = v; }, S, F},
            {"Colorado, stateCertAmount2", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_CO; s.stateCertAmount2 = v; }, S, F},
            {"Missouri, stateFixedTax", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_MO; s.stateFixedTax = v; }, S, F},
            {"Guam, stateCertAmount2", [v](PayRecord&, StateRecord& s) { s.stateCode = ORLA_GU; s.stateCertAmount2 = v; }, 0, 0},
            // Federal amounts the elections leave unread.
            {"w4OtherIncome on a form before 2020",
             [v](PayRecord& p, StateRecord&) {
                 p.w4Form2020 = 0;
                 p.w4OtherIncome = v;
             },
             0, 0},
            {"suppYtdWages, aggregate method",
             [v](PayRecord& p, StateRecord&) {
                 p.suppAggregate = 1;
                 p.suppYtdWages = v;
             },
             0, 0},
            {"ssYtdWages, exempt", [v](PayRecord& p, StateRecord&) { p.ssExempt = 1; p.ssYtdWages = v; }, 0, 0},
            {"everything, exempt employee",
             [v](PayRecord& p, StateRecord&) {
                 p.fedExempt = 1;
                 p.fedWages = p.ficaWages = p.suppWages = p.fedExtraWithholding = v;
             },
             0, F | S},  // the gross-up searches have no target to search for
            // Outputs holding garbage on entry are overwritten, not read.
            {"fedTax in", [v](PayRecord& p, StateRecord&) { p.fedTax = v; }, 0, 0},
        };
        runCases(cases, std::size(cases));
        // A caller's stateTax is overwritten in the full modes; modes 0 and 2 round it and return it,
        // and a non-finite one comes back as 0 with the state flag.
        for (int mode : kModes) {
            StateRecord state = baseState();
            state.stateTax = v;
            const CalcResult r = guardedCalc(mode, basePay(), state);
            EXPECT_EQ(r.fault, "") << mode;
            EXPECT_EQ(r.flags, federalOnly(mode) ? S : 0u) << mode;
            EXPECT_EQ(+r.state.stateTax, federalOnly(mode) ? 0.0 : 10.0) << mode;
        }
    }
}

// Signed zeros, huge and tiny amounts compute (the huge ones may overflow a tax, which is then
// cleared and flagged).
TEST(BadInput, ExtremeFiniteAmounts) {
    const double values[] = {-0.0, 1e300, -1e300, 1e-300, -1e-300, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min()};
    for (double v : values) {
        const Case cases[] = {
            {"wages", [v](PayRecord& p, StateRecord& s) { p.fedWages = p.ficaWages = s.stateWages = v; }, 0, F | S},
            {"ytd", [v](PayRecord& p, StateRecord&) { p.ssYtdWages = p.medicareYtdWages = p.suppYtdWages = v; }, 0, F | S},
            {"bonus", [v](PayRecord& p, StateRecord& s) { p.suppWages = s.stateSuppWages = v; }, 0, F | S},
            {"w4", [v](PayRecord& p, StateRecord&) { p.w4Credits = p.w4OtherIncome = p.w4Deductions = v; }, 0, F | S},
            {"extra", [v](PayRecord& p, StateRecord& s) { p.fedExtraWithholding = s.stateExtraWithholding = v; }, 0, F | S},
        };
        runCases(cases, std::size(cases));
    }
}

// Dates no calendar has: no row covers them, the year fallback finds none either.
TEST(BadInput, PayDates) {
    struct D {
        int month, day, year;
        unsigned must;
    };
    // Month 0 counts as December of the year before, which the previous year's rows cover.
    const D dates[] = {{0, 15, 2025, 0},     {13, 15, 2025, F},  {6, 0, 2025, 0},        {6, 32, 2025, 0},
                       {6, 15, 0, F},        {6, 15, 1900, F},   {6, 15, 9999, F},       {6, 15, INT_MIN, F},
                       {6, 15, INT_MAX, F},  {INT_MIN, 1, 2025, F}, {INT_MAX, INT_MAX, 2025, F},
                       {-1, -1, -1, F},      {12, 31, 2027, 0}};
    static char names[32][48];
    int n = 0;
    auto dateName = [&n](const D& d) {
        char* name = names[n++ % 32];
        std::snprintf(name, 48, "pay date %d/%d/%d", d.month, d.day, d.year);
        return static_cast<const char*>(name);
    };
    for (const D& d : dates) {
        const Case cases[] = {
            {dateName(d), [d](PayRecord& p, StateRecord&) { p.payDate = CalcDate{d.month, d.day, d.year}; }, d.must,
             F},
        };
        runCases(cases, std::size(cases));
    }
}

TEST(BadInput, UnknownCodes) {
    const Case cases[] = {
        {"filing status 4", [](PayRecord& p, StateRecord&) { p.fedFilingStatus = 4; }, F, 0},
        {"filing status -1", [](PayRecord& p, StateRecord&) { p.fedFilingStatus = -1; }, F, 0},
        {"filing status INT_MAX, multiple jobs",
         [](PayRecord& p, StateRecord&) {
             p.fedFilingStatus = INT_MAX;
             p.w4MultipleJobs = 1;
         },
         F, 0},
        {"filing status INT_MIN", [](PayRecord& p, StateRecord&) { p.fedFilingStatus = INT_MIN; }, F, 0},
        {"state code 0", [](PayRecord&, StateRecord& s) { s.stateCode = 0; }, S, 0},
        {"state code 60", [](PayRecord&, StateRecord& s) { s.stateCode = 60; }, S, 0},
        {"state code -1", [](PayRecord&, StateRecord& s) { s.stateCode = -1; }, S, 0},
        {"state code INT_MIN", [](PayRecord&, StateRecord& s) { s.stateCode = INT_MIN; }, S, 0},
        {"state code INT_MAX", [](PayRecord&, StateRecord& s) { s.stateCode = INT_MAX; }, S, 0},
        {"American Samoa", [](PayRecord&, StateRecord& s) { s.stateCode = ORLA_AS; }, S, 0},
        {"allowances INT_MAX", [](PayRecord& p, StateRecord&) { p.fedAllowances = INT_MAX; }, 0, 0},
        {"allowances INT_MIN", [](PayRecord& p, StateRecord&) {
             p.fedAllowances = INT_MIN;
             p.w4Form2020 = 0;
         }, 0, F},
        {"state periods INT_MIN", [](PayRecord&, StateRecord& s) { s.statePayPeriods = INT_MIN; }, 0, 0},
    };
    runCases(cases, std::size(cases));
    // An unknown jurisdiction is status 3 and still carries the additional withholding.
    for (int code : {0, 60, -7, static_cast<int>(ORLA_AS)}) {
        StateRecord state = baseState(code);
        const CalcResult r = guardedCalc(ORLA_MODE_FULL, basePay(), state);
        EXPECT_EQ(r.flags, S);
        EXPECT_EQ(r.state.status, ORLA_STATE_UNSUPPORTED);
        const double stateTax = r.state.stateTax;
        EXPECT_EQ(stateTax, 10.0);
    }
}

// The Guam and Northern Mariana Islands calculators move results between the records: the same
// guards hold for them, at every size of the state record.
TEST(BadInput, TerritoriesWithOddInput) {
    for (int code : {ORLA_GU, ORLA_MP, ORLA_VI}) {
        const Case cases[] = {
            {"territory", [code](PayRecord&, StateRecord& s) { s.stateCode = code; }, 0, F | S},
            // Only the Northern Mariana Islands read the state wages (for the rebate).
            {"territory NaN state wages",
             [code](PayRecord&, StateRecord& s) {
                 s.stateCode = code;
                 s.stateWages = kNaN;
             },
             code == ORLA_MP ? S : 0u, F | S},
            {"territory huge wages",
             [code](PayRecord& p, StateRecord& s) {
                 s.stateCode = code;
                 p.fedWages = p.ficaWages = s.stateWages = 1e300;
             },
             0, F | S},
            {"territory small state record",
             [code](PayRecord&, StateRecord& s) {
                 s.stateCode = code;
                 s.recordSize = 100;
             },
             0, F | S},
        };
        runCases(cases, std::size(cases));
    }
}

// Every jurisdiction code, the calculators that land later included, at the state record sizes
// around their gates and with awkward elections: the same guards hold for each.
TEST(BadInput, EveryJurisdictionKeepsTheRules) {
    const int sizes[] = {244, 213, 212, 177, 176, 145, 144, 100, 0};
    for (int code = -1; code <= 60; ++code) {
        for (int size : sizes) {
            for (int mode : {ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_WAGES, ORLA_MODE_GROSS_UP_BONUS}) {
                for (int variant = 0; variant < 3; ++variant) {
                    PayRecord pay = basePay();
                    StateRecord state = baseState(code);
                    state.recordSize = size;
                    if (variant == 1) {
                        state.stateFilingStatus = INT_MAX;
                        state.stateAllowances = INT_MIN;
                        state.statePayPeriods = 0;
                        state.stateRateTable = -1;
                        state.stateOption = INT_MAX;
                        state.stateExemptions[0] = INT_MIN;
                        state.stateCertField1 = INT_MAX;
                        state.stateCertAmount1 = -1e300;
                    } else if (variant == 2) {
                        pay.payDate = CalcDate{12, 31, 2027};
                        pay.fedWages = pay.ficaWages = state.stateWages = 1e300;
                        state.statePercent = 1e300;
                        state.stateFixedTax = -1e300;
                    }
                    const CalcResult r = guardedCalc(mode, pay, state);
                    EXPECT_EQ(r.fault, "") << "code " << code << ", size " << size << ", mode " << mode
                                           << ", variant " << variant;
                }
            }
        }
    }
}

TEST(BadInput, OtherExports) {
    const double amounts[] = {kNaN, kInf, -kInf, -0.0, 1e300, -1e300, 1e-300};
    for (double v : amounts) {
        AeicRecord a{};
        a.recordSize = sizeof a;
        a.payDate = CalcDate{6, 15, 2025};
        a.payPeriods = 26;
        a.wages = v;
        a.ytdWages = v;
        a.advanceEic = v;
        int rc = 0;
        AeicRecord out{};
        EXPECT_EQ(orla_guard::guardedAeic(a, &rc, &out), "") << v;
        EXPECT_EQ(rc, 1);
        EXPECT_EQ(out.status, 1);
    }
    struct Info {
        CalcDate date;
        int kind;
        int want;
    };
    const Info infos[] = {{{6, 30, 2026}, ORLA_INFO_SS_WAGE_BASE, 0}, {{6, 30, 2026}, 0, 1},
                          {{6, 30, 2026}, INT_MIN, 1},                 {{6, 30, 1900}, ORLA_INFO_SS_WAGE_BASE, 2},
                          {{13, 32, INT_MAX}, ORLA_INFO_SS_WAGE_BASE, 2}, {{0, 0, INT_MIN}, ORLA_INFO_SS_WAGE_BASE, 2}};
    for (const Info& i : infos) {
        for (int size : {0, -1, 4, 28, INT_MAX}) {
            TableInfoRecord t{};
            t.recordSize = size;
            t.infoDate = i.date;
            t.infoKind = i.kind;
            t.infoValue = kNaN;
            int rc = -1;
            TableInfoRecord out{};
            EXPECT_EQ(orla_guard::guardedTableInfo(t, &rc, &out), "");
            EXPECT_EQ(rc, i.want);
            EXPECT_TRUE(std::isfinite(out.infoValue));
        }
    }
    for (int code : {0, -1, 21, 41, 45, 60, INT_MIN, INT_MAX}) {
        for (int index : {0, -1, 1000000, INT_MIN, INT_MAX}) {
            PromptRecord p{};
            p.recordSize = sizeof p;
            p.stateCode = code;
            p.listSelector = index;
            p.index = index;
            EXPECT_EQ(orla_guard::guardedPrompt(p), "") << code << " " << index;
        }
    }
    EXPECT_EQ(orla_guard::guardedBuildInfo(), "");
}


// The Canadian exports under the guards of the fuzz target: every declared size around the gates, stale
// non-finite outputs and odd amounts; nothing written outside the held outputs, every held output finite.
TEST(BadInput, CanadianExports) {
    const int sizes[] = {INT_MIN, -1, 0, 20, 24, 100, 108, 116, 124, 132, 139, 140, 144, 152, 160, 167, 168, 207, 208, INT_MAX};
    for (int size : sizes) {
        for (double v : {2000.0, kNaN, -kInf, 1e300, -0.0}) {
            CanadaRecord pay{};
            pay.payDate = CalcDate{3, 13, 2026};
            pay.payPeriods = 26;
            pay.fedClaimAmount = 16452;
            pay.taxableIncome = pay.cppEarnings = pay.eiEarnings = v;
            pay.bonus = 1000;
            pay.fedAnnualTax = pay.incomeTaxPerPay = pay.cppContribution = pay.eiPremium = kNaN;
            pay.fedTaxPerPay = pay.bonusFedTax = pay.bonusCpp = pay.bonusEi = kNaN;
            pay.status = 7;
            ProvinceRecord prov{};
            prov.payDate = pay.payDate;
            prov.provinceCode = ORLA_CA_ON;
            prov.payPeriods = 26;
            prov.provTaxableIncome = v;
            prov.provBonus = 1000;
            prov.provAnnualTax = prov.provBonusTax = kInf;
            prov.status = -3;
            pay.recordSize = prov.recordSize = size;
            EXPECT_EQ(orla_guard::guardedCanadaCalc(0, pay, prov), "") << size << " " << v;
            const double block[3] = {kNaN, v, 32.80};
            EXPECT_EQ(orla_guard::guardedCanadaProvincial(0, prov, block), "") << size << " " << v;

            ClaimCodeRecord cc{};
            cc.recordSize = size;
            cc.infoDate = pay.payDate;
            cc.claimCode = 3;
            cc.netIncome = v;
            cc.rangeLow = cc.rangeHigh = cc.claimAmount = kNaN;
            EXPECT_EQ(orla_guard::guardedCanadaClaimCode(0, cc), "") << size << " " << v;
            QuebecRecord qc{};
            qc.recordSize = size;
            qc.payDate = pay.payDate;
            qc.qcExtraPerPay = v;
            qc.qcTaxPerPay = kNaN;
            EXPECT_EQ(orla_guard::guardedCanadaQuebec(0, qc), "") << size << " " << v;
        }
    }
}

}  // namespace
