// The standard calculator steps shared by many state calculators, written once:
//
//   S1  stateTableDate = the pay's month and day in 2017 (writeUnmatchedTableDate).
//   S2  the two-pass bracket lookup on an amount: pass 1 over the rows of the pay's periods on
//       t = max(0, x - a x allowance), tax = (t - low) x rate + base; pass 2, only when pass 1 finds
//       nothing and p >= 1, over the annual rows on t = max(0, p x w + p x s - a x allowance), tax divided
//       by p (standardLookup, with the taxable amount of a StandardTaxable or a state's own).
//   S3  regular tax: stateTax and the row's from-date, or status 1 and result 1 (applyRegularTax).
//   S4  no supplemental step unless recordSize > 144 (supplementalStepRuns).
//   S5  stateSuppAggregate = 1: the lookup on w + s; stateSuppTax = max(0, tax' - stateTax) in cents;
//       no row: status 1, result 1, stateSuppTax not computed (aggregateSupplemental).
//   S6  stateSuppAggregate = 0: the first flat rate row covering the date; stateSuppTax = s x rate in cents;
//       no row: result bit 64, stateSuppTax not computed (flatSupplemental).
//   S7  any other stateSuppAggregate: no supplemental tax.
//
// runStandardSteps performs S1 to S7 in one call, with the variation points of StandardOptions; a
// calculator whose steps differ further calls the pieces itself. Everything here is a template or an
// inline function: no allocation, no state, no I/O.
//
// Record fields: a field is read or written only when the declared recordSize holds the whole field
// (offset + size); a field the record does not hold reads as 0 and is never written (suppWagesOf,
// suppAggregateOf, writeSuppTax). clearStateOutputs sets the outputs the record holds to 0 at entry, so no
// path returns a caller's stale amount.
//
// Usage, the plain case (table status formed by the state, rows in a run index, flat rates):
//
//     constexpr MappedBracketIndex<std::size(kRows)> kIndex(kRows);
//     int calcX(int, PayRecord* pay, StateRecord* state) {
//         return runStandardSteps(pay, state, kIndex, tableStatus(state), kFlatRates);
//     }
//
// A variant (New Mexico style: at most 3 allowances, pass 2 on p x max(0, w - a x allowance / p), S5
// without the zero floor):
//
//     StandardOptions o;
//     o.allowances = std::min(state->stateAllowances, 3);
//     o.pass2 = Pass2Form::PerPayAnnualised;
//     o.supplemental.floorAtZero = false;
//     return runStandardSteps(pay, state, kIndex, status, kFlatRates, o);
//
// Composed from the pieces (West Virginia style: the tax and the aggregate tax' in whole dollars):
//
//     clearStateOutputs(state);
//     writeUnmatchedTableDate(pay, state);
//     if (rejectPeriodsBelowOne(state)) return 1;
//     const auto find = indexedFinder(kIndex, pay->payDate, status);
//     StandardTaxable t{state->statePayPeriods, state->stateWages};
//     t.allowances = state->stateAllowances;
//     const auto regular = standardLookup(find, t.periods, t);
//     if (const int failed = applyRegularTax(state, regular)) return failed;
//     state->stateTax = roundDollars(state->stateTax);
//     return standardSupplemental(state, pay->payDate, kFlatRates, [&](double supp) {
//         auto hit = aggregateLookup(find, t, supp, regular);
//         hit.tax = roundDollars(hit.tax);
//         return hit;
//     });
//
// A state with its own taxable amount passes a type with pass1(row) and pass2(row) in place of
// StandardTaxable; one whose lookup ignores the status passes its own finder (see indexedFinder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

#include "federal/federal.h"
#include "frame/common.h"
#include "frame/records.h"
#include "frame/run_index.h"
#include "state/state_tables.h"

