#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <regex>

#include "frame/common.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::payRecord;
using testing::stateRecord;

constexpr unsigned kFed = ORLA_FLAG_FEDERAL;
constexpr unsigned kState = ORLA_FLAG_STATE;

struct JurisdictionCase {
    int code;
    unsigned flags;
    int status;
};

TEST(Driver, JurisdictionsWithoutTaxOrSupport) {
    const JurisdictionCase cases[] = {
        {ORLA_TX, 0, ORLA_STATE_OK},      {ORLA_AK, 0, ORLA_STATE_OK},       {ORLA_WY, 0, ORLA_STATE_OK},
        {ORLA_AS, kState, ORLA_STATE_UNSUPPORTED}, {ORLA_PW, kState, ORLA_STATE_UNSUPPORTED},
        {0, kState, ORLA_STATE_UNSUPPORTED},       {60, kState, ORLA_STATE_UNSUPPORTED},
        {-1, kState, ORLA_STATE_UNSUPPORTED},
    };
    for (const auto& c : cases) {
        PayRecord p = payRecord(2026, 6, 15, 26, 2000);
        StateRecord s = stateRecord(c.code, 26, 2000);
        s.stateExtraWithholding = 12.5;
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), c.flags) << c.code;
        EXPECT_EQ(s.status, c.status) << c.code;
        EXPECT_DOUBLE_EQ(s.stateTax, 12.5) << c.code;
    }
}

TEST(Driver, YearFallback) {
    PayRecord p = payRecord(2027, 3, 1, 26, 2000);
    StateRecord s = stateRecord(ORLA_TX, 26, 2000);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(p.fedTax, 156.15);  // the 2026 rows
    EXPECT_EQ(p.fedTableDate.year, 2026);
    EXPECT_EQ(p.fedTableDate.month, 3);
    EXPECT_EQ(p.payDate.year, 2027);  // restored
    EXPECT_EQ(p.fedStatus, 0);

    p = payRecord(2028, 1, 15, 26, 2000);
    p.fedExtraWithholding = 20;
    s = stateRecord(ORLA_TX, 26, 2000);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), kFed);
    EXPECT_EQ(p.fedStatus, 1);
    EXPECT_EQ(p.payDate.year, 2028);
    EXPECT_DOUBLE_EQ(p.fedTax, 20.0);  // the additional withholding once, not once per attempt
}

TEST(Driver, FederalOnlyModesLeaveTheState) {
    for (int mode : {ORLA_MODE_FEDERAL, ORLA_MODE_FEDERAL_EMPLOYER}) {
        PayRecord p = payRecord(2026, 6, 15, 26, 2000);
        p.fedTableDate = CalcDate{9, 9, 9};
        StateRecord s = stateRecord(ORLA_AS, 26, 2000);  // never looked at
        s.stateTax = 12.345;
        s.status = 77;
        EXPECT_EQ(ORLA_Calc(mode, &p, &s), 0u);
        EXPECT_DOUBLE_EQ(s.stateTax, 12.35);
        EXPECT_EQ(s.status, 77);
        EXPECT_EQ(p.fedTableDate.year, 9);
        EXPECT_DOUBLE_EQ(p.fedTax, 156.15);
    }
    // No fallback in the federal-only modes.
    PayRecord p = payRecord(2027, 6, 15, 26, 2000);
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FEDERAL, &p, &s), kFed);
}

TEST(Driver, PayPeriodsBelowOne) {
    for (int periods : {0, -1, INT_MIN}) {
        PayRecord p = payRecord(2026, 6, 15, periods, 2000);
        StateRecord s = stateRecord(ORLA_TX, 26, 2000);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), kFed) << periods;
        EXPECT_EQ(s.status, ORLA_STATE_UNSUPPORTED);
        // The federal-only modes report the federal failure instead of dividing by the count.
        p = payRecord(2026, 6, 15, periods, 2000);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FEDERAL, &p, &s), kFed) << periods;
        EXPECT_EQ(p.fedStatus, 1);
        EXPECT_EQ(p.fedTax, 0.0);
        EXPECT_EQ(p.ssTax, 0.0);
    }
}

TEST(Driver, NullRecordsWriteNothing) {
    PayRecord p = payRecord(2026, 6, 15, 26, 2000);
    StateRecord s = stateRecord(ORLA_TX, 26, 2000);
    const PayRecord before = p;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, nullptr), kFed | kState);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, nullptr, &s), kFed | kState);
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
}

