// Canadian federal withholding of one pay: the pension plan contribution accumulated cent by cent of
// earnings, the insurance premium against its yearly maximum, and the federal income tax by the
// annualising formula, in three passes (the regular pay, the pay with its bonus, the regular pay again)
// so that the tax, contribution and premium that fall on a bonus come out as differences.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "canada/canada.h"
#include "canada/canada_tables.h"
#include "frame/run_index.h"

namespace orla::canada {
namespace {

struct PassResult {
    double contribution;  // cppContribution, in cents
    double premium;       // the premium before rounding
    double premiumCents;  // eiPremium
    double fedAnnualTax;
};

// ---- the cent-by-cent pension walk ------------------------------------------------------------------
//
// The walk repeats x <- fl(x + delta) for the step counter k (delta 0.01) and for the total (delta the
// tier's contribution per cent). A positive normal x is m 2^(b-1075) with the integer mantissa m in
// [2^52, 2^53) and b its biased exponent; within one binade (one b) every step adds to m the whole
// number of units delta / 2^(b-1075) rounds to, so runs of steps are integer arithmetic on m. The one
// exception is a delta exactly halfway between two whole units: ties go to the even mantissa, so after
// one step m is even and every later step of the binade adds the even one of the two neighbours.

constexpr std::uint64_t kImplicitBit = std::uint64_t{1} << 52;
constexpr std::uint64_t kBinadeEnd = std::uint64_t{1} << 53;  // mantissas of a binade lie below it
constexpr std::int64_t kUnbounded = INT64_MAX;                // steps without end

constexpr int biasedExponent(double x) { return static_cast<int>(std::bit_cast<std::uint64_t>(x) >> 52); }
constexpr std::uint64_t mantissa(double x) { return (std::bit_cast<std::uint64_t>(x) & (kImplicitBit - 1)) | kImplicitBit; }
constexpr double withMantissa(int biased, std::uint64_t m) {
    return std::bit_cast<double>((static_cast<std::uint64_t>(biased) << 52) | (m - kImplicitBit));
}

// What one step adds to the mantissa of an x of biased exponent b, for a positive normal delta of
// mantissa md and biased exponent b - shift.
struct Increment {
    std::uint64_t units;  // 0: delta no longer moves x
    bool tie;             // delta is half a unit more than units - 1 or units (units is the even one)
};
constexpr Increment increment(int shift, std::uint64_t md) {
    if (shift < 0) return {kBinadeEnd, false};  // at least a binade's width: no two steps share a binade
    if (shift == 0) return {md, false};
    if (shift > 53) return {0, false};  // below half a unit: rounds back to x
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const std::uint64_t rest = md & (2 * half - 1);
    const std::uint64_t whole = md >> shift;
    if (rest == half) return {whole + (whole & 1), true};
    return {whole + (rest > half ? 1 : 0), false};
}

// The step counter's walk k_0 = 0, k_(j+1) = fl(k_j + 0.01) binade by binade: step first enters the
// binade at mantissa entry, and the binade holds the steps first to first + last, entry + i units.
struct CentBinade {
    std::int64_t first;
    std::uint64_t entry;
    std::uint64_t units;
    std::int64_t last;
};
constexpr double kCent = 0.01;
constexpr int kCentEarlySteps = 4;  // k_0 to k_3 lie below the first binade without a tie
constexpr int kCentFirstBinade = 1018;
constexpr int kCentBinadeCount = 1071 - kCentFirstBinade;  // up to the binade where 0.01 stops moving k

struct CentWalk {
    double early[kCentEarlySteps];
    CentBinade binades[kCentBinadeCount];
};

// Built by the binade rule above; each binade is left by one step in double arithmetic (evaluated at
// compile time with the rounding the program uses). A tie, or a binade skipped, fails the build.
constexpr CentWalk centWalk() {
    CentWalk w{};
    double k = 0;
    for (int j = 0; j < kCentEarlySteps; ++j, k = k + kCent) w.early[j] = k;
    std::int64_t first = kCentEarlySteps;
    for (int i = 0; i < kCentBinadeCount; ++i) {
        const int b = kCentFirstBinade + i;
        if (biasedExponent(k) != b) throw "the step counter skipped a binade";
        const Increment inc = increment(b - biasedExponent(kCent), mantissa(kCent));
        if (inc.tie) throw "a tie in the step counter's binades";
        const std::uint64_t entry = mantissa(k);
        const std::int64_t last = inc.units == 0 ? kUnbounded : static_cast<std::int64_t>((kBinadeEnd - 1 - entry) / inc.units);
        w.binades[i] = {first, entry, inc.units, last};
        if ((inc.units == 0) != (i == kCentBinadeCount - 1)) throw "the table must end where 0.01 stops moving k";
        if (inc.units == 0) break;
        k = withMantissa(b, entry + static_cast<std::uint64_t>(last) * inc.units) + kCent;
        first += last + 1;
    }
    return w;
}
constexpr CentWalk kCentWalk = centWalk();
constexpr double kCentFirstTabled = withMantissa(kCentFirstBinade, kCentWalk.binades[0].entry);  // k_4

// Takes up to n steps x <- fl(x + delta) while limit > fl(x + delta); returns the number taken. A step
// that leaves x unchanged leaves it so for good: the remaining steps are all taken at once.
// incrementAt(b) gives what a step adds at x's biased exponent b (increment() or a table of it).
template <class IncrementAt>
std::int64_t walk(double& x, double delta, double limit, std::int64_t n, IncrementAt incrementAt) {
    if (delta == 0) {
        if (n == 0 || !(limit > x + delta)) return 0;
        x = x + delta;  // turns -0 into +0, as the first step would
        return n;
    }
    std::int64_t taken = 0;
    while (taken < n) {
        const double next = x + delta;
        if (!(limit > next)) break;
        x = next;
        ++taken;
        const int b = biasedExponent(x);
        if (b == 0 || b >= 2047) continue;  // zero, subnormals and negative amounts by single steps
        const Increment inc = incrementAt(b);
        if (inc.units == 0) return n;
        const std::uint64_t m = mantissa(x);
        if (inc.tie && (m & 1) != 0) continue;  // one single step evens the mantissa
        // limit > x: it lies in x's binade or above.
        const std::uint64_t bound = biasedExponent(limit) > b ? kBinadeEnd : mantissa(limit);
        const auto run = static_cast<std::int64_t>((bound - 1 - m) / inc.units);
        const std::int64_t steps = run < n - taken ? run : n - taken;
        x = withMantissa(b, m + static_cast<std::uint64_t>(steps) * inc.units);
        taken += steps;
    }
    return taken;
}

// The walk for any delta, working out each binade's increment. Runs of steps for a positive normal
// delta; anything else steps singly, as an exponent above every x's makes each run empty.
std::int64_t walk(double& x, double delta, double limit, std::int64_t n) {
    const int deltaExponent = delta >= std::numeric_limits<double>::min() ? biasedExponent(delta) : 4096;
    const std::uint64_t deltaMantissa = mantissa(delta);
    return walk(x, delta, limit, n, [=](int b) { return increment(b - deltaExponent, deltaMantissa); });
}

// ---- the pension rows' walks, worked out once ---------------------------------------------------------

// The increments of one positive normal delta at every binade of x, by the distance of the exponents.
constexpr int kTabledShifts = 55;  // from 54 on a step no longer moves x
struct DeltaIncrements {
    int exponent;
    Increment byShift[kTabledShifts];

