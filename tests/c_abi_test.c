/* The C interface proven from C: the header compiles as C99 and a call through the shared library
 * gives the documented result. */
#include <stdio.h>
#include <string.h>

#include <orla/orla.h>

static int failures = 0;

static void expect_near(const char* what, double got, double want) {
    double d = got - want;
    if (d < -0.0001 || d > 0.0001) {
        printf("FAIL %s: got %.4f, want %.4f\n", what, got, want);
        failures++;
    }
}

static void expect_int(const char* what, long got, long want) {
    if (got != want) {
        printf("FAIL %s: got %ld, want %ld\n", what, got, want);
        failures++;
    }
}

int main(void) {
    PayRecord pay;
    StateRecord state;
    TableInfoRecord info;
    LocalRecord local;
    PromptRecord prompt;
    SuiRecord sui;
    FamilyLeaveRecord leave;
    char build[32];
    char name[64];
    unsigned flags;

    memset(&pay, 0, sizeof pay);
    memset(&state, 0, sizeof state);
    pay.recordSize = sizeof pay;
    pay.payDate.month = 6;
    pay.payDate.day = 15;
    pay.payDate.year = 2026;
    pay.payPeriods = 26;
    pay.fedFilingStatus = ORLA_FED_SINGLE;
    pay.fedWages = 2000.0;
    pay.ficaWages = 2000.0;
    pay.w4Form2020 = 1;
    state.recordSize = sizeof state;
    state.stateCode = ORLA_TX;
    state.stateExtraWithholding = 10.0;

    flags = ORLA_Calc(ORLA_MODE_FULL, &pay, &state);
    expect_int("flags", (long)flags, 0);
    expect_near("fedTax", pay.fedTax, 156.15);
    expect_near("ssTax", pay.ssTax, 124.00);
    expect_near("medicareTax", pay.medicareTax, 29.00);
    expect_near("stateTax", state.stateTax, 10.00);
    expect_int("status", state.status, ORLA_STATE_OK);
    expect_int("fedTableDate.year", pay.fedTableDate.year, 2026);

    expect_int("null record", (long)ORLA_Calc(ORLA_MODE_FULL, NULL, &state), ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE);

    memset(&info, 0, sizeof info);
    info.recordSize = sizeof info;
    info.infoDate.month = 6;
    info.infoDate.day = 30;
    info.infoDate.year = 2026;
    info.infoKind = ORLA_INFO_SS_WAGE_BASE;
    expect_int("table info", ORLA_Get_Table_Info(&info), 0);
    expect_near("wage base", info.infoValue, 184500.0);

    memset(build, 'x', sizeof build);
    expect_int("build info", ORLA_Get_Build_Info(build), 0);
    expect_int("build text length", (long)strlen(build), 20);
    expect_near("version", ORLA_Version(), 3.5);

    /* Kansas City's earnings tax through the local export; the New York list. */
    memset(&local, 0, sizeof local);
    local.recordSize = sizeof local;
    local.localityCode = 2;
    local.localPayPeriods = 26;
    local.localWages = 3000.0;
    state.stateCode = ORLA_MO;
    state.statePayPeriods = 26;
    state.stateWages = 3000.0;
    expect_int("local status", ORLA_Calc_Local(ORLA_MODE_FULL, &pay, &state, &local), 0);
    expect_near("localTax", local.localTax, 30.00);
    expect_int("city", ORLA_Calc_City(), 0);
    memset(&prompt, 0, sizeof prompt);
    prompt.recordSize = sizeof prompt;
    prompt.stateCode = ORLA_NY;
    prompt.index = 2;
    expect_int("prompt length", ORLA_Get_Prompt(&prompt, name), 13);
    expect_int("prompt count", prompt.count, 3);
    /* A levy from C: Alaska's unemployment insurance crosses its 2026 wage base within the pay. */
    memset(&sui, 0, sizeof sui);
    sui.recordSize = sizeof sui;
    sui.payDate.month = 6;
    sui.payDate.day = 15;
    sui.payDate.year = 2026;
    sui.stateCode = ORLA_AK;
    sui.wages = 2000.0;
    sui.ytdWages = 53200.0;
    sui.rate = 0.01;
    expect_int("SUI_Calc", SUI_Calc(&sui), 0);
    expect_int("sui status", sui.status, 0);
    expect_near("sui tax", sui.tax, 10.00);
    expect_near("sui employee tax", sui.employeeTax, 5.00);
    expect_near("sui wage base", sui.wageBase, 54200.0);

    /* Washington family leave, 2026: 1.13 %, a quarter paid by the employer. */
    memset(&leave, 0, sizeof leave);
    leave.recordSize = sizeof leave;
    leave.payDate = sui.payDate;
    leave.stateCode = ORLA_WA;
    leave.wages = 1000.0;
    leave.shareInput = 0.25;
    expect_int("FAMLEAVE_Calc", FAMLEAVE_Calc(&leave), 0);
    expect_near("leave employee", leave.employeeAmount, 8.475);
    expect_near("leave employer", leave.employerAmount, 2.825);
    expect_int("null levy record", FUTA_Calc(NULL), 1);

    if (failures == 0) printf("c_abi_test: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
