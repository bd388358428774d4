/* One pay through the installed header and library; exits 0 when the results are the expected ones. */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <orla/orla.h>

static int same(double got, double want) { return fabs(got - want) < 0.005; }

int main(void) {
    PayRecord pay;
    StateRecord state;
    unsigned flags;

    memset(&pay, 0, sizeof pay);
    memset(&state, 0, sizeof state);
    pay.recordSize = sizeof pay;
    pay.payDate.month = 3;
    pay.payDate.day = 13;
    pay.payDate.year = 2026;
    pay.payPeriods = 26;
    pay.fedFilingStatus = ORLA_FED_SINGLE;
    pay.w4Form2020 = 1;
    pay.fedWages = 2000.00;
    pay.ficaWages = 2000.00;
    state.recordSize = sizeof state;
    state.stateCode = ORLA_TX;
    state.statePayPeriods = 26;
    state.stateWages = 2000.00;

    flags = ORLA_Calc(ORLA_MODE_FULL, &pay, &state);
    printf("orla %.1f: flags %u, federal %.2f, social security %.2f, medicare %.2f, state %.2f\n", ORLA_Version(),
           flags, pay.fedTax, pay.ssTax, pay.medicareTax, state.stateTax);
    return flags == 0 && same(pay.fedTax, 156.15) && same(pay.ssTax, 124.00) && same(pay.medicareTax, 29.00) &&
                   same(state.stateTax, 0.0)
               ? 0
               : 1;
}