    constexpr Increment at(int b) const {
        const int shift = b - exponent;
        if (shift < 0) return {kBinadeEnd, false};
        return shift < kTabledShifts ? byShift[shift] : Increment{0, false};
    }
};
constexpr DeltaIncrements deltaIncrements(double delta) {
    if (!(delta >= std::numeric_limits<double>::min())) throw "a tabled delta must be positive and normal";
    DeltaIncrements t{biasedExponent(delta), {}};
    for (int shift = 0; shift < kTabledShifts; ++shift) t.byShift[shift] = increment(shift, mantissa(delta));
    return t;
}

// The first tier's walk from a total of 0 (every first pay of a year starts there) in runs: x_j, the
// total after j steps, is entry + (j - first) units of the run's binade for first <= j <= first + count.
// A run of one step stands where a tie meets an odd mantissa.
struct StepRun {
    std::int64_t first;
    std::int64_t count;
    std::uint64_t entry;
    std::uint64_t units;
    int biased;
};
constexpr int kMaxRuns = 96;
struct WalkFromZero {
    StepRun runs[kMaxRuns];
    int size;
    std::int64_t belowLimit;   // the number of steps whose totals stay below the maximum
    std::uint8_t byWidth[65];  // the run holding step 2^(w-1), for w = bit_width(j)

