/* A tiny host: one biweekly pay of a California employee, every result field printed. */
#include <stdio.h>
#include <string.h>

#include <orla/orla.h>

int main(void) {
    PayRecord pay;
    StateRecord state;
    char build[21];
    unsigned flags;

    memset(&pay, 0, sizeof pay);
    pay.recordSize = sizeof pay;
    pay.payDate.month = 3;
    pay.payDate.day = 13;
    pay.payDate.year = 2026;
    pay.payPeriods = 26;
    pay.fedFilingStatus = ORLA_FED_SINGLE;
    pay.fedWages = 2000.00;
    pay.ficaWages = 2000.00;
    pay.ssYtdWages = 8000.00;
    pay.medicareYtdWages = 8000.00;
    pay.w4Form2020 = 1;

    memset(&state, 0, sizeof state);
    state.recordSize = sizeof state;
    state.stateCode = ORLA_TX;
    state.statePayPeriods = 26;
    state.stateWages = 2000.00;

    flags = ORLA_Calc(ORLA_MODE_FULL, &pay, &state);
    ORLA_Get_Build_Info(build);

    printf("orla %.1f, tables %.0f, built %s\n", ORLA_Version(), ORLA_Table_Version(), build);
    printf("pay date            %04d-%02d-%02d, %d periods\n", pay.payDate.year, pay.payDate.month, pay.payDate.day,
           pay.payPeriods);
    printf("federal wages       %12.2f\n", pay.fedWages);
    printf("federal income tax  %12.2f\n", pay.fedTax);
    printf("supplemental tax    %12.2f\n", pay.fedSuppTax);
    printf("social security     %12.2f\n", pay.ssTax);
    printf("medicare            %12.2f\n", pay.medicareTax);
    printf("federal table date  %04d-%02d-%02d\n", pay.fedTableDate.year, pay.fedTableDate.month, pay.fedTableDate.day);
    printf("federal status      %12d\n", pay.fedStatus);
    printf("state code          %12d\n", state.stateCode);
    printf("state tax           %12.2f\n", state.stateTax);
    printf("state supplemental  %12.2f\n", state.stateSuppTax);
    printf("state status        %12d\n", state.status);
    printf("result flags        %12u\n", flags);
    return flags == 0 ? 0 : 1;
}
