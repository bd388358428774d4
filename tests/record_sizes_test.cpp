// Every declared record size, for every jurisdiction code: the records lie in heap blocks of exactly the
// declared size, so a read or write of a field the record does not hold runs past the block (the
// sanitizer build reports it). The codes are swept generically, so calculators added later are covered.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "frame/common.h"
#include "test_records.h"

namespace orla {
namespace {

// Fields that every call reads: a PayRecord through medicareTax, a StateRecord through stateTax.
constexpr int kPayAlwaysRead = 128;
constexpr int kStateAlwaysRead = 60;

// A biweekly 2026 pay with every input set to something a calculator would use.
PayRecord fullPay() {
    PayRecord p = testing::payRecord(2026, 6, 12, 26, 2500);
    p.suppWages = 400;
    p.suppYtdWages = 1000;
    p.w4Credits = 2000;
    p.w4OtherIncome = 1200;
    p.w4Deductions = 600;
    p.fedExtraWithholding = 5;
    return p;
}

StateRecord fullState(int code) {
    StateRecord s = testing::stateRecord(code, 26, 2500);
    s.stateAllowances = 2;
    s.stateFilingStatus = 1;
    s.stateExtraWithholding = 3;
    s.statePercent = 2.7;
    s.stateEstimatedAllowances = 1;
    s.stateReducedWithholding = 10;
    s.stateDependentAllowances = 1;
    s.stateDependencyCredits = 1;
    s.stateDependents = 1;
    s.stateExemptionAmount = 6000;
    s.stateDependentExemptions = 1;
    s.stateSuppWages = 400;
    s.stateSuppAggregate = 1;
    for (int& e : s.stateExemptions) e = 1;
    s.stateFixedTax = 0;
    s.stateCertField1 = 1;
    s.stateCertField2 = 1;
    s.stateCertField3 = 2026;
    s.stateCertAmount1 = 40;
    s.stateCertAmount2 = 500;
    return s;
}

// A record copied into a heap block of exactly the declared size.
template <class Record>
struct ExactBlock {
    Record* record;
    ExactBlock(const Record& full, int size) : record(static_cast<Record*>(std::malloc(static_cast<std::size_t>(size)))) {
        std::memcpy(static_cast<void*>(record), &full, static_cast<std::size_t>(size));
        record->recordSize = size;
    }
    ~ExactBlock() { std::free(record); }
    ExactBlock(const ExactBlock&) = delete;
    ExactBlock& operator=(const ExactBlock&) = delete;
};

// The outputs every size holds are finite after the call.
void expectFiniteOutputs(const PayRecord* pay, const StateRecord* state, int code, int size, int mode) {
    for (double v : {pay->fedTax, pay->ssTax, pay->medicareTax, state->stateTax})
        EXPECT_TRUE(std::isfinite(v)) << "code " << code << ", size " << size << ", mode " << mode;
}

constexpr int kModes[] = {ORLA_MODE_FEDERAL, ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_BONUS};

TEST(RecordSizes, EveryStateRecordSizeInABlockOfThatSize) {
    for (int code = -1; code <= 60; ++code)
        for (int size = kStateAlwaysRead; size <= static_cast<int>(sizeof(StateRecord)); ++size)
            for (int mode : kModes) {
                PayRecord pay = fullPay();
                ExactBlock<StateRecord> state(fullState(code), size);
                ORLA_Calc(mode, &pay, state.record);
                expectFiniteOutputs(&pay, state.record, code, size, mode);
            }
}

TEST(RecordSizes, EveryPayRecordSizeInABlockOfThatSize) {
    for (int code = -1; code <= 60; ++code)
        for (int size = kPayAlwaysRead; size <= static_cast<int>(sizeof(PayRecord)); ++size)
            for (int mode : kModes) {
                StateRecord state = fullState(code);
                ExactBlock<PayRecord> pay(fullPay(), size);
                ORLA_Calc(mode, pay.record, &state);
                expectFiniteOutputs(pay.record, &state, code, size, mode);
            }
}

// The first size that holds a field includes it; a size past the gate that holds only part of the
// field counts it as 0.
TEST(RecordSizes, AFieldCountsFromTheSizeThatHoldsIt) {
    // Missouri's fixed amount (offset 204) replaces the computation only in a record that holds it.
    for (int size : {176, 211, 212, 244}) {
        PayRecord pay = fullPay();
        StateRecord full = fullState(ORLA_MO);
        full.stateFixedTax = 25;
        ExactBlock<StateRecord> state(full, size);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &pay, state.record), 0u) << size;
        const double tax = state.record->stateTax;
        if (size >= 212) EXPECT_DOUBLE_EQ(tax, 28.0) << size;  // 25 and the additional 3
        else EXPECT_NE(tax, 28.0) << size;
    }
    // A PayRecord of 129 to 135 bytes passes the 128 gate but holds no suppWages: no bonus, no
    // supplemental tax, and the bonus search has nothing to search for.
    for (int size : {129, 135, 136}) {
        ExactBlock<PayRecord> pay(fullPay(), size);
        StateRecord state = fullState(ORLA_TX);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, pay.record, &state), 0u) << size;
        const double ssTax = pay.record->ssTax;
        EXPECT_DOUBLE_EQ(ssTax, size >= 136 ? 179.80 : 155.00) << size;  // 6.2 % of 2,900 or of 2,500
    }
    ExactBlock<PayRecord> pay(fullPay(), 135);
    StateRecord state = fullState(ORLA_TX);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_GROSS_UP_BONUS, pay.record, &state),
              static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
}

}  // namespace
}  // namespace orla
