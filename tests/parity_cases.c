/* A fixed list of ORLA_Calc calls (modes, years, filing statuses, jurisdictions, pay frequencies,
 * Form W-4 vintages, bonuses) and calls of the other exports, printing every output field as raw
 * 64-bit hex (doubles) or decimal (ints). The Linux and the Windows builds must print the same text
 * to the bit: the parity test compares the two outputs. */
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include <orla/orla.h>

static uint64_t bits(double x) {
    uint64_t u;
    memcpy(&u, &x, sizeof u);
    return u;
}

static void print_date(const char* name, CalcDate d) { printf(" %s=%d/%d/%d", name, d.month, d.day, d.year); }
static void print_amount(const char* name, double x) { printf(" %s=%016" PRIx64, name, bits(x)); }

int main(void) {
    static const int modes[] = {0, 1, 2, 11, 12};
    static const int years[] = {2024, 2025, 2026, 2027};
    static const int statuses[] = {0, 1, 2, 3};
    /* Every jurisdiction code and one beyond, so each calculator is compared as it lands. */
    enum { kCodes = 61 };
    static const int periods[] = {52, 26, 24, 12, 4, 1, 0};
    int n = 0;
    size_t m, y, s;
    int j;
    for (m = 0; m < sizeof modes / sizeof modes[0]; ++m)
        for (y = 0; y < sizeof years / sizeof years[0]; ++y)
            for (s = 0; s < sizeof statuses / sizeof statuses[0]; ++s)
                for (j = (int)s; j < kCodes; j += 2) {
                    PayRecord pay;
                    StateRecord state;
                    unsigned flags;
                    const int k = n++;
                    memset(&pay, 0, sizeof pay);
                    memset(&state, 0, sizeof state);
                    pay.recordSize = k % 11 == 0 ? 128 : (int)sizeof pay;
                    state.stateFilingStatus = k % 3;
                    state.stateAllowances = k % 4;
                    pay.payDate.month = 1 + k % 12;
                    pay.payDate.day = 1 + (k * 5) % 28;
                    pay.payDate.year = years[y];
                    pay.payPeriods = periods[k % 7];
                    pay.fedFilingStatus = statuses[s];
                    pay.fedAllowances = k % 3;
                    pay.fedWages = 123.45 + 97.13 * (k % 97);
                    pay.ficaWages = pay.fedWages;
                    pay.fedExtraWithholding = k % 5 == 0 ? 12.5 : 0.0;
                    pay.ssYtdWages = 2500.0 * (k % 80);
                    pay.medicareYtdWages = pay.ssYtdWages * 1.25;
                    pay.suppWages = k % 3 == 0 ? 1000.0 + 3.33 * k : 0.0;
                    pay.suppYtdWages = k % 17 == 0 ? 1500000.0 : 0.0;
                    pay.suppAggregate = k % 6 == 0;
                    pay.w4Form2020 = k % 4 != 0;
                    pay.w4MultipleJobs = k % 5 == 1;
                    pay.w4Credits = 250.0 * (k % 4);
                    pay.w4OtherIncome = k % 7 == 0 ? 4000.0 : 0.0;
                    pay.w4Deductions = k % 9 == 0 ? 2500.0 : 0.0;
                    pay.nonresidentAlien = k % 13 == 0;
                    pay.fedExempt = k % 31 == 0;
                    state.recordSize = k % 10 == 0 ? 144 : (int)sizeof state;
                    state.stateCode = j;
                    state.statePayPeriods = pay.payPeriods;
                    state.stateWages = pay.fedWages;
                    state.stateSuppWages = pay.suppWages;
                    state.stateExtraWithholding = k % 4 == 0 ? 5.0 : 0.0;

                    flags = ORLA_Calc(modes[m], &pay, &state);
                    printf("calc %d mode=%d flags=%u fedStatus=%d stateStatus=%d sti=%d", k, modes[m], flags,
                           pay.fedStatus, state.status, pay.stateTaxableIncome);
                    print_date("fedTableDate", pay.fedTableDate);
                    print_date("stateTableDate", state.stateTableDate);
                    print_amount("fedWages", pay.fedWages);
                    print_amount("ficaWages", pay.ficaWages);
                    print_amount("fedTax", pay.fedTax);
                    print_amount("ssTax", pay.ssTax);
                    print_amount("medicareTax", pay.medicareTax);
                    print_amount("suppWages", pay.suppWages);
                    print_amount("fedSuppTax", pay.fedSuppTax);
                    print_amount("stateWages", state.stateWages);
                    print_amount("stateTax", state.stateTax);
                    print_amount("stateSuppWages", state.stateSuppWages);
                    print_amount("stateSuppTax", state.stateSuppTax);
                    print_amount("stateCertAmount1", state.stateCertAmount1);
                    printf("\n");
                }

    for (y = 0; y < sizeof years / sizeof years[0]; ++y) {
        TableInfoRecord info;
        AeicRecord aeic;
        int rc;
        memset(&info, 0, sizeof info);
        info.recordSize = sizeof info;
        info.infoDate.month = 7;
        info.infoDate.day = 1;
        info.infoDate.year = years[y];
        info.infoKind = ORLA_INFO_SS_WAGE_BASE;
        rc = ORLA_Get_Table_Info(&info);
        printf("info %d rc=%d", years[y], rc);
        print_amount("infoValue", info.infoValue);
        printf("\n");
        memset(&aeic, 0, sizeof aeic);
        aeic.recordSize = sizeof aeic;
        aeic.payDate = info.infoDate;
        aeic.payPeriods = 26;
        aeic.wages = 800.0;
        aeic.advanceEic = -5.0;
        rc = ORLA_AEIC_Calc(&aeic);
        printf("aeic %d rc=%d status=%d", years[y], rc, aeic.status);
        print_amount("advanceEic", aeic.advanceEic);
        printf("\n");
    }
    print_amount("version", ORLA_Version());
    print_amount("tableVersion", ORLA_Table_Version());
    printf("\n");
    return 0;
}
