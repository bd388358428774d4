// Records and calls shared by the tests: zeroed pay and state records of full size, the calls through the
// driver or one state calculator, and small helpers for reading the results.
#pragma once

#include <cstring>

#include <gtest/gtest.h>
#include <orla/orla.h>

#include "frame/common.h"
#include "state/calculators.h"

namespace orla::testing {

// A value that no calculation produces, to see whether an output field was written.
inline constexpr double kUntouched = -777.25;

// The records are packed: a double field is copied before gtest binds a reference to it.
inline double field(double value) { return value; }

inline bool sameDate(const CalcDate& a, const CalcDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// A zeroed pay record of full size with the pay's date, periods and wages (federal and FICA).
inline PayRecord payRecord(CalcDate payDate, int periods, double wages) {
    PayRecord p;
    std::memset(&p, 0, sizeof p);
    p.recordSize = sizeof p;
    p.payDate = payDate;
    p.payPeriods = periods;
    p.fedWages = wages;
    p.ficaWages = wages;
    return p;
}

// A zeroed state record of full size with the jurisdiction, the periods and the wages.
inline StateRecord stateRecord(int code, int periods, double wages) {
    StateRecord s;
    std::memset(&s, 0, sizeof s);
    s.recordSize = sizeof s;
    s.stateCode = code;
    s.statePayPeriods = periods;
    s.stateWages = wages;
    return s;
}

// A pay record for a 2020-or-later Form W-4, single.
inline PayRecord payRecord(int year, int month, int day, int periods, double wages) {
    PayRecord p = payRecord(CalcDate{month, day, year}, periods, wages);
    p.w4Form2020 = 1;
    return p;
}

struct Records {
    PayRecord pay;
    StateRecord state;
};

// The records of one pay in one state, the state's wages equal to the pay's.
inline Records makeRecords(int stateCode, CalcDate payDate, int periods, double wages) {
    return Records{payRecord(payDate, periods, wages), stateRecord(stateCode, periods, wages)};
}

// One full calculation through the driver.
inline unsigned calcFull(Records& r) { return ORLA_Calc(ORLA_MODE_FULL, &r.pay, &r.state); }

// A worked pay of a state whose elections are a filing status and allowances.
struct WorkedPay {
    const char* name;
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    double wages;
    double wantTax;
    CalcDate wantTableDate;
};

inline Records workedPayRecords(int stateCode, const WorkedPay& c) {
    Records r = makeRecords(stateCode, c.payDate, c.periods, c.wages);
    r.state.stateFilingStatus = c.filingStatus;
    r.state.stateAllowances = c.allowances;
    return r;
}

// One full calculation of the worked pay succeeds with the tax and the table date wanted.
inline void expectWorkedPay(Records& r, const WorkedPay& c) {
    EXPECT_EQ(calcFull(r), 0u) << c.name;
    EXPECT_EQ(r.state.status, 0) << c.name;
    EXPECT_DOUBLE_EQ(field(r.state.stateTax), c.wantTax) << c.name;
    EXPECT_TRUE(sameDate(r.state.stateTableDate, c.wantTableDate)) << c.name;
}

// The records of one pay with the calls on them.
struct Call : Records {
    Call(int stateCode, CalcDate payDate, int periods, double wages)
        : Records(makeRecords(stateCode, payDate, periods, wages)) {}

    // The driver in its full mode: federal, then this state with the year fallback.
    unsigned run() { return calcFull(*this); }
    // The driver in the given mode.
    unsigned driver(int mode = ORLA_MODE_FULL) { return ORLA_Calc(mode, &pay, &state); }
    // One state calculator alone.
    int run(StateCalculator calc) { return calc(ORLA_MODE_FULL, &pay, &state); }
};

// A call whose supplemental tax starts untouched, whose table date starts at 0/0/0 and which picks no
// supplemental method unless a test picks one: for the tests of what a calculator writes and leaves.
struct SentinelCall : Call {
    SentinelCall(int stateCode, CalcDate payDate, int periods, double wages)
        : Call(stateCode, payDate, periods, wages) {
        state.stateSuppTax = kUntouched;
        state.stateTableDate = CalcDate{0, 0, 0};
        state.stateSuppAggregate = 2;
    }
};

// One pay on a table row with a bonus, and the taxes it must give after the driver's rounding to cents. The
// status is the table status the row serves (a test maps it onto the elections of its state).
struct RowCase {
    CalcDate payDate;
    int status;
    int periods;
    double wages;
    double suppWages;
    double wantTax;
    double wantSuppTax;
};

// Checks the state tax and the supplemental tax of a row's call, naming the row when one differs.
inline void expectRowTaxes(const Call& call, const RowCase& c) {
    const auto name = ::testing::Message() << c.payDate.year << "-" << c.payDate.month << " status " << c.status
                                           << " periods " << c.periods << " wages " << c.wages;
    EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << name;
    EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.wantSuppTax) << name;
}

}  // namespace orla::testing
