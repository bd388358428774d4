// Paid family and medical leave: the contributions of eleven programmes, each with its rates and wage
// base fixed per year here, split between employee and employer where the programme does so.
#include "federal/federal.h"
#include "levies/levies.h"

namespace orla {

namespace {

// The inputs of the record; the fields at 48 to 64 mean what each programme below says.
struct LeaveInput {
    CalcDate payDate;
    double wages;
    double ytdWages;
    double shareInput;
    double employerAmount;
    double extraInput;
};

// What a programme computed. Only the amounts it sets are written; employeeAmount and the Massachusetts
// medical parts were cleared at entry.
struct LeaveResult {
    bool served = false;  // the jurisdiction and year have a programme here
    bool recordTooSmall = false;  // served, but the record lacks fields the programme needs
    double employeeAmount = 0;
    bool setsEmployer = false;
    double employerAmount = 0;
    bool setsShare = false;  // Oregon returns the employer's amount in shareInput
    double shareOutput = 0;
    bool setsMedical = false;
    double medicalRemainder = 0;
    double medicalByShare = 0;
    // The inputs at 48 to 64 that the programme read, which must then be finite.
    bool readsShare = false;
    bool readsEmployer = false;
    bool readsExtra = false;
};

// The capping rule of the leave programmes: nothing above the base, the rest of the base, or the wages.
double taxable(const LeaveInput& in, double base) {
    if (in.ytdWages > base) return 0.0;
    if (in.ytdWages + in.wages > base) return base - in.ytdWages;
    return in.wages;
}

// Massachusetts: employers of 25 or more pay at least 60 % of the medical part.
constexpr double kMassachusettsMinimumMedicalShare = 0.6;
constexpr int kMassachusettsLargeEmployer = 25;

LeaveResult compute(int code, const LeaveInput& in, bool holdsMassachusettsFields) {
    LeaveResult out;
    const int year = in.payDate.year;
    const bool years2024To2026 = year >= 2024 && year <= 2026;
    const bool years2025To2026 = year == 2025 || year == 2026;
    // B0: the newest social security wage base whatever the pay year; B(d): the base of the pay date.
    const double newestBase = ssWageBaseFirstRow();
    const double dateBase = ssWageBaseFor(in.payDate);
    const double baseOfDate = dateBase < 0 ? newestBase : dateBase;

    switch (code) {
        case ORLA_OR: {
            if (!years2024To2026) break;
            // extraInput is the employer's rate and employerAmount the employee's, both in percent.
            const double a = 0.01 * taxable(in, newestBase);
            out.setsShare = true;
            out.shareOutput = a * in.extraInput;
            out.employeeAmount = a * in.employerAmount;
            out.readsEmployer = out.readsExtra = true;
            out.served = true;
            break;
        }
        case ORLA_CO: {
            if (!years2024To2026) break;
            const double rate = year == 2026 ? 0.0088 : 0.009;
            const double p = rate * taxable(in, newestBase);
            const double f = in.shareInput;  // the employer's share
            out.setsEmployer = true;
            out.employerAmount = f * p;
            // The employee never pays more than half.
            out.employeeAmount = std::fmin(0.5, 1 - f) * p;
            out.readsShare = true;
            out.served = true;
            break;
        }
        case ORLA_CT:
            if (!years2024To2026) break;
            out.employeeAmount = 0.005 * taxable(in, baseOfDate);
            out.served = true;
            break;
        case ORLA_MN: {
            if (year != 2026) break;
            const double p = 0.009 * taxable(in, newestBase);
            const double f = in.shareInput;
            out.setsEmployer = true;
            out.employerAmount = f * p;
            out.employeeAmount = (1 - f) * p;
            out.readsShare = true;
            out.served = true;
            break;
        }
        case ORLA_NJ: {
            double base = 0, rate = 0;
            if (year == 2026) base = 171100, rate = 0.0023;
            else if (year == 2025) base = 165400, rate = 0.0033;
            else if (year == 2024) base = 161400, rate = 0.0009;
            else break;
            out.employeeAmount = roundCents(rate * taxable(in, base));
            out.served = true;
            break;
        }
        case ORLA_NY: {
            double base = 0, rate = 0;
            if (year == 2026) base = 95349.54, rate = 0.00432;
            else if (year == 2025) base = 91373.71, rate = 0.00388;
            else if (year == 2024) base = 89343.80, rate = 0.00373;
            else break;
            out.employeeAmount = rate * taxable(in, base);
            out.served = true;
            break;
        }
        case ORLA_WA: {
            double rate = 0;
            if (year == 2026) rate = 0.0113;
            else if (year == 2025) rate = 0.0092;
            else if (year == 2024) rate = 0.0074;
            else break;
            const double p = rate * taxable(in, newestBase);
            const double f = in.shareInput;  // the employer's share
            out.setsEmployer = true;
            out.employerAmount = p * f;
            out.employeeAmount = p - p * f;
            out.readsShare = true;
            out.served = true;
            break;
        }
        case ORLA_DE: {
            if (!years2025To2026) break;
            // employerAmount holds the employer's number of employees; extraInput 1.0 marks an exemption.
            out.setsEmployer = true;
            out.readsEmployer = out.readsExtra = true;
            out.served = true;
            const double employees = in.employerAmount;
            if (in.extraInput != 1.0 && employees >= 10) {
                const double t = taxable(in, baseOfDate);
                const double r = employees <= 24 ? 0.0032 : 0.008;
                const double e = in.shareInput / 100 * r;  // the employee's share, in percent
                out.employeeAmount = e * t;
                out.employerAmount = (r - e) * t;
                out.readsShare = true;
            }
            break;
        }
        case ORLA_ME: {
            if (!years2025To2026) break;
            out.setsEmployer = true;
            out.readsExtra = true;
            out.served = true;
            if (in.extraInput == 1.0) break;  // exempt: nothing for either
            const double t = taxable(in, baseOfDate);
            const double r = in.employerAmount < 15 ? 0.005 : 0.01;
            const double e = in.shareInput / 100 * r;
            out.employeeAmount = e * t;
            out.employerAmount = (r - e) * t;
            out.readsEmployer = out.readsShare = true;
            break;
        }
        case ORLA_MA: {
            if (!years2024To2026) break;
            if (!holdsMassachusettsFields) {
                out.recordTooSmall = true;
                break;
            }
            const double t = taxable(in, baseOfDate);
            const int employees = truncToInt(in.employerAmount);
            const bool large = employees >= kMassachusettsLargeEmployer;
            const double family = 0.0018 * t;
            const double medical = (large ? 0.007 : 0.0028) * t;
            out.setsEmployer = true;
            out.employerAmount = roundCents(family * in.shareInput);
            out.employeeAmount = roundCents(family - out.employerAmount);
            double share = 0.0;
            if (large) share = in.extraInput < kMassachusettsMinimumMedicalShare ? kMassachusettsMinimumMedicalShare : in.extraInput;
            out.setsMedical = true;
            out.medicalByShare = roundCents(medical * share);
            out.medicalRemainder = roundCents((1 - share) * medical);
            out.readsShare = out.readsEmployer = out.readsExtra = true;
            out.served = true;
            break;
        }
        case ORLA_DC: {
            double rate = 0.0075;
            if (year == 2024) rate = in.payDate.month <= 6 ? 0.0026 : 0.0075;
            else if (!years2025To2026) break;
            out.setsEmployer = true;
            out.employerAmount = roundCents(rate * in.wages);
            out.served = true;
            break;
        }
        default:
            break;
    }
    return out;
}

bool resultFinite(const LeaveResult& r, const LeaveInput& in) {
    return finite(r.employeeAmount) && finite(r.employerAmount) && finite(r.shareOutput) &&
           finite(r.medicalRemainder) && finite(r.medicalByShare) && (!r.readsShare || finite(in.shareInput)) &&
           (!r.readsEmployer || finite(in.employerAmount)) && (!r.readsExtra || finite(in.extraInput));
}

}  // namespace

int calcFamilyLeave(FamilyLeaveRecord* r) {
    if (r == nullptr) return 1;
    LEVY_OUT(r, employeeAmount, 0.0);
    LEVY_OUT(r, medicalRemainder, 0.0);
    LEVY_OUT(r, medicalByShare, 0.0);

    const LeaveInput in{LEVY_IN(r, payDate),    LEVY_IN(r, wages),          LEVY_IN(r, ytdWages),
                        LEVY_IN(r, shareInput), LEVY_IN(r, employerAmount), LEVY_IN(r, extraInput)};
    if (!finite(in.wages) || !finite(in.ytdWages)) return 1;
    // Massachusetts reads and writes every field up to the end of the record (88 bytes).
    const bool holdsMassachusettsFields = LEVY_HOLDS(r, medicalByShare);
    const LeaveResult out = compute(LEVY_IN(r, stateCode), in, holdsMassachusettsFields);
    // A record too small for the programme's fields computes nothing and says so.
    if (out.recordTooSmall) return 1;
    if (!out.served) return 0;
    if (!resultFinite(out, in)) {
        // Nothing computed: the amounts the programme returns are left 0.
        if (out.setsEmployer) LEVY_OUT(r, employerAmount, 0.0);
        if (out.setsShare) LEVY_OUT(r, shareInput, 0.0);
        return 1;
    }
    LEVY_OUT(r, employeeAmount, out.employeeAmount);
    if (out.setsEmployer) LEVY_OUT(r, employerAmount, out.employerAmount);
    if (out.setsShare) LEVY_OUT(r, shareInput, out.shareOutput);
    if (out.setsMedical) {
        LEVY_OUT(r, medicalRemainder, out.medicalRemainder);
        LEVY_OUT(r, medicalByShare, out.medicalByShare);
    }
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL FAMLEAVE_Calc(FamilyLeaveRecord* record) { return orla::calcFamilyLeave(record); }