    // x_j for 1 <= j <= belowLimit.
    double total(std::int64_t j) const {
        const StepRun* run = runs + byWidth[std::bit_width(static_cast<std::uint64_t>(j))];
        while (j > run->first + run->count) ++run;
        return withMantissa(run->biased, run->entry + static_cast<std::uint64_t>(j - run->first) * run->units);
    }
};

// Built by the binade rule, each run left by one step in double arithmetic as the walk does.
constexpr WalkFromZero walkFromZero(double delta, double limit) {
    WalkFromZero z{};
    const DeltaIncrements increments = deltaIncrements(delta);
    double x = 0 + delta;  // x_1, from +0 or -0 alike
    std::int64_t j = 1;
    z.belowLimit = 0;
    while (limit > x) {
        const int b = biasedExponent(x);
        const Increment inc = increments.at(b);
        if (inc.units == 0 || inc.units == kBinadeEnd) throw "the walk from zero must move within binades";
        if (z.size == kMaxRuns) throw "too many runs";
        const std::uint64_t m = mantissa(x);
        const bool single = inc.tie && (m & 1) != 0;
        std::int64_t count = single ? 0 : static_cast<std::int64_t>((kBinadeEnd - 1 - m) / inc.units);
        if (!(limit > withMantissa(b, m + static_cast<std::uint64_t>(count) * inc.units)))
            count = static_cast<std::int64_t>((mantissa(limit) - 1 - m) / inc.units);  // limit in this binade
        z.runs[z.size++] = {j, count, m, inc.units, b};
        z.belowLimit = j + count;
        x = withMantissa(b, m + static_cast<std::uint64_t>(count) * inc.units) + delta;
        j += count + 1;
    }
    for (int w = 1; w < 65; ++w) {
        const std::int64_t step = std::int64_t{1} << (w - 1 < 62 ? w - 1 : 62);
        int r = 0;
        while (r + 1 < z.size && step > z.runs[r].first + z.runs[r].count) ++r;
        z.byWidth[w] = static_cast<std::uint8_t>(r);
    }
    return z;
}

struct PensionSteps {
    DeltaIncrements firstTier;
    DeltaIncrements secondTier;
    WalkFromZero fromZero;
};
constexpr auto pensionSteps() {
    std::array<PensionSteps, std::size(kPension)> steps{};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const PensionRow& row = kPension[i];
        steps[i] = {deltaIncrements(row.rate * 0.01), deltaIncrements(row.secondTierRate * 0.01),
                    walkFromZero(row.rate * 0.01, row.maxContribution)};
    }
    return steps;
}
constexpr auto kPensionSteps = pensionSteps();

// The worked-out walks of row when it is a row of the pension table, else nullptr.
const PensionSteps* tabledSteps(const PensionRow& row) {
    for (std::size_t i = 0; i < std::size(kPension); ++i)
        if (&row == &kPension[i]) return &kPensionSteps[i];
    return nullptr;
}

}  // namespace

std::int64_t centSteps(double room) {
    if (!(room >= kCentFirstTabled)) {
        std::int64_t n = 0;
        for (const double k : kCentWalk.early) n += room >= k ? 1 : 0;
        return n;
    }
    const int b = biasedExponent(room);
    if (b >= kCentFirstBinade + kCentBinadeCount) return kUnbounded;
    const CentBinade& binade = kCentWalk.binades[b - kCentFirstBinade];
    const std::uint64_t r = mantissa(room);
    if (r < binade.entry) return binade.first;
    if (binade.units == 0) return kUnbounded;
    const auto further = static_cast<std::int64_t>((r - binade.entry) / binade.units);
    return binade.first + 1 + (further < binade.last ? further : binade.last);
}

