// Canadian federal withholding of one pay: the pension plan contribution accumulated cent by cent of
// earnings, the insurance premium against its yearly maximum, and the federal income tax by the
// annualising formula, in three passes (the regular pay, the pay with its bonus, the regular pay again)
// so that the tax, contribution and premium that fall on a bonus come out as differences.
#include <bit>
#include <cmath>
#include <cstdint>

#include "canada/canada.h"
#include "canada/canada_tables.h"

namespace orla::canada {
namespace {

struct PassResult {
    double contribution = 0;  // cppContribution, in cents
    double premium = 0;       // the premium before rounding
    double premiumCents = 0;  // eiPremium
    double fedAnnualTax = 0;
    double totalAnnualTax = 0;
};

// A run of steps x <- fl(x + delta) that all add the same amount: within one binade of x every step
// rounds delta to the same grid, so the increment d is the same each time, unless delta lies exactly
// halfway between two grid points (then the rounding depends on x) or a step would leave the binade.
// Returns the number of steps that may be taken at once (0: take a single step) and their increment.
struct Run {
    double steps = 0;
    double increment = 0;
};

// The top 2^e of the binade [2^(e-1), 2^e) holding x > 0 and its grid 2^(e-53). For a normal x whose
// binade and grid are normal powers of two they are built from x's exponent bits; otherwise by frexp
// and ldexp (the same values, at the cost of library calls).
void binade(double x, double& top, double& ulp) {
    const auto biased = static_cast<int>((std::bit_cast<std::uint64_t>(x) >> 52) & 0x7ff);  // x in [2^(biased-1023), ...)
    if (biased > 53 && biased < 2046) {
        top = std::bit_cast<double>(static_cast<std::uint64_t>(biased + 1) << 52);
        ulp = std::bit_cast<double>(static_cast<std::uint64_t>(biased - 52) << 52);
        return;
    }
    int e = 0;
    std::frexp(x, &e);  // x lies in [2^(e-1), 2^e)
    top = std::ldexp(1.0, e);
    ulp = std::ldexp(1.0, e - 53);
}

Run uniformRun(double x, double delta) {
    // Near zero the binades are narrower than a few steps: single steps.
    if (!(x > 4 * delta)) return {};
    double top = 0, ulp = 0;
    binade(x, top, ulp);
    // delta modulo the grid, as fmod gives it (exactly: delta / ulp and the product are exact, and so is
    // the difference, a multiple of delta's grid below ulp), without fmod's bit-by-bit loop over the
    // distance between the exponents. A delta of 0 or below leaves no positive remainder.
    if (delta > 0 && delta - std::floor(delta / ulp) * ulp == ulp / 2) return {};
    const double d = (x + delta) - x;  // exact: the sum lies within a factor 2 of x
    // x + j d is a multiple of the grid inside the binade, hence exact, for every step counted; two steps
    // are kept back so that no step's sum reaches the binade's top.
    const double steps = std::floor((top - x) / d) - 2;
    return {steps > 0 ? steps : 0, d};
}

// The contribution on g dollars of pensionable earnings, in steps of one cent of earnings: each step adds
// the first-tier contribution c while the total stays below its maximum, then the second-tier one c2 while
// the total stays below both maximums. The step counter k grows by repeated addition of 0.01, which fixes
// the number of steps, and the total by repeated addition of c or c2, whose rounding fixes the last cent.
// The walk takes the steps in runs: where k and the total both add an unchanging increment (see
// uniformRun) and neither bound can be reached within the run, many steps are taken at once with the
// exact result of taking them one by one; near a binade's edge or a bound it takes single steps. Once
// neither tier can take a step the total can no longer change, so the walk stops there.
}  // namespace

double pensionTotal(double ytd, double g, const PensionRow& row, int periods) {
    const double exemption = row.basicExemption / periods;
    const double c = row.rate * 0.01;
    const double c2 = row.secondTierRate * 0.01;
    const double both = row.maxContribution + row.maxSecondTier;
    const double room = g - exemption;
    double total = ytd;
    if (!(room >= 0)) return total;
    double k = 0;
    while (room >= k) {
        const bool firstTier = row.maxContribution > total + c;
        if (!firstTier && !(both > total + c2)) break;
        const double step = firstTier ? c : c2;
        const double limit = firstTier ? row.maxContribution : both;
        const Run rk = uniformRun(k, 0.01);
        const Run rt = uniformRun(total, step);
        double steps = rk.steps < rt.steps ? rk.steps : rt.steps;
        if (steps >= 1) {
            // Step j is taken while k + j dk <= room and limit > total + (j + 1) dt; one step of margin
            // on each bound covers the rounding of the divisions.
            const double byRoom = std::floor((room - k) / rk.increment) - 1;
            const double byLimit = std::floor((limit - total) / rt.increment) - 2;
            if (byRoom < steps) steps = byRoom;
            if (byLimit < steps) steps = byLimit;
        }
        if (steps >= 1) {
            k = k + steps * rk.increment;
            total = total + steps * rt.increment;
        } else {
            total += step;
            k += 0.01;
        }
    }
    return total;
}

namespace {

template <class Row>
const Row* covering(std::span<const Row> rows, const CalcDate& d) {
    return firstCovering(rows, d);
}

const FederalBracketRow* federalBracket(const CalcDate& d, double income) {
    for (const FederalBracketRow& r : kFederalBrackets)
        if (rowCovers(r.from, r.to, d) && income >= r.low && (income < r.high || r.high == 0)) return &r;
    return nullptr;
}

bool finiteInputs(const CanadaRecord& p) {
    const double amounts[] = {p.fedClaimAmount, p.fedAnnualCredit, p.fedExtraPerPay, p.provPassThrough,
                              p.fedOtherCredits, p.taxableIncome,   p.cppEarnings,    p.cppYtd,
                              p.eiEarnings,      p.eiYtd,           p.bonus,          p.priorBonuses};
    for (const double x : amounts)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace
}  // namespace orla::canada

extern "C" ORLA_API int ORLA_CALL ORLA_Canada_Calc(int /*mode*/, CanadaRecord* pay, ProvinceRecord* prov) {
    using namespace orla;
    using namespace orla::canada;
    if (pay == nullptr || prov == nullptr) return 1;

    // Every output the records hold starts at 0.
    ORLA_CA_PUT(pay, CanadaRecord, status, 0);
    for (const std::size_t offset :
         {offsetof(CanadaRecord, fedAnnualTax), offsetof(CanadaRecord, incomeTaxPerPay),
          offsetof(CanadaRecord, cppContribution), offsetof(CanadaRecord, eiPremium), offsetof(CanadaRecord, fedTaxPerPay),
          offsetof(CanadaRecord, bonusFedTax), offsetof(CanadaRecord, bonusCpp), offsetof(CanadaRecord, bonusEi)})
        put(pay, offset, 0.0);
    clearProvincialOutputs(prov);

    // Fields the record does not hold count as 0; so do the bonus fields of a record they are not part of.
    const CanadaRecord in = heldCopy(pay);
    const int periods = in.payPeriods;
    // Nothing can be computed per pay with fewer than one period, nor from amounts that are not finite; a
    // negative contribution to date would make the cent-by-cent walk run without bound.
    if (periods < 1 || !finiteInputs(in) || in.cppYtd < 0) {
        ORLA_CA_PUT(pay, CanadaRecord, status, 1);
        return 1;
    }
    const CalcDate& day = in.payDate;
    const double q = [&] {
        const RateRow* r = covering(std::span<const RateRow>(kFederalCreditRate), day);
        return r ? r->rate : 0.0;
    }();
    bool failed = covering(std::span<const RateRow>(kFederalCreditRate), day) == nullptr;
    const PensionRow* pension = covering(std::span<const PensionRow>(kPension), day);
    const InsuranceRow* insurance = covering(std::span<const InsuranceRow>(kInsurance), day);
    const EmploymentAmountRow* employment = covering(std::span<const EmploymentAmountRow>(kEmploymentAmount), day);
    if (pension == nullptr || insurance == nullptr || employment == nullptr) failed = true;
    const PensionRow noPension{};
    const PensionRow& pr = pension ? *pension : noPension;
    const double eiRate = insurance ? insurance->rate : 0.0;
    const double eiMax = insurance ? insurance->maxPremium : 0.0;

    const bool provinceIsQuebec = ORLA_CA_HOLDS(prov, ProvinceRecord, provinceCode) && heldCopy(prov).provinceCode == ORLA_CA_QC;

    PassResult result[3];
    for (int pass = 0; pass < 3; ++pass) {
        PassResult& r = result[pass];
        const double bonus = pass == 1 ? in.bonus : 0.0;

        const double g = atLeastZero(in.cppEarnings + bonus);
        r.contribution = roundCents(pensionTotal(in.cppYtd, g, pr, periods) - in.cppYtd);
        const double annualPension =
            pass == 1 ? (periods - 1) * result[0].contribution + r.contribution : periods * r.contribution;

        const double h = atLeastZero(in.eiEarnings + bonus);
        const double room = atLeastZero(eiMax - in.eiYtd - eiRate * in.priorBonuses);
        const double byEarnings = atLeastZero(h * eiRate);
        r.premium = room < byEarnings ? room : byEarnings;
        r.premiumCents = roundCents(r.premium);

        const double income = periods * in.taxableIncome + in.priorBonuses + bonus;
        const double annualPremium = pass == 1 ? (periods - 1) * result[0].premium + r.premium : periods * r.premium;

        const FederalBracketRow* bracket = federalBracket(day, income);
        if (bracket == nullptr) failed = true;
        const double rate = bracket ? bracket->rate : 0.0;
        const double constant = bracket ? bracket->constant : 0.0;

        const double k1 = q * in.fedClaimAmount;
        const double pensionCredited = annualPension < pr.maxContribution ? annualPension : pr.maxContribution;
        const double premiumCredited = annualPremium < eiMax ? annualPremium : eiMax;
        const double k2 = roundCents(q * (pensionCredited + premiumCredited));
        const double k3 = in.fedOtherCredits;
        double k4 = 0;
        if (employment != nullptr) {
            const double byIncome = employment->rate * income;
            const double byAmount = employment->rate * employment->amount;
            k4 = byIncome < byAmount ? byIncome : byAmount;
        }
        double t = rate * income - constant - k1 - k2 - k3 - k4;
        // Quebec employees: the federal tax is abated by 16.5 % of itself.
        if (provinceIsQuebec) t = t - roundCents(0.165 * t);
        r.fedAnnualTax = roundCents(t) + periods * in.fedExtraPerPay - in.fedAnnualCredit;

        const double block[3] = {in.provPassThrough, r.contribution, r.premiumCents};
        bool provincialFailed = false;
        r.totalAnnualTax = r.fedAnnualTax + provincialTax(prov, block, provincialFailed);
    }

    const double perPay = roundCents(result[0].totalAnnualTax / periods);
    const double fedPerPay = roundCents(result[0].fedAnnualTax / periods);
    const double bonusFedTax = roundCents(result[1].fedAnnualTax - result[2].fedAnnualTax);
    // Amounts so large that a result overflows are refused rather than returned as infinity.
    for (const double x : {perPay, fedPerPay, bonusFedTax, result[0].contribution, result[1].contribution,
                           result[0].premiumCents, result[1].premiumCents}) {
        if (!std::isfinite(x)) {
            clearProvincialOutputs(prov);
            ORLA_CA_PUT(prov, ProvinceRecord, status, 1);
            ORLA_CA_PUT(pay, CanadaRecord, status, 1);
            return 1;
        }
    }
    ORLA_CA_PUT(pay, CanadaRecord, fedAnnualTax, result[0].fedAnnualTax);
    ORLA_CA_PUT(pay, CanadaRecord, cppContribution, result[0].contribution);
    ORLA_CA_PUT(pay, CanadaRecord, eiPremium, result[0].premiumCents);
    ORLA_CA_PUT(pay, CanadaRecord, incomeTaxPerPay, perPay);
    ORLA_CA_PUT(pay, CanadaRecord, fedTaxPerPay, fedPerPay);
    ORLA_CA_PUT(pay, CanadaRecord, bonusFedTax, bonusFedTax);
    ORLA_CA_PUT(pay, CanadaRecord, bonusCpp, roundCents(result[1].contribution - result[2].contribution));
    ORLA_CA_PUT(pay, CanadaRecord, bonusEi, roundCents(result[1].premiumCents - result[2].premiumCents));
    if (failed) ORLA_CA_PUT(pay, CanadaRecord, status, 1);
    return failed ? 1 : 0;
}
