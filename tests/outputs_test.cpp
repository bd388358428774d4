// Every output amount the declared records hold comes back finite and written by the call, whatever
// the caller left in it: each call starts with the outputs filled with NaN, and again with a value no
// calculation produces. Every jurisdiction code is swept, so calculators added later are covered.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "frame/common.h"
#include "test_records.h"

namespace orla {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Output {
    const char* name;
    std::size_t offset;
    bool inPay;
};

constexpr Output kOutputs[] = {
    {"fedTax", offsetof(PayRecord, fedTax), true},
    {"ssTax", offsetof(PayRecord, ssTax), true},
    {"medicareTax", offsetof(PayRecord, medicareTax), true},
    {"fedSuppTax", offsetof(PayRecord, fedSuppTax), true},
    {"stateTax", offsetof(StateRecord, stateTax), false},
    {"stateSuppTax", offsetof(StateRecord, stateSuppTax), false},
};

double read(const void* record, std::size_t offset) {
    double v;
    std::memcpy(&v, static_cast<const unsigned char*>(record) + offset, sizeof v);
    return v;
}

void fill(void* record, std::size_t offset, double v) {
    std::memcpy(static_cast<unsigned char*>(record) + offset, &v, sizeof v);
}

// Pays that compute, that fail a lookup, that have no periods, and short records.
struct Variant {
    const char* name;
    void (*change)(PayRecord&, StateRecord&);
};

constexpr Variant kVariants[] = {
    {"a 2026 pay", [](PayRecord&, StateRecord&) {}},
    {"a bonus", [](PayRecord& p, StateRecord& s) { p.suppWages = s.stateSuppWages = 700; }},
    {"a 2028 pay", [](PayRecord& p, StateRecord&) { p.payDate.year = 2028; }},
    {"no pay periods", [](PayRecord& p, StateRecord&) { p.payPeriods = 0; }},
    {"no state pay periods", [](PayRecord&, StateRecord& s) { s.statePayPeriods = 0; }},
    {"an unknown state filing status", [](PayRecord&, StateRecord& s) { s.stateFilingStatus = 5; }},
    {"an exempt employee", [](PayRecord& p, StateRecord&) { p.fedExempt = 1; }},
    {"records of 176 bytes", [](PayRecord& p, StateRecord& s) { p.recordSize = s.recordSize = 176; }},
};

TEST(Outputs, EveryHeldOutputComesBackFiniteAndWritten) {
    const int modes[] = {ORLA_MODE_FEDERAL, ORLA_MODE_FULL, ORLA_MODE_FEDERAL_EMPLOYER, ORLA_MODE_GROSS_UP_WAGES,
                         ORLA_MODE_GROSS_UP_BONUS, 7};
    for (int code = -1; code <= 60; ++code)
        for (const Variant& v : kVariants)
            for (int mode : modes)
                for (double start : {kNaN, testing::kUntouched}) {
                    PayRecord pay = testing::payRecord(2026, 5, 15, 26, 1800);
                    StateRecord state = testing::stateRecord(code, 26, 1800);
                    state.stateExtraWithholding = 4;
                    v.change(pay, state);
                    for (const Output& o : kOutputs) fill(o.inPay ? static_cast<void*>(&pay) : &state, o.offset, start);
                    ORLA_Calc(mode, &pay, &state);
                    const bool federalOnly = mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER;
                    for (const Output& o : kOutputs) {
                        const int size = o.inPay ? pay.recordSize : state.recordSize;
                        if (o.offset + sizeof(double) > static_cast<std::size_t>(size)) continue;
                        const double out = read(o.inPay ? static_cast<const void*>(&pay) : &state, o.offset);
                        EXPECT_TRUE(std::isfinite(out)) << o.name << ", code " << code << ", " << v.name << ", mode "
                                                        << mode << ", from " << start;
                        // Modes 0 and 2 return the caller's stateTax rounded (a non-finite one as 0).
                        if (federalOnly && std::strcmp(o.name, "stateTax") == 0) continue;
                        EXPECT_NE(out, testing::kUntouched) << o.name << " not written, code " << code << ", "
                                                            << v.name << ", mode " << mode;
                    }
                }
}

}  // namespace
}  // namespace orla