namespace {

// The contribution on g dollars of pensionable earnings, in steps of one cent of earnings: each step adds
// the first-tier contribution c while the total stays below its maximum, then the second-tier one c2 while
// the total stays below both maximums. The step counter k grows by repeated addition of 0.01 while it
// stays within the room, which fixes the number of steps; the total grows by repeated addition of c or
// c2, whose rounding fixes the last cent. Both walks go binade by binade with the exact result of taking
// the steps one by one. tabled holds row's walks worked out beforehand, or is null.
double walkedTotal(double ytd, double g, const PensionRow& row, int periods, const PensionSteps* tabled) {
    const double exemption = row.basicExemption / periods;
    const double room = g - exemption;
    double total = ytd;
    if (!(room >= 0)) return total;
    const std::int64_t steps = centSteps(room);
    const double c = row.rate * 0.01;
    const double c2 = row.secondTierRate * 0.01;
    const double bothMaximums = row.maxContribution + row.maxSecondTier;
    if (tabled == nullptr) {
        const std::int64_t firstTier = walk(total, c, row.maxContribution, steps);
        if (firstTier < steps) walk(total, c2, bothMaximums, steps - firstTier);
        return total;
    }
    std::int64_t firstTier = 0;
    if (ytd == 0) {
        const WalkFromZero& z = tabled->fromZero;
        firstTier = steps < z.belowLimit ? steps : z.belowLimit;
        if (firstTier > 0) total = z.total(firstTier);
    } else {
        firstTier = walk(total, c, row.maxContribution, steps, [tabled](int b) { return tabled->firstTier.at(b); });
    }
    if (firstTier < steps)
        walk(total, c2, bothMaximums, steps - firstTier, [tabled](int b) { return tabled->secondTier.at(b); });
    return total;
}

}  // namespace

double pensionTotal(double ytd, double g, const PensionRow& row, int periods) {
    return walkedTotal(ytd, g, row, periods, tabledSteps(row));
}

