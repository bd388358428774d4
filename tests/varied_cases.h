// A spread of realistic and awkward calls, shared by the thread and allocation tests: every mode,
// the three table years and the year after, the filing statuses, both Form W-4 vintages, wages
// across the brackets and near the social security and additional Medicare limits, bonuses, every
// jurisdiction code (and 0 and 60) with more weight on the states without income tax and the
// territories, and record sizes at the gates.
#pragma once

#include <orla/orla.h>

#include <vector>

namespace orla_cases {

struct CalcCase {
    int mode;
    PayRecord pay;
    StateRecord state;
};

inline std::vector<CalcCase> variedCases() {
    constexpr int modes[] = {0, 1, 2, 11, 12};
    constexpr int years[] = {2024, 2025, 2026, 2027};
    constexpr int periods[] = {52, 26, 24, 12, 4, 1, 365};
    constexpr int states[] = {ORLA_TX, ORLA_FL, ORLA_GU, ORLA_MP, ORLA_VI, ORLA_AS, ORLA_CA, ORLA_NY, 0};
    constexpr int sizes[] = {200, 200, 200, 128, 129, 164, 165};
    std::vector<CalcCase> cases;
    for (int i = 0; i < 420; ++i) {
        CalcCase c{};
        c.mode = modes[i % 5];
        PayRecord& p = c.pay;
        p.recordSize = sizes[i % 7];
        p.payDate = CalcDate{1 + i % 12, 1 + (i * 7) % 31, years[(i / 5) % 4]};
        p.payPeriods = periods[(i / 3) % 7];
        p.fedFilingStatus = (i / 2) % 4;
        p.fedAllowances = i % 4;
        p.fedWages = 150.0 + 311.37 * (i % 53);
        p.ficaWages = p.fedWages;
        p.fedExtraWithholding = (i % 6 == 0) ? 25.0 : 0.0;
        p.ssYtdWages = 2900.0 * (i % 67);
        p.medicareYtdWages = p.ssYtdWages + ((i % 11 == 0) ? 60000.0 : 0.0);
        p.suppWages = (i % 4 == 0) ? 1250.0 + i : 0.0;
        p.suppYtdWages = (i % 13 == 0) ? 1200000.0 : 0.0;
        p.suppAggregate = i % 8 == 0;
        p.w4Form2020 = i % 3 != 0;
        p.w4MultipleJobs = i % 7 == 0;
        p.w4Credits = (i % 5) * 500.0;
        p.w4OtherIncome = (i % 9 == 0) ? 5000.0 : 0.0;
        p.w4Deductions = (i % 10 == 0) ? 3000.0 : 0.0;
        p.nonresidentAlien = i % 17 == 0;
        p.ssExempt = i % 19 == 0;
        p.medicareExempt = i % 23 == 0;
        p.fedExempt = i % 29 == 0;
        StateRecord& s = c.state;
        s.recordSize = (i % 9 == 0) ? 144 : (i % 9 == 1) ? 212 : static_cast<int>(sizeof(StateRecord));
        s.stateCode = i % 2 ? states[(i / 2) % 9] : (i / 2) % 61;
        s.statePayPeriods = p.payPeriods;
        s.stateWages = p.fedWages;
        s.stateSuppWages = p.suppWages;
        s.stateFilingStatus = i % 3;
        s.stateAllowances = i % 4;
        s.stateExtraWithholding = (i % 5 == 0) ? 7.5 : 0.0;
        cases.push_back(c);
    }
    return cases;
}

}  // namespace orla_cases