namespace orla {

// ---- record fields by declared size -------------------------------------------------------------------

// holdsField (frame/records.h) tells whether the declared size holds a whole field.

inline constexpr std::size_t kStateSuppWagesEnd = offsetof(StateRecord, stateSuppWages) + sizeof(double);
inline constexpr std::size_t kStateSuppAggregateEnd = offsetof(StateRecord, stateSuppAggregate) + sizeof(int);
inline constexpr std::size_t kStateSuppTaxEnd = offsetof(StateRecord, stateSuppTax) + sizeof(double);

// stateSuppWages, or 0 when the record does not hold it.
inline double suppWagesOf(const StateRecord* s) {
    return holdsField(s, offsetof(StateRecord, stateSuppWages), sizeof(double)) ? double{s->stateSuppWages} : 0.0;
}
// stateSuppAggregate, or 0 (the flat rate method) when the record does not hold it.
inline int suppAggregateOf(const StateRecord* s) {
    return holdsField(s, offsetof(StateRecord, stateSuppAggregate), sizeof(int)) ? s->stateSuppAggregate : 0;
}
// Writes stateSuppTax when the record holds it; otherwise writes nothing.
inline void writeSuppTax(StateRecord* s, double tax) {
    if (holdsField(s, offsetof(StateRecord, stateSuppTax), sizeof(double))) s->stateSuppTax = tax;
}

// Entry: stateTax and (when held) stateSuppTax set to 0.
inline void clearStateOutputs(StateRecord* s) {
    s->stateTax = 0.0;
    writeSuppTax(s, 0.0);
}

// S1: the table date before any lookup (the pay's month and day in 2017).
inline void writeUnmatchedTableDate(const PayRecord* pay, StateRecord* s) {
    s->stateTableDate = unmatchedTableDate(pay->payDate);
}

// statePayPeriods below 1 leaves nothing to annualise or divide by: status 1, and true when the caller
// must return failure (1) at once.
inline bool rejectPeriodsBelowOne(StateRecord* s) {
    if (s->statePayPeriods >= 1) return false;
    s->status = ORLA_STATE_NO_ROW;
    return true;
}

// S4: the supplemental step runs only when recordSize > 144.
inline bool supplementalStepRuns(const StateRecord* s) { return has(s, 144); }

// ---- S2: the bracket lookup ---------------------------------------------------------------------------

// A lookup's result over any row type with low, high, base and rate.
template <class Row>
struct StepHit {
    const Row* row = nullptr;  // nullptr when neither pass matched
    double tax = 0.0;
};

// t >= low and (t < high or high = 0).
template <class Row>
constexpr bool inBand(const Row& r, double t) {
    return t >= r.low && (t < r.high || r.high == 0);
}

// How pass 2 forms the annual taxable amount.
enum class Pass2Form : unsigned char {
    Standard,          // max(0, p x w + p x s - a x allowance)
    PerPayAnnualised,  // p x max(0, (w + s) - a x allowance / p)   (New Jersey, New Mexico)
};

// The taxable amount of the standard steps for one row. pass1(row) is called once for every row pass 1
// tests (stored order), pass2(row) for every row pass 2 tests. A state with a different taxable amount
// passes its own type with the same two members (any extra deduction, a store of each t, ...).
struct StandardTaxable {
    static constexpr bool kAllowanceOnly = true;  // pass1 and pass2 read the row's allowance only
    int periods;                  // p
    double wages;                 // w
    double supp = 0.0;            // s: 0 for the regular tax, stateSuppWages for the aggregate lookup
    int allowances = 0;           // a
    double allowanceFactor = 1.0; // the allowance deduction is a x allowance x factor (Rhode Island)
    Pass2Form pass2Form = Pass2Form::Standard;
    int* taxableCents = nullptr;  // when set, pass 1 stores trunc(t x 100) here for every row it tests