namespace {

// The yearly tables carry the same dates row by row, so one date lookup finds the row of each.
static_assert(sameDates(kPension, kInsurance) && sameDates(kPension, kFederalCreditRate) &&
                  sameDates(kPension, kEmploymentAmount),
              "the yearly tables share their dates");

// The bracket table in runs of rows of the same dates (the first match of the plain scan).
constexpr auto kFederalBracketRuns = runIndexBy(kFederalBrackets, [](const FederalBracketRow&) { return 0; });

const FederalBracketRow* federalBracket(const CalcDate& d, double income) {
    return kFederalBracketRuns.find(d, 0, [income](const FederalBracketRow& r) {
        return income >= r.low && (income < r.high || r.high == 0);
    });
}


bool finiteInputs(const CanadaRecord& p) {
    return allFinite(p.fedClaimAmount, p.fedAnnualCredit, p.fedExtraPerPay, p.provPassThrough, p.fedOtherCredits,
                      p.taxableIncome, p.cppEarnings, p.cppYtd, p.eiEarnings, p.eiYtd, p.bonus, p.priorBonuses);
}

// The rows of the pay's year, or null where no row covers the pay date.
struct Year {
    const RateRow* credit;
    const PensionRow* pension;
    const InsuranceRow* insurance;
    const EmploymentAmountRow* employment;
    const PensionSteps* steps;
};

Year yearRows(const CalcDate& day) {
    const int i = pensionYear(day);
    if (i < 0) return {};
    const auto row = static_cast<std::size_t>(i);
    return {&kFederalCreditRate[row], &kPension[row], &kInsurance[row], &kEmploymentAmount[row], &kPensionSteps[row]};
}

// Status 1 and every output the record holds 0.
void refuse(CanadaRecord* pay) {
    ORLA_CA_PUT(pay, CanadaRecord, status, 1);
    for (const std::size_t offset :
         {offsetof(CanadaRecord, fedAnnualTax), offsetof(CanadaRecord, incomeTaxPerPay),
          offsetof(CanadaRecord, cppContribution), offsetof(CanadaRecord, eiPremium), offsetof(CanadaRecord, fedTaxPerPay),
          offsetof(CanadaRecord, bonusFedTax), offsetof(CanadaRecord, bonusCpp), offsetof(CanadaRecord, bonusEi)})
        put(pay, offset, 0.0);
}

// The credit of the pension contribution and insurance premium of the year, each up to its maximum.
double pensionPremiumCredit(const Year& year, double annualPension, double annualPremium) {
    const double q = year.credit ? year.credit->rate : 0.0;
    const double maxContribution = year.pension ? year.pension->maxContribution : 0.0;
    const double eiMax = year.insurance ? year.insurance->maxPremium : 0.0;
    const double pensionCredited = annualPension < maxContribution ? annualPension : maxContribution;
    const double premiumCredited = annualPremium < eiMax ? annualPremium : eiMax;
    return roundCents(q * (pensionCredited + premiumCredited));
}

// The annual federal tax on the annual income with the pension and premium credit k2; failed is set
// when no bracket holds the income.
double federalAnnualTax(const CanadaRecord& in, const Year& year, double income, double k2, bool quebec, bool& failed) {
    const double q = year.credit ? year.credit->rate : 0.0;
    const FederalBracketRow* bracket = federalBracket(in.payDate, income);
    if (bracket == nullptr) failed = true;
    const double rate = bracket ? bracket->rate : 0.0;
    const double constant = bracket ? bracket->constant : 0.0;

    const double k1 = q * in.fedClaimAmount;
    const double k3 = in.fedOtherCredits;
    double k4 = 0;
    if (const EmploymentAmountRow* employment = year.employment) {
        const double byIncome = employment->rate * income;
        const double byAmount = employment->rate * employment->amount;
        k4 = byIncome < byAmount ? byIncome : byAmount;
    }
    double t = rate * income - constant - k1 - k2 - k3 - k4;
    // Quebec employees: the federal tax is abated by 16.5 % of itself.
    if (quebec) t = t - roundCents(0.165 * t);
    return roundCents(t) + in.payPeriods * in.fedExtraPerPay - in.fedAnnualCredit;
}

}  // namespace
}  // namespace orla::canada