// A non-finite amount is reported through the flag of the tax it feeds; no output is ever NaN or infinite.
TEST(Driver, NonFiniteInputs) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        void (*edit)(PayRecord&, StateRecord&, double);
        unsigned flags;
    };
    const Case cases[] = {
        {"fedWages", [](PayRecord& p, StateRecord&, double v) { p.fedWages = v; }, kFed},
        {"ficaWages", [](PayRecord& p, StateRecord&, double v) { p.ficaWages = v; }, kFed},
        {"suppWages", [](PayRecord& p, StateRecord&, double v) { p.suppWages = v; }, kFed},
        {"w4Credits", [](PayRecord& p, StateRecord&, double v) { p.w4Credits = v; }, kFed},
        // Guam reads no state wages; the Northern Mariana Islands' rebate does.
        {"stateWages", [](PayRecord&, StateRecord& s, double v) {
             s.stateCode = ORLA_MP;
             s.stateWages = v;
         }, kState},
        {"stateExtraWithholding", [](PayRecord&, StateRecord& s, double v) { s.stateExtraWithholding = v; }, kState},
    };
    for (const auto& c : cases)
        for (double bad : {nan, inf, -inf})
            for (int mode : {ORLA_MODE_FEDERAL, ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_WAGES, ORLA_MODE_GROSS_UP_BONUS}) {
                PayRecord p = payRecord(2026, 6, 15, 26, 2000);
                StateRecord s = stateRecord(ORLA_GU, 26, 2000);
                c.edit(p, s, bad);
                const unsigned flags = ORLA_Calc(mode, &p, &s);
                const bool federalOnly = mode == ORLA_MODE_FEDERAL;
                if (!(federalOnly && c.flags == kState)) {
                    EXPECT_TRUE(flags & ((mode == ORLA_MODE_GROSS_UP_WAGES || mode == ORLA_MODE_GROSS_UP_BONUS) ? kFed | kState : c.flags)) << c.name << " mode " << mode;
                }
                for (double out : {p.fedTax, p.ssTax, p.medicareTax, p.fedSuppTax, s.stateTax, s.stateSuppTax})
                    EXPECT_TRUE(std::isfinite(out)) << c.name << " mode " << mode;
            }
}

TEST(Driver, OverflowingAmountsAreClearedAndFlagged) {
    // Annualised, these wages pass the double range: the tax is cleared and flagged where it lands.
    for (int code : {ORLA_TX, ORLA_GU}) {
        PayRecord p = payRecord(2026, 6, 15, 26, 1e308);
        StateRecord s = stateRecord(code, 26, 1e308);
        const unsigned flags = ORLA_Calc(ORLA_MODE_FULL, &p, &s);
        EXPECT_EQ(flags, code == ORLA_TX ? kFed : kState);
        for (double out : {p.fedTax, p.ssTax, p.medicareTax, p.fedSuppTax, s.stateTax, s.stateSuppTax})
            EXPECT_TRUE(std::isfinite(out));
    }
    // Large but representable amounts compute: a bonus whose tax passes the old 32-bit cent range.
    PayRecord p = payRecord(2025, 6, 15, 26, 2000);
    p.suppWages = 20000000;
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(p.fedSuppTax, 4400000.00);
}

TEST(Driver, GrossUpOfWages) {
    // No tax applies: the search converges on the net itself.
    PayRecord p = payRecord(2026, 6, 15, 26, 1000);
    p.fedExempt = 1;
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_GROSS_UP_WAGES, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(p.fedWages, 1000.00);
    EXPECT_DOUBLE_EQ(p.ficaWages, 1000.00);
    EXPECT_DOUBLE_EQ(s.stateWages, 1000.00);

    // With federal tax and FICA the gross, taxed again, nets the target to the cent.
    for (double net : {500.0, 1500.0, 4321.09}) {
        p = payRecord(2026, 6, 15, 26, net);
        s = stateRecord(ORLA_TX, 26, 0);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_GROSS_UP_WAGES, &p, &s), 0u);
        PayRecord check = payRecord(2026, 6, 15, 26, p.fedWages);
        StateRecord checkState = stateRecord(ORLA_TX, 26, p.fedWages);
        ORLA_Calc(ORLA_MODE_FULL, &check, &checkState);
        EXPECT_NEAR(check.fedWages - check.fedTax - check.ssTax - check.medicareTax, net, 0.011) << net;
    }
}