    template <class Row>
    double allowanceOf(const Row& r) const {
        return allowances * r.allowance * allowanceFactor;  // a factor of 1 leaves the product exact
    }
    template <class Row>
    double pass1(const Row& r) const {
        const double t = atLeastZero(wages + supp - allowanceOf(r));
        if (taxableCents != nullptr) *taxableCents = truncToInt(t * 100);
        return t;
    }
    template <class Row>
    double pass2(const Row& r) const {
        if (pass2Form == Pass2Form::PerPayAnnualised) {
            return periods * atLeastZero(wages + supp - allowanceOf(r) / periods);
        }
        return atLeastZero(periods * wages + periods * supp - allowanceOf(r));
    }
};

// Finders: find(periods, accept) gives the first row in stored order that covers the date, has the
// table status and the periods, and for which accept(row) is true (accept is called on exactly those rows
// the plain first-match scan tests, in stored order). A state whose lookup ignores the status (South
// Carolina) passes a finder of its own with the same shape.
template <class Index>
struct IndexedFinder {
    const Index& index;
    CalcDate d;
    int status;
    template <class Accept>
    auto operator()(int periods, Accept&& accept) const {
        return index.find(d, StatusPeriods{status, periods}, accept);
    }
    // The first row whose band holds amountOf(row), an amount that depends on the row through its
    // allowance only (RunIndex::findBand).
    template <class AmountOf>
    auto band(int periods, AmountOf&& amountOf) const {
        return index.findBand(d, StatusPeriods{status, periods}, amountOf);
    }
};
// Over a RunIndex keyed by status and periods, or a MappedRunIndex.
template <class Index>
auto indexedFinder(const Index& index, const CalcDate& d, int status) {
    return IndexedFinder<Index>{index, d, status};
}
template <class Row>
auto plainFinder(std::span<const Row> rows, const CalcDate& d, int status) {
    return [rows, d, status](int periods, auto&& accept) -> const Row* {
        for (const Row& r : rows)
            if (r.status == status && r.periods == periods && rowCovers(r.from, r.to, d) && accept(r)) return &r;
        return nullptr;
    };
}

// Whether valueOf(row) is the same in all rows of each run (consecutive rows of one key and one date
// range). A taxable amount that reads the row through such a value only is the same for every row of a
// run, as RunIndex::findBand requires of its amounts, even where the row type has no allowance field.
template <class Row, std::size_t N, class KeyOf, class ValueOf>
constexpr bool constantWithinRuns(const Row (&rows)[N], KeyOf keyOf, ValueOf valueOf) {
    const auto sameDay = [](const CalcDate& a, const CalcDate& b) {
        return a.year == b.year && a.month == b.month && a.day == b.day;
    };
    for (std::size_t i = 1; i < N; ++i) {
        const Row& a = rows[i - 1];
        const Row& b = rows[i];
        if (keyOf(a) == keyOf(b) && sameDay(a.from, b.from) && sameDay(a.to, b.to) && !(valueOf(a) == valueOf(b)))
            return false;
    }
    return true;
}

// A taxable-amount type whose amounts read the row's allowance only (it says so by kAllowanceOnly).
template <class Taxable>
inline constexpr bool allowanceOnly = requires { requires Taxable::kAllowanceOnly; };

// S2 over any finder and taxable amount: pass 1 on the pay's periods, else (p >= 1) pass 2 on the annual
// rows with the tax divided by p. A row type needs low, high, base and rate.
template <class Find, class Taxable>
auto standardLookup(Find&& find, int periods, const Taxable& taxable) {
    using Row = std::remove_cvref_t<decltype(*find(periods, [](const auto&) { return false; }))>;
    StepHit<Row> hit;
    double t = 0;
    // A taxable amount that depends on the row through its allowance only may take the bisecting lookup.
    auto lookup = [&](int rowPeriods, auto&& amountOf) -> const Row* {
        if constexpr (allowanceOnly<Taxable> && requires { find.band(rowPeriods, amountOf); })
            return find.band(rowPeriods, amountOf);
        else
            return find(rowPeriods, [&](const Row& row) { return inBand(row, amountOf(row)); });
    };
    if (const Row* r = lookup(periods, [&](const Row& row) { return t = taxable.pass1(row); })) {
        hit.row = r;
        hit.tax = (t - r->low) * r->rate + r->base;
        return hit;
    }
    if (periods < 1) return hit;
    if (const Row* r = lookup(1, [&](const Row& row) { return t = taxable.pass2(row); })) {
        hit.row = r;
        hit.tax = ((t - r->low) * r->rate + r->base) / periods;
    }
    return hit;
}

// The lookup on w + s of the standard taxable amount whose regular lookup (s = 0) gave regular. With no
// supplemental wages the amounts on w + 0 are the regular ones (a zero's sign aside, which the zero floor
// drops), so the lookup would find the regular row and tax again: regular is returned as it is.
template <class Find, class Hit>
Hit aggregateLookup(Find&& find, const StandardTaxable& regularTaxable, double supp, const Hit& regular) {
    if (supp == 0 && regularTaxable.supp == 0) return regular;
    StandardTaxable withSupp = regularTaxable;
    withSupp.supp = supp;
    withSupp.taxableCents = nullptr;
    return standardLookup(find, withSupp.periods, withSupp);
}

// S3: the regular tax into stateTax and the row's from-date into stateTableDate (when writeDate); with no
// row, status 1. Returns the result bits (0 or 1).
template <class Row>
int applyRegularTax(StateRecord* s, const StepHit<Row>& hit, bool writeDate = true) {
    if (hit.row == nullptr) {
        s->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    s->stateTax = hit.tax;
    if (writeDate) s->stateTableDate = hit.row->from;
    return 0;
}

// ---- S5 to S7: supplemental wages ---------------------------------------------------------------------

// S5 on the aggregate lookup's hit: stateSuppTax = max(0, tax' - stateTax) rounded to cents (without the
// floor when floorAtZero is false); no row: status 1, result 1, nothing written.
template <class Row>
int aggregateSupplemental(StateRecord* s, const StepHit<Row>& withSupp, bool floorAtZero = true) {
    if (withSupp.row == nullptr) {
        s->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    const double difference = withSupp.tax - s->stateTax;
    writeSuppTax(s, roundCents(floorAtZero ? atLeastZero(difference) : difference));
    return 0;
}

// S6: the first flat rate row covering d gives r; stateSuppTax = s x r rounded to cents. No row: nothing
// written, result kNoSupplementalRateRow (64).
inline int flatSupplemental(StateRecord* s, std::span<const FlatRateRow> rates, const CalcDate& d) {
    const FlatRateRow* row = firstCovering(rates, d);
    if (row == nullptr) return kNoSupplementalRateRow;
    writeSuppTax(s, roundCents(suppWagesOf(s) * row->rate));
    return 0;
}

// When the aggregate method (S5) runs.
enum class AggregateWhen : unsigned char {
    Elected,             // stateSuppAggregate = 1
    ElectedWithSupp,     // stateSuppAggregate = 1 and stateSuppWages > 0 (Nebraska)
    Always,              // whatever stateSuppAggregate and the supplemental wages (New Jersey)
};

struct SupplementalPolicy {
    AggregateWhen aggregate = AggregateWhen::Elected;
    bool flatRate = true;     // S6 when stateSuppAggregate = 0 and the aggregate did not run; false: none
    bool floorAtZero = true;  // S5's max(0, ...); false stores a negative difference (New Mexico)
};

// S4 to S7: with recordSize > 144, the aggregate method (aggregateLookup(s) gives the hit of the lookup
// on w + s) or the flat rate by the policy. Returns the result bits (0, 1, 64).
template <class AggregateLookup>
int standardSupplemental(StateRecord* s, const CalcDate& d, std::span<const FlatRateRow> rates,
                         AggregateLookup&& aggregateLookup, const SupplementalPolicy& policy = {}) {
    if (!supplementalStepRuns(s)) return 0;
    const double supp = suppWagesOf(s);
    const int method = suppAggregateOf(s);
    bool aggregate = false;
    switch (policy.aggregate) {
        case AggregateWhen::Elected: aggregate = method == 1; break;
        case AggregateWhen::ElectedWithSupp: aggregate = method == 1 && supp > 0; break;
        case AggregateWhen::Always: aggregate = true; break;
    }
    if (aggregate) return aggregateSupplemental(s, aggregateLookup(supp), policy.floorAtZero);
    if (method == 0 && policy.flatRate) return flatSupplemental(s, rates, d);
    return 0;
}

// ---- S1 to S7 in one call -----------------------------------------------------------------------------

struct StandardOptions {
    std::optional<int> allowances;  // the allowance count a; unset takes stateAllowances (New Mexico: min(a, 3))
    double allowanceFactor = 1.0; // a x allowance x factor (Rhode Island's exemption factor)
    Pass2Form pass2 = Pass2Form::Standard;
    bool writeTableDate = true;   // false: neither S1 nor S3 writes stateTableDate (Nebraska)
    bool storeTaxableCents = false; // regular pass 1 stores trunc(t x 100) in PayRecord.stateTaxableIncome
                                    // for every row it tests (New Jersey); cleared to 0 at entry
    SupplementalPolicy supplemental{};
};

// S1 to S7 with the table status m: clears the outputs, writes the table date, refuses statePayPeriods
// below 1 (status 1, result 1), looks up the regular tax (stateTax left unrounded) and returns at once on
// failure (no supplemental step after a failed regular lookup), then S4 to S7. Returns 0, 1 or 64.
// find is a finder (indexedFinder / plainFinder) for the pay date and m.
template <class Find>
int runStandardSteps(PayRecord* pay, StateRecord* s, Find&& find, std::span<const FlatRateRow> rates,
                     const StandardOptions& o = {}) {
    clearStateOutputs(s);
    if (o.storeTaxableCents) pay->stateTaxableIncome = 0;
    if (o.writeTableDate) writeUnmatchedTableDate(pay, s);
    if (rejectPeriodsBelowOne(s)) return 1;
    StandardTaxable taxable{s->statePayPeriods, s->stateWages};
    taxable.allowances = o.allowances.value_or(s->stateAllowances);
    taxable.allowanceFactor = o.allowanceFactor;
    taxable.pass2Form = o.pass2;
    if (o.storeTaxableCents) taxable.taxableCents = &pay->stateTaxableIncome;
    const auto regular = standardLookup(find, taxable.periods, taxable);
    if (const int failed = applyRegularTax(s, regular, o.writeTableDate)) return failed;
    return standardSupplemental(s, pay->payDate, rates, [&](double supp) {
        return aggregateLookup(find, taxable, supp, regular);
    }, o.supplemental);
}

// As above over a run index of common bracket rows.
template <std::size_t N>
int runStandardSteps(PayRecord* pay, StateRecord* s, const MappedBracketIndex<N>& index, int tableStatus,
                     std::span<const FlatRateRow> rates, const StandardOptions& o = {}) {
    return runStandardSteps(pay, s, indexedFinder(index, pay->payDate, tableStatus), rates, o);
}

}  // namespace orla