extern "C" ORLA_API int ORLA_CALL ORLA_Canada_Calc(int /*mode*/, CanadaRecord* pay, ProvinceRecord* prov) {
    using namespace orla;
    using namespace orla::canada;
    if (pay == nullptr || prov == nullptr) return 1;

    // Fields the record does not hold count as 0; so do the bonus fields of a record they are not part of.
    // No output is read: a refused pay leaves every output the records hold at 0, a computed one writes
    // them all.
    const CanadaRecord in = heldCopy(pay);
    const int periods = in.payPeriods;
    // Nothing can be computed per pay with fewer than one period, nor from amounts that are not finite; a
    // negative contribution to date would make the cent-by-cent walk run without bound.
    if (periods < 1 || !finiteInputs(in) || in.cppYtd < 0) {
        refuse(pay);
        clearProvincialOutputs(prov);
        return 1;
    }
    const Year year = yearRows(in.payDate);
    bool failed = year.pension == nullptr;
    const PensionRow noPension{};
    const PensionRow& pr = year.pension ? *year.pension : noPension;
    const double eiRate = year.insurance ? year.insurance->rate : 0.0;
    const double eiMax = year.insurance ? year.insurance->maxPremium : 0.0;

    int provinceCode = 0;
    if (ORLA_CA_HOLDS(prov, ProvinceRecord, provinceCode))
        std::memcpy(&provinceCode, reinterpret_cast<const unsigned char*>(prov) + offsetof(ProvinceRecord, provinceCode),
                    sizeof provinceCode);
    const bool quebec = provinceCode == ORLA_CA_QC;

    // Three passes: the regular pay, the pay with its bonus, the regular pay again. The third repeats the
    // first with the same inputs and is its copy; the second copies whatever of the first its inputs
    // leave unchanged.
    PassResult result[3];
    double income[2], annualPension[2], annualPremium[2], credit[2];
    for (int pass = 0; pass < 2; ++pass) {
        PassResult& r = result[pass];
        const double bonus = pass == 1 ? in.bonus : 0.0;

        const double g = atLeastZero(in.cppEarnings + bonus);
        if (pass == 1 && g == atLeastZero(in.cppEarnings + 0.0))
            r.contribution = result[0].contribution;
        else
            r.contribution = roundCents(walkedTotal(in.cppYtd, g, pr, periods, year.steps) - in.cppYtd);

        const double h = atLeastZero(in.eiEarnings + bonus);
        const double room = atLeastZero(eiMax - in.eiYtd - eiRate * in.priorBonuses);
        const double byEarnings = atLeastZero(h * eiRate);
        r.premium = room < byEarnings ? room : byEarnings;
        r.premiumCents = pass == 1 && sameBits(r.premium, result[0].premium) ? result[0].premiumCents : roundCents(r.premium);

        income[pass] = periods * in.taxableIncome + in.priorBonuses + bonus;
        annualPension[pass] =
            pass == 1 ? (periods - 1) * result[0].contribution + r.contribution : periods * r.contribution;
        annualPremium[pass] = pass == 1 ? (periods - 1) * result[0].premium + r.premium : periods * r.premium;
        credit[pass] = pass == 1 && sameBits(annualPension[1], annualPension[0]) && sameBits(annualPremium[1], annualPremium[0])
                           ? credit[0]
                           : pensionPremiumCredit(year, annualPension[pass], annualPremium[pass]);
        if (pass == 1 && sameBits(income[1], income[0]) && sameBits(credit[1], credit[0]))
            r.fedAnnualTax = result[0].fedAnnualTax;
        else
            r.fedAnnualTax = federalAnnualTax(in, year, income[pass], credit[pass], quebec, failed);
    }
    result[2] = result[0];

    // The provincial calculation reads none of the outputs it writes, so the record ends as the regular
    // pay's call leaves it; only the regular pay's provincial tax is used.
    const double block[3] = {in.provPassThrough, result[0].contribution, result[0].premiumCents};
    bool provincialFailed = false;
    const double totalAnnualTax = result[0].fedAnnualTax + provincialTax(prov, block, provincialFailed);

    const double perPay = roundCents(totalAnnualTax / periods);
    const double fedPerPay = roundCents(result[0].fedAnnualTax / periods);
    const double bonusFedTax = centsDifference(result[1].fedAnnualTax, result[2].fedAnnualTax);
    // Amounts so large that a result overflows are refused rather than returned as infinity.
    if (!allFinite(perPay, fedPerPay, bonusFedTax, result[0].contribution, result[1].contribution,
                    result[0].premiumCents, result[1].premiumCents)) {
        clearProvincialOutputs(prov);
        ORLA_CA_PUT(prov, ProvinceRecord, status, 1);
        refuse(pay);
        return 1;
    }
    ORLA_CA_PUT(pay, CanadaRecord, fedAnnualTax, result[0].fedAnnualTax);
    ORLA_CA_PUT(pay, CanadaRecord, cppContribution, result[0].contribution);
    ORLA_CA_PUT(pay, CanadaRecord, eiPremium, result[0].premiumCents);
    ORLA_CA_PUT(pay, CanadaRecord, incomeTaxPerPay, perPay);
    ORLA_CA_PUT(pay, CanadaRecord, fedTaxPerPay, fedPerPay);
    ORLA_CA_PUT(pay, CanadaRecord, bonusFedTax, bonusFedTax);
    ORLA_CA_PUT(pay, CanadaRecord, bonusCpp, centsDifference(result[1].contribution, result[2].contribution));
    ORLA_CA_PUT(pay, CanadaRecord, bonusEi, centsDifference(result[1].premiumCents, result[2].premiumCents));
    ORLA_CA_PUT(pay, CanadaRecord, status, failed ? 1 : 0);
    return failed ? 1 : 0;
}
