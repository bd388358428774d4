// The employer-side and other payroll levies: the record-field access they share and their tables,
// exposed for the checks of their rows.
//
// A levy record is versioned by its declared size alone: a field exists in the caller's copy when
// recordSize holds all of it (offset + size). LEVY_HOLDS tests that, LEVY_IN reads a field or gives 0
// when the record does not hold it, LEVY_OUT writes a field only when the record holds it.
#pragma once

#include <cstddef>
#include <span>
#include <type_traits>

#include "frame/common.h"
#include "frame/records.h"

namespace orla {

#define LEVY_HOLDS(r, field) \
    ::orla::holdsBytes((r), offsetof(std::remove_cvref_t<decltype(*(r))>, field) + sizeof((r)->field))
#define LEVY_IN(r, field) (LEVY_HOLDS(r, field) ? (r)->field : decltype((r)->field){})
#define LEVY_OUT(r, field, value)                         \
    do {                                                  \
        if (LEVY_HOLDS(r, field)) (r)->field = (value);   \
    } while (0)

// The capping rule of the unemployment levies: the part of w that lies under the wage base B after the
// earlier wages y, never below 0.
constexpr double capped(double w, double y, double base) { return atLeastZero(y + w > base ? base - y : w); }

// The calculators behind the exports (each returns what its export returns).
int calcFuta(FutaRecord* r);
int calcSui(SuiRecord* r);
int calcEtt(EttRecord* r);
int calcSdi(SdiRecord* r);
int calcFamilyLeave(FamilyLeaveRecord* r);
int calcTransit(TransitRecord* r);
int calcWorkComp(WorkCompRecord* r);
int calcStateOther(StateOtherRecord* r);

// ---- tables -------------------------------------------------------------------------------------------

// Federal unemployment: the standard net rate is not read (the rate comes from the record).
struct FutaRow {
    CalcDate from;
    CalcDate to;
    int unused;
    double unusedAmount;
    double rate;
    double wageBase;
};
std::span<const FutaRow> futaTable();

// California employment training tax. The jurisdiction code is not read.
struct EttRow {
    CalcDate from;
    CalcDate to;
    int stateCode;
    double rate;
    double wageLimit;
};
std::span<const EttRow> ettTable();

// State unemployment insurance. The minimum and maximum rates (percent) are not read.
struct SuiRow {
    CalcDate from;
    CalcDate to;
    int stateCode;
    double minRate;
    double maxRate;
    double wageBase;
    double thresholdRate;    // a rate at or above it takes the alternative wage base, when there is one
    double altWageBase;      // 0: none
    double employeeRate;     // fraction
};
std::span<const SuiRow> suiTable();

// State disability insurance: kind 0 the employee levy, 1 the employer-side levy. A wage limit of 0
// means none.
struct SdiRow {
    CalcDate from;
    CalcDate to;
    int stateCode;
    int kind;
    double rate;
    double wageLimit;
};
std::span<const SdiRow> sdiTable();

}  // namespace orla