TEST(Driver, GrossUpOfBonus) {
    PayRecord p = payRecord(2025, 6, 15, 26, 2000);
    p.suppWages = 1000;  // the desired net bonus
    StateRecord s = stateRecord(ORLA_TX, 26, 2000);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_GROSS_UP_BONUS, &p, &s), 0u);
    const double bonus = p.suppWages;
    EXPECT_DOUBLE_EQ(s.stateSuppWages, bonus);
    // The bonus nets 1,000 after 22 % and FICA on top of the regular pay.
    PayRecord with = payRecord(2025, 6, 15, 26, 2000);
    with.suppWages = bonus;
    PayRecord without = payRecord(2025, 6, 15, 26, 2000);
    StateRecord s1 = stateRecord(ORLA_TX, 26, 2000), s2 = s1;
    ORLA_Calc(ORLA_MODE_FULL, &with, &s1);
    ORLA_Calc(ORLA_MODE_FULL, &without, &s2);
    const double netWith = with.fedWages + bonus - with.fedTax - with.fedSuppTax - with.ssTax - with.medicareTax;
    const double netWithout = without.fedWages - without.fedTax - without.ssTax - without.medicareTax;
    EXPECT_NEAR(netWith - netWithout, 1000.0, 0.011);
    EXPECT_NEAR(bonus, 1000.0 / (1 - 0.22 - 0.0765), 0.02);

    // The bonus search needs the bonus field; below its gate nothing is searched.
    p = payRecord(2025, 6, 15, 26, 2000);
    p.recordSize = 128;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_GROSS_UP_BONUS, &p, &s), kFed | kState);
    // A state record without the supplemental fields is left alone.
    p = payRecord(2025, 6, 15, 26, 2000);
    p.suppWages = 100;
    s = stateRecord(ORLA_TX, 26, 2000);
    s.recordSize = 144;
    s.stateSuppWages = -3;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_GROSS_UP_BONUS, &p, &s), 0u);
    EXPECT_EQ(s.stateSuppWages, -3.0);
}

TEST(Driver, FormGateAtRecordSize164) {
    // At 164 the 2020 form fields are absent: no 8,600 adjustment. 52,000 in 19,900..57,900: 1,240 + 0.12 x 32,100
    PayRecord p = payRecord(2026, 6, 15, 26, 2000);
    p.recordSize = 164;
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(p.fedTax, 195.85);
    p = payRecord(2026, 6, 15, 26, 2000);
    // 165 passes the gate but holds only part of w4Form2020: still the form before 2020. 168 holds it.
    p.recordSize = 165;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(p.fedTax, 195.85);
    p = payRecord(2026, 6, 15, 26, 2000);
    p.recordSize = 168;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(p.fedTax, 156.15);
}

TEST(InformationExports, VersionsBuildStampAndTableInfo) {
    EXPECT_EQ(ORLA_Version(), 3.5);
    EXPECT_EQ(ORLA_Table_Version(), 2026.0);

    char text[32];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(ORLA_Get_Build_Info(text), 0);
    EXPECT_EQ(text[20], '\0');
    EXPECT_EQ(text[21], '#');  // exactly 21 bytes written
    EXPECT_TRUE(std::regex_match(text, std::regex("[A-Z][a-z]{2} [ 123][0-9] [0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
        << text;
    EXPECT_EQ(ORLA_Get_Build_Info(nullptr), 1);

    TableInfoRecord info{sizeof(TableInfoRecord), CalcDate{6, 30, 2026}, ORLA_INFO_SS_WAGE_BASE, -1};
    EXPECT_EQ(ORLA_Get_Table_Info(&info), 0);
    EXPECT_EQ(info.infoValue, 184500.0);
    info = TableInfoRecord{sizeof(TableInfoRecord), CalcDate{1, 1, 2023}, ORLA_INFO_SS_WAGE_BASE, -1};
    EXPECT_EQ(ORLA_Get_Table_Info(&info), 2);
    EXPECT_EQ(info.infoValue, 0.0);
    info = TableInfoRecord{sizeof(TableInfoRecord), CalcDate{6, 30, 2026}, 2, -1};
    EXPECT_EQ(ORLA_Get_Table_Info(&info), 1);
    EXPECT_EQ(info.infoValue, 0.0);
    EXPECT_EQ(ORLA_Get_Table_Info(nullptr), 3);
}

TEST(InformationExports, PromptWithoutListWritesNothing) {
    PromptRecord prompt{};
    prompt.stateCode = ORLA_CA;
    char name[64];
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(ORLA_Get_Prompt(&prompt, name), 0);
    EXPECT_EQ(name[0], '#');
    EXPECT_EQ(ORLA_Get_Prompt(nullptr, name), 0);
}

TEST(AdvanceEarnedIncomeCredit, NoRowsForSupportedYears) {
    for (int year : {2024, 2025, 2026}) {
        AeicRecord r{};
        r.recordSize = sizeof r;
        r.payDate = CalcDate{6, 15, year};
        r.payPeriods = 26;
        r.wages = 500;
        r.advanceEic = 12.5;
        EXPECT_EQ(ORLA_AEIC_Calc(&r), 1);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.advanceEic, 12.5);
        r.advanceEic = -5;
        EXPECT_EQ(ORLA_AEIC_Calc(&r), 1);
        EXPECT_EQ(r.advanceEic, 0.0);
    }
    EXPECT_EQ(ORLA_AEIC_Calc(nullptr), 1);
}

}  // namespace
}  // namespace orla
