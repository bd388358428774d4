/*
 * orla: payroll tax withholding library, public C interface.
 *
 * The host owns every record. It sets each record's first field, recordSize, to the size it declares
 * for its copy (which tells the library which later fields exist), fills the inputs, calls one export
 * and reads the results back from the same records. The library keeps nothing between calls, reads no
 * file or environment, allocates nothing on its calculation paths, and writes only the output fields of
 * the records it is given; calls with distinct records may run concurrently from any number of threads.
 *
 * Gates: a field "gated at N" exists only when recordSize > N (strict), unless its comment says >=, and
 * every field (gated or not) exists only when recordSize holds all of it (offset plus size). A field that
 * does not exist is neither read nor written and counts as 0. ORLA_Calc always reads a PayRecord through
 * medicareTax and a StateRecord through stateTax; its supplemental taxes are set to 0 at entry.
 * Amounts are doubles in dollars; results are rounded to cents when they are stored.
 *
 * This header compiles as C99 and as C++.
 */
#ifndef ORLA_ORLA_H
#define ORLA_ORLA_H

#include <stddef.h>

#if defined(_WIN32)
#  if defined(ORLA_BUILDING)
#    define ORLA_API __declspec(dllexport)
#  else
#    define ORLA_API __declspec(dllimport)
#  endif
#  define ORLA_CALL __cdecl
#else
#  if defined(ORLA_BUILDING)
#    define ORLA_API __attribute__((visibility("default")))
#  else
#    define ORLA_API
#  endif
#  define ORLA_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 4)

/* A date: month 1-12, day 1-31, four-digit year. */
typedef struct CalcDate {
    int month; /* 0 month, 1-12 */
    int day;   /* 4 day of the month, 1-31 */
    int year;  /* 8 four-digit year */
} CalcDate;

/* The pay, the employee's federal elections and the federal results. The library uses 200 bytes. */
typedef struct PayRecord {
    int recordSize;            /*   0 in   declared size of the caller's record */
    int stateTaxableIncome;    /*   4 out  taxable amount some state calculators report, whole dollars */
    int fedStatus;             /*   8 out  0 ok; 1 no federal (or nonresident-alien) row; 100 local gross-up did not converge */
    int fedAllowances;         /*  12 in   allowances of a Form W-4 from before 2020 */
    CalcDate payDate;          /*  16 in   pay date */
    int fedFilingStatus;       /*  28 in   ORLA_FED_* filing status */
    int payPeriods;            /*  32 in   pay periods in a year */
    double fedWages;           /*  36 in/out federal taxable wages; mode 11: desired net in, grossed-up wages out */
    double fedExtraWithholding;/*  44 in   additional federal withholding of this pay */
    CalcDate fedTableDate;     /*  52 out  date whose federal tables were used (not written in modes 0 and 2) */
    double fedTax;             /*  64 out  federal income tax of this pay */
    int reserved72;            /*  72 out  written 0 */
    int ssExempt;              /*  76 in   non-zero: no social security tax */
    double ficaWages;          /*  80 in/out wages subject to social security and Medicare */
    double ssYtdWages;         /*  88 in   social security wages paid earlier in the year */
    double ssTax;              /*  96 out  social security tax of this pay */
    int reserved104;           /* 104 out  written 0 */
    int medicareExempt;        /* 108 in   non-zero: no Medicare tax */
    double medicareYtdWages;   /* 112 in   Medicare wages paid earlier in the year */
    double medicareTax;        /* 120 out  Medicare tax, additional Medicare tax included */
    double suppWages;          /* 128 in/out (gate 128) supplemental wages; mode 12: desired net bonus in */
    double suppYtdWages;       /* 136 in   (gate 128) supplemental wages paid earlier in the year */
    int suppAggregate;         /* 144 in   (gate 128) non-zero: aggregate method instead of the flat rate */
    int reserved148;           /* 148      read by nothing */
    double fedSuppTax;         /* 152 out  (gate 128) federal income tax on suppWages */
    int fedExempt;             /* 160 in   (gate 160) 1: exempt from federal income tax */
    int w4Form2020;            /* 164 in   (gate 164) 1: Form W-4 of 2020 or later */
    int w4MultipleJobs;        /* 168 in   (gate 164) 1: Step 2 box marked */
    double w4Credits;          /* 172 in   (gate 164) Step 3, annual */
    double w4OtherIncome;      /* 180 in   (gate 164) Step 4(a), annual */
    double w4Deductions;       /* 188 in   (gate 164) Step 4(b), annual */
    int nonresidentAlien;      /* 196 in   (gate 164) 1: nonresident alien */
} PayRecord;

/* The jurisdiction, the state elections and the state results. Fields from 212 on need recordSize > 212. */
typedef struct StateRecord {
    int recordSize;                 /*   0 in   declared size */
    int status;                     /*   4 out  ORLA_STATE_* */
    int stateCode;                  /*   8 in   jurisdiction code 1-59 (ORLA_AL ... ORLA_WY) */
    int stateAllowances;            /*  12 in   state allowances or exemptions */
    int stateFilingStatus;          /*  16 in   state filing status, the state's own coding */
    int statePayPeriods;            /*  20 in   pay periods in a year for the state calculators */
    double stateWages;              /*  24 in/out state taxable wages; mode 11 leaves the grossed-up wages */
    double stateExtraWithholding;   /*  32 in   additional state withholding, added after every state calculation */
    CalcDate stateTableDate;        /*  40 out  from-date of the state table row applied */
    double stateTax;                /*  52 out  state income tax of this pay */
    double statePercent;            /*  60 in   Arizona: elected withholding percentage */
    int stateEstimatedAllowances;   /*  68 in   California */
    int reserved72;                 /*  72 */
    int reserved76;                 /*  76 */
    int stateWithholdingCode;       /*  80 in   Connecticut */
    double stateReducedWithholding; /*  84 in   Connecticut */
    int stateDependentAllowances;   /*  92 in   Georgia */
    int stateDependencyCredits;     /*  96 in   Louisiana */
    int stateHeadOfHousehold;       /* 100 in   Massachusetts */
    int stateBlind;                 /* 104 in   Massachusetts */
    int stateSpouseBlind;           /* 108 in   Massachusetts */
    int stateExempt;                /* 112 in   Massachusetts */
    int stateRateTable;             /* 116 in   New Jersey */
    int stateDependents;            /* 120 in   Alabama */
    double stateExemptionAmount;    /* 124 in   Mississippi */
    int stateOption;                /* 132 in   Maine, Massachusetts, Virginia, West Virginia */
    int stateAdditionalAllowances;  /* 136 in   Illinois */
    int stateDependentExemptions;   /* 140 in   Indiana */
    double stateSuppWages;          /* 144 in/out (gate 144) state supplemental wages */
    int reserved152;                /* 152 */
    int reserved156;                /* 156 */
    int stateSuppAggregate;         /* 160 in   (gate 144) 1: aggregate method, else the state's flat rate */
    int stateSuppKind;              /* 164 in   California */
    double stateSuppTax;            /* 168 out  (gate 144) state tax on supplemental wages */
    int stateExemptions[4];         /* 176 in   Puerto Rico */
    int reserved192;                /* 192 */
    int reserved196;                /* 196 */
    int reserved200;                /* 200 */
    double stateFixedTax;           /* 204 in   Missouri, Montana */
    int stateCertField1;            /* 212 in   (gate 212) Colorado, Iowa, North Dakota, Indiana */
    int stateCertField2;            /* 216 in   (gate 212) Colorado, Iowa, Indiana */
    int stateCertField3;            /* 220 in   (gate 212) Indiana */
    int reserved224;                /* 224 */
    double stateCertAmount1;        /* 228 in/out (gate 212) Iowa, North Dakota; Northern Mariana Islands writes its rebate */
    double stateCertAmount2;        /* 236 in   (gate 212) Colorado, North Dakota */
} StateRecord;

/* The locality, the local elections and the local results. */
typedef struct LocalRecord {
    int recordSize;                 /*   0 in   declared size */
    int localStatus;                /*   4 out  1 when no locality row covers the locality and date; else 0 */
    int localityCode;               /*   8 in   code from the ORLA_Get_Prompt lists */
    int localExemptions;            /*  12 in   local exemptions */
    int localOption;                /*  16 in   a switch each state gives a meaning */
    int localPayPeriods;            /*  20 in   pay periods for the local annualising */
    double localWages;              /*  24 in/out local taxable wages; mode 11 leaves the grossed-up wages */
    double localExtraWithholding;   /*  32 in   additional local withholding */
    int reserved40[3];              /*  40 */
    double localTax;                /*  52 out  local tax of this pay */
    int localResident;              /*  60 in   (recordSize >= 64) 1: lives in the locality */
    double overrideRate;            /*  64 in   (recordSize >= 180) caller-supplied rate */
    double overrideAnnualLimit;     /*  72 in   (recordSize >= 180) annual limit of the caller-rate tax */
    double overrideYtd;             /*  80 in   year-to-date figure for that limit */
    int overrideExemptions;         /*  88 in   (recordSize >= 180) */
    double overrideExemptionAmount; /*  92 in   (recordSize >= 180) */
    double overrideDeduction;       /* 100 in   (recordSize >= 180) */
    double overrideFlatAnnual;      /* 108 in   (recordSize >= 180) */
    int workLocalityCode;           /* 116 in   Michigan: work locality of a non-resident */
    double workLocalityTax;         /* 120 out  Michigan: tax of the work locality; Colorado: employer's share */
    int localTaxType;               /* 128 in   (recordSize >= 132) kind of local tax or list */
    double localSuppWages;          /* 132 in/out local supplemental wages */
    int reserved140;                /* 140 */
    int reserved144;                /* 144 */
    int localSuppAggregate;         /* 148 in   Maryland, New York */
    int reserved152;                /* 152 */
    double localSuppTax;            /* 156 out  (recordSize >= 164) local tax on localSuppWages */
    double workLocalitySuppTax;     /* 164 out  (recordSize >= 172) Michigan: work-locality tax on localSuppWages */
    int reserved172;                /* 172 */
    int reserved176;                /* 176 */
} LocalRecord;

/* Argument of ORLA_Get_Table_Info. */
typedef struct TableInfoRecord {
    int recordSize;   /*  0 in   declared size (not read) */
    CalcDate infoDate;/*  4 in   the date for which the value is wanted */
    int infoKind;     /* 16 in   ORLA_INFO_SS_WAGE_BASE is the only kind */
    double infoValue; /* 20 out  the value; 0.0 when none */
} TableInfoRecord;

/* Argument of ORLA_Get_Prompt: walks a state's locality list by index. */
typedef struct PromptRecord {
    int recordSize;   /*  0 in   declared size (not read) */
    int reserved4;    /*  4 */
    int stateCode;    /*  8 in   jurisdiction code */
    int listSelector; /* 12 in   which list (Kentucky, Ohio, Pennsylvania) */
    int reserved16;   /* 16 */
    int index;        /* 20 in   position in the list, from 0 */
    int count;        /* 24 out  number of entries in the list */
    int listCode;     /* 28 out  published code of the entry */
    int calcCode;     /* 32 out  value for LocalRecord.localityCode */
} PromptRecord;

/* Argument of ORLA_AEIC_Calc (advance earned income credit). */
typedef struct AeicRecord {
    int recordSize;        /*  0 in   declared size (not read) */
    int status;            /*  4 out  1 when no row covers the pay date */
    CalcDate payDate;      /*  8 in */
    int spouseCertificate; /* 20 in */
    int eicFilingCode;     /* 24 in */
    int payPeriods;        /* 28 in */
    double wages;          /* 32 in */
    double ytdWages;       /* 40 in */
    double advanceEic;     /* 48 in/out */
} AeicRecord;

#pragma pack(pop)

/* Federal filing status (PayRecord.fedFilingStatus). 16-18 select the Step 2 rows directly. */
enum {
    ORLA_FED_SINGLE = 0,             /* single or married filing separately */
    ORLA_FED_MARRIED = 1,            /* married filing jointly */
    ORLA_FED_HEAD_OF_HOUSEHOLD = 2,
    ORLA_FED_MARRIED_SINGLE_RATE = 3 /* married, withholding at the single rate */
};

/* StateRecord.status */
enum {
    ORLA_STATE_OK = 0,
    ORLA_STATE_NO_ROW = 1,          /* no table row covers the pay date, or the calculation could not complete */
    ORLA_STATE_UNSUPPORTED = 3,     /* jurisdiction not supported, or payPeriods < 1 */
    ORLA_STATE_RECORD_TOO_SMALL = 4 /* recordSize too small for the fields the state needs */
};

/* PayRecord.fedStatus */
enum {
    ORLA_FED_STATUS_OK = 0,
    ORLA_FED_STATUS_NO_ROW = 1,
    ORLA_FED_STATUS_NOT_CONVERGED = 100
};

/* Flags returned by ORLA_Calc (and the local exports). */
enum {
    ORLA_FLAG_FEDERAL = 1, /* federal part failed, or payPeriods < 1, or a bad record */
    ORLA_FLAG_STATE = 8,   /* state part failed or jurisdiction not supported */
    ORLA_FLAG_LOCAL = 16   /* local part failed (local exports) */
};

/* Modes of ORLA_Calc. Any mode not listed is one full calculation (federal and state). */
enum {
    ORLA_MODE_FEDERAL = 0,          /* federal only, employee's shares */
    ORLA_MODE_FULL = 1,             /* federal and state */
    ORLA_MODE_FEDERAL_EMPLOYER = 2, /* federal only, employer's social security, no additional Medicare */
    ORLA_MODE_GROSS_UP_WAGES = 11,  /* fedWages holds the desired net pay */
    ORLA_MODE_GROSS_UP_BONUS = 12   /* suppWages holds the desired net bonus */
};

/* ORLA_Get_Table_Info kinds */
enum { ORLA_INFO_SS_WAGE_BASE = 1 };

/* Jurisdiction codes (StateRecord.stateCode): the postal list with the territories, alphabetical by name. */
enum {
    ORLA_AL = 1, ORLA_AK = 2, ORLA_AS = 3, ORLA_AZ = 4, ORLA_AR = 5, ORLA_CA = 6, ORLA_CO = 7, ORLA_CT = 8,
    ORLA_DE = 9, ORLA_DC = 10, ORLA_FM = 11, ORLA_FL = 12, ORLA_GA = 13, ORLA_GU = 14, ORLA_HI = 15,
    ORLA_ID = 16, ORLA_IL = 17, ORLA_IN = 18, ORLA_IA = 19, ORLA_KS = 20, ORLA_KY = 21, ORLA_LA = 22,
    ORLA_ME = 23, ORLA_MH = 24, ORLA_MD = 25, ORLA_MA = 26, ORLA_MI = 27, ORLA_MN = 28, ORLA_MS = 29,
    ORLA_MO = 30, ORLA_MT = 31, ORLA_NE = 32, ORLA_NV = 33, ORLA_NH = 34, ORLA_NJ = 35, ORLA_NM = 36,
    ORLA_NY = 37, ORLA_NC = 38, ORLA_ND = 39, ORLA_MP = 40, ORLA_OH = 41, ORLA_OK = 42, ORLA_OR = 43,
    ORLA_PW = 44, ORLA_PA = 45, ORLA_PR = 46, ORLA_RI = 47, ORLA_SC = 48, ORLA_SD = 49, ORLA_TN = 50,
    ORLA_TX = 51, ORLA_UT = 52, ORLA_VT = 53, ORLA_VI = 54, ORLA_VA = 55, ORLA_WA = 56, ORLA_WV = 57,
    ORLA_WI = 58, ORLA_WY = 59
};

/* Computes federal income tax, social security, Medicare and supplemental tax and, in the full modes,
 * the state tax of state->stateCode; modes 11 and 12 search the gross wages or bonus for a desired net.
 * Returns 0 when everything was computed, else ORLA_FLAG_FEDERAL and/or ORLA_FLAG_STATE; a null record
 * yields both flags and nothing written. */
ORLA_API unsigned int ORLA_CALL ORLA_Calc(int mode, PayRecord* pay, StateRecord* state);

/* Local taxes: ORLA_Calc (mode 1) for the federal and state part, then the local calculator of
 * state->stateCode (localityCode from the ORLA_Get_Prompt lists), then the caller-rate override (the
 * override* fields, recordSize >= 180), and localTax rounded to cents. Modes 11 and 12 search the gross
 * wages (fedWages holds the desired net; fedWages, ficaWages, stateWages and localWages receive the
 * result) or the gross bonus (suppWages holds the desired net bonus; suppWages, stateSuppWages and
 * localSuppWages receive it) with the local taxes in the net; fedStatus 100 when a search did not
 * converge in 50 trials. Every local output the record holds starts at 0 (localStatus included).
 * Returns 0; the flags of ORLA_Calc when it failed (no local tax is then computed); 16 when the local
 * calculator found no row (localStatus 1). ORLA_Calc_County is ORLA_Calc_Local without the local
 * calculators of Delaware and Pennsylvania (the override still runs). */
ORLA_API int ORLA_CALL ORLA_Calc_Local(int mode, PayRecord* pay, StateRecord* state, LocalRecord* local);
/* ORLA_Calc_Local without the local calculators of Delaware and Pennsylvania (the override still runs). */
ORLA_API int ORLA_CALL ORLA_Calc_County(int mode, PayRecord* pay, StateRecord* state, LocalRecord* local);

/* Reads nothing, changes nothing; returns 0. */
ORLA_API int ORLA_CALL ORLA_Calc_City(void);

/* Advance earned income credit: no rates exist for any supported year; returns 1 with status 1. */
ORLA_API int ORLA_CALL ORLA_AEIC_Calc(AeicRecord* record);

/* Version of the calling interface: 3.5. */
ORLA_API double ORLA_CALL ORLA_Version(void);

/* Latest tax year of the tables: 2026.0. */
ORLA_API double ORLA_CALL ORLA_Table_Version(void);

/* Writes the build date and time, "Mmm dd yyyy hh:mm:ss", 20 characters and a NUL, into text
 * (at least 21 bytes). Returns 0 (1 and nothing written for a null buffer). */
ORLA_API int ORLA_CALL ORLA_Get_Build_Info(char* text);

/* Writes a table value for info->infoDate. Returns 0 found, 1 unknown infoKind, 2 no row for the date
 * (3 for a null record). */
ORLA_API int ORLA_CALL ORLA_Get_Table_Info(TableInfoRecord* info);

/* Walks the locality list of prompt->stateCode: writes the entry at prompt->index and its name into
 * name (at least 51 bytes). Returns the length of the name written, or 0 when the state has no list. */
ORLA_API int ORLA_CALL ORLA_Get_Prompt(PromptRecord* prompt, char* name);

#ifdef __cplusplus
} /* extern "C" */
#endif

/* The layout is part of the interface: every offset and size is pinned. */
#if defined(__cplusplus)
#  define ORLA_STATIC_ASSERT(c, m) static_assert(c, m)
#else /* C99 has no _Static_assert: a negative array size stops the compile instead */
#  define ORLA_CAT2(a, b) a##b
#  define ORLA_CAT(a, b) ORLA_CAT2(a, b)
#  define ORLA_STATIC_ASSERT(c, m) typedef char ORLA_CAT(orla_layout_check_, __COUNTER__)[(c) ? 1 : -1]
#endif
#define ORLA_PIN(T, f, off) ORLA_STATIC_ASSERT(offsetof(T, f) == (off), #T "." #f " offset")

ORLA_STATIC_ASSERT(sizeof(CalcDate) == 12, "CalcDate size");
ORLA_PIN(CalcDate, month, 0); ORLA_PIN(CalcDate, day, 4); ORLA_PIN(CalcDate, year, 8);

ORLA_STATIC_ASSERT(sizeof(PayRecord) == 200, "PayRecord size");
ORLA_PIN(PayRecord, recordSize, 0); ORLA_PIN(PayRecord, stateTaxableIncome, 4);
ORLA_PIN(PayRecord, fedStatus, 8); ORLA_PIN(PayRecord, fedAllowances, 12);
ORLA_PIN(PayRecord, payDate, 16); ORLA_PIN(PayRecord, fedFilingStatus, 28);
ORLA_PIN(PayRecord, payPeriods, 32); ORLA_PIN(PayRecord, fedWages, 36);
ORLA_PIN(PayRecord, fedExtraWithholding, 44); ORLA_PIN(PayRecord, fedTableDate, 52);
ORLA_PIN(PayRecord, fedTax, 64); ORLA_PIN(PayRecord, reserved72, 72);
ORLA_PIN(PayRecord, ssExempt, 76); ORLA_PIN(PayRecord, ficaWages, 80);
ORLA_PIN(PayRecord, ssYtdWages, 88); ORLA_PIN(PayRecord, ssTax, 96);
ORLA_PIN(PayRecord, reserved104, 104); ORLA_PIN(PayRecord, medicareExempt, 108);
ORLA_PIN(PayRecord, medicareYtdWages, 112); ORLA_PIN(PayRecord, medicareTax, 120);
ORLA_PIN(PayRecord, suppWages, 128); ORLA_PIN(PayRecord, suppYtdWages, 136);
ORLA_PIN(PayRecord, suppAggregate, 144); ORLA_PIN(PayRecord, reserved148, 148);
ORLA_PIN(PayRecord, fedSuppTax, 152); ORLA_PIN(PayRecord, fedExempt, 160);
ORLA_PIN(PayRecord, w4Form2020, 164); ORLA_PIN(PayRecord, w4MultipleJobs, 168);
ORLA_PIN(PayRecord, w4Credits, 172); ORLA_PIN(PayRecord, w4OtherIncome, 180);
ORLA_PIN(PayRecord, w4Deductions, 188); ORLA_PIN(PayRecord, nonresidentAlien, 196);

ORLA_STATIC_ASSERT(sizeof(StateRecord) == 244, "StateRecord size");
ORLA_PIN(StateRecord, recordSize, 0); ORLA_PIN(StateRecord, status, 4);
ORLA_PIN(StateRecord, stateCode, 8); ORLA_PIN(StateRecord, stateAllowances, 12);
ORLA_PIN(StateRecord, stateFilingStatus, 16); ORLA_PIN(StateRecord, statePayPeriods, 20);
ORLA_PIN(StateRecord, stateWages, 24); ORLA_PIN(StateRecord, stateExtraWithholding, 32);
ORLA_PIN(StateRecord, stateTableDate, 40); ORLA_PIN(StateRecord, stateTax, 52);
ORLA_PIN(StateRecord, statePercent, 60); ORLA_PIN(StateRecord, stateEstimatedAllowances, 68);
ORLA_PIN(StateRecord, stateWithholdingCode, 80); ORLA_PIN(StateRecord, stateReducedWithholding, 84);
ORLA_PIN(StateRecord, stateDependentAllowances, 92); ORLA_PIN(StateRecord, stateDependencyCredits, 96);
ORLA_PIN(StateRecord, stateHeadOfHousehold, 100); ORLA_PIN(StateRecord, stateBlind, 104);
ORLA_PIN(StateRecord, stateSpouseBlind, 108); ORLA_PIN(StateRecord, stateExempt, 112);
ORLA_PIN(StateRecord, stateRateTable, 116); ORLA_PIN(StateRecord, stateDependents, 120);
ORLA_PIN(StateRecord, stateExemptionAmount, 124); ORLA_PIN(StateRecord, stateOption, 132);
ORLA_PIN(StateRecord, stateAdditionalAllowances, 136); ORLA_PIN(StateRecord, stateDependentExemptions, 140);
ORLA_PIN(StateRecord, stateSuppWages, 144); ORLA_PIN(StateRecord, stateSuppAggregate, 160);
ORLA_PIN(StateRecord, stateSuppKind, 164); ORLA_PIN(StateRecord, stateSuppTax, 168);
ORLA_PIN(StateRecord, stateExemptions, 176); ORLA_PIN(StateRecord, stateFixedTax, 204);
ORLA_PIN(StateRecord, stateCertField1, 212); ORLA_PIN(StateRecord, stateCertField2, 216);
ORLA_PIN(StateRecord, stateCertField3, 220); ORLA_PIN(StateRecord, stateCertAmount1, 228);
ORLA_PIN(StateRecord, stateCertAmount2, 236);

ORLA_STATIC_ASSERT(sizeof(LocalRecord) == 180, "LocalRecord size");
ORLA_PIN(LocalRecord, recordSize, 0); ORLA_PIN(LocalRecord, localStatus, 4);
ORLA_PIN(LocalRecord, localityCode, 8); ORLA_PIN(LocalRecord, localExemptions, 12);
ORLA_PIN(LocalRecord, localOption, 16); ORLA_PIN(LocalRecord, localPayPeriods, 20);
ORLA_PIN(LocalRecord, localWages, 24); ORLA_PIN(LocalRecord, localExtraWithholding, 32);
ORLA_PIN(LocalRecord, localTax, 52); ORLA_PIN(LocalRecord, localResident, 60);
ORLA_PIN(LocalRecord, overrideRate, 64); ORLA_PIN(LocalRecord, overrideAnnualLimit, 72);
ORLA_PIN(LocalRecord, overrideYtd, 80); ORLA_PIN(LocalRecord, overrideExemptions, 88);
ORLA_PIN(LocalRecord, overrideExemptionAmount, 92); ORLA_PIN(LocalRecord, overrideDeduction, 100);
ORLA_PIN(LocalRecord, overrideFlatAnnual, 108); ORLA_PIN(LocalRecord, workLocalityCode, 116);
ORLA_PIN(LocalRecord, workLocalityTax, 120); ORLA_PIN(LocalRecord, localTaxType, 128);
ORLA_PIN(LocalRecord, localSuppWages, 132); ORLA_PIN(LocalRecord, localSuppAggregate, 148);
ORLA_PIN(LocalRecord, localSuppTax, 156); ORLA_PIN(LocalRecord, workLocalitySuppTax, 164);

ORLA_STATIC_ASSERT(sizeof(TableInfoRecord) == 28, "TableInfoRecord size");
ORLA_PIN(TableInfoRecord, recordSize, 0); ORLA_PIN(TableInfoRecord, infoDate, 4);
ORLA_PIN(TableInfoRecord, infoKind, 16); ORLA_PIN(TableInfoRecord, infoValue, 20);

ORLA_STATIC_ASSERT(sizeof(PromptRecord) == 36, "PromptRecord size");
ORLA_PIN(PromptRecord, stateCode, 8); ORLA_PIN(PromptRecord, listSelector, 12);
ORLA_PIN(PromptRecord, index, 20); ORLA_PIN(PromptRecord, count, 24);
ORLA_PIN(PromptRecord, listCode, 28); ORLA_PIN(PromptRecord, calcCode, 32);

ORLA_STATIC_ASSERT(sizeof(AeicRecord) == 56, "AeicRecord size");
ORLA_PIN(AeicRecord, status, 4); ORLA_PIN(AeicRecord, payDate, 8);
ORLA_PIN(AeicRecord, spouseCertificate, 20); ORLA_PIN(AeicRecord, eicFilingCode, 24);
ORLA_PIN(AeicRecord, payPeriods, 28); ORLA_PIN(AeicRecord, wages, 32);
ORLA_PIN(AeicRecord, ytdWages, 40); ORLA_PIN(AeicRecord, advanceEic, 48);

/* ---- Canadian withholding ----------------------------------------------------------------------------
 * Four exports of their own, independent of ORLA_Calc, with their own records. Amounts are Canadian
 * dollars. Every field is read or written only when recordSize holds the whole field; a field the record
 * does not hold counts as 0 and is never written. At entry every output field the record holds is set to
 * 0 (status included), so a failure never leaves a caller's old value behind.
 *
 * Province codes (provinceCode): 0 the federal level (claim codes only), then the ORLA_CA_* codes below.
 * Code 2 carries the claim codes of code 1 and the provincial rates of code 3. */
enum {
    ORLA_CA_FEDERAL = 0, ORLA_CA_NL = 1, ORLA_CA_CODE2 = 2, ORLA_CA_NS = 3, ORLA_CA_PE = 4, ORLA_CA_NB = 5,
    ORLA_CA_QC = 6, ORLA_CA_ON = 7, ORLA_CA_MB = 8, ORLA_CA_SK = 9, ORLA_CA_AB = 10, ORLA_CA_BC = 11,
    ORLA_CA_YT = 12, ORLA_CA_NT = 13, ORLA_CA_NU = 14
};

#pragma pack(push, 4)

/* One Canadian pay: pension contribution, insurance premium and federal income tax (ORLA_Canada_Calc).
 * The library uses 208 bytes; the bonus fields (from offset 160) exist only in records that long. */
typedef struct CanadaRecord {
    int recordSize;          /*   0 in   declared size of the caller's record */
    CalcDate payDate;        /*   4 in   pay date */
    int status;              /*  16 out  0 computed; 1 a table had no row for the pay date, payPeriods < 1,
                                         a non-finite amount or a negative year-to-date amount */
    int payPeriods;          /*  20 in   pay periods in the year, at least 1 */
    double fedClaimAmount;   /*  24 in   total federal claim amount of the TD1 form */
    double fedAnnualCredit;  /*  32 in   annual amount subtracted from the annual federal tax */
    double fedExtraPerPay;   /*  40 in   additional federal tax per pay */
    double reserved48;       /*  48      read by nothing */
    int reserved56;          /*  56 in   has no effect */
    double provPassThrough;  /*  60 in   handed unchanged to the provincial calculation */
    double fedOtherCredits;  /*  68 in   other annual federal non-refundable credits */
    double taxableIncome;    /*  76 in   income of this pay subject to income tax, after the caller's deductions */
    double cppEarnings;      /*  84 in   pensionable earnings of this pay */
    double cppYtd;           /*  92 in   pension contributions already made this year (both tiers) */
    int reserved100;         /* 100      read by nothing */
    double eiEarnings;       /* 104 in   insurable earnings of this pay */
    double eiYtd;            /* 112 in   insurance premiums already paid this year */
    double fedAnnualTax;     /* 120 out  annual federal tax of the regular pay */
    double incomeTaxPerPay;  /* 128 out  federal plus provincial income tax of this pay, in cents */
    double cppContribution;  /* 136 out  pension contribution of this pay, in cents */
    double eiPremium;        /* 144 out  insurance premium of this pay, in cents */
    double reserved152;      /* 152      read by nothing */
    double fedTaxPerPay;     /* 160 out  federal income tax of this pay, in cents */
    double bonus;            /* 168 in   bonus paid with this pay */
    double priorBonuses;     /* 176 in   bonuses already paid this year */
    double bonusFedTax;      /* 184 out  federal tax on bonus, in cents */
    double bonusCpp;         /* 192 out  pension contribution on bonus */
    double bonusEi;          /* 200 out  insurance premium on bonus */
} CanadaRecord;

/* The provincial or territorial tax of one pay (ORLA_Canada_Provincial_Calc, third argument of
 * ORLA_Canada_Calc). The library uses 140 bytes; the bonus fields (from offset 116) exist only in records
 * that long. */
typedef struct ProvinceRecord {
    int recordSize;            /*   0 in   declared size of the caller's record */
    CalcDate payDate;          /*   4 in   pay date */
    int status;                /*  16 out  0 computed; 1 a table had no row (Quebec, code 6, has none here),
                                           payPeriods < 1 or a non-finite amount */
    int provinceCode;          /*  20 in   ORLA_CA_NL .. ORLA_CA_NU */
    int payPeriods;            /*  24 in   pay periods in the year, at least 1 */
    double provClaimAmount;    /*  28 in   total claim amount of the provincial TD1 form */
    double provExtraPerPay;    /*  36 in   additional provincial tax per pay */
    int reserved44;            /*  44      read by nothing */
    int reductionCountA;       /*  48 in   Ontario tax reduction: first count of eligible persons */
    int reductionCountB;       /*  52 in   Ontario tax reduction: second count */
    int reserved56;            /*  56      read by nothing */
    double reserved60;         /*  60      read by nothing */
    double bcReductionIncome;  /*  68 in   British Columbia: added to the annual income for the second reduction */
    double labourFundAmount;   /*  76 in   amount to which the labour-fund credit rate applies */
    double provOtherCredits;   /*  84 in   other annual provincial credits */
    double provTaxableIncome;  /*  92 in   income of this pay subject to provincial tax */
    double provAnnualTax;      /* 100 out  annual provincial tax of the regular pay, in cents */
    double reserved108;        /* 108      read by nothing */
    double provBonus;          /* 116 in   bonus paid with this pay */
    double provPriorBonuses;   /* 124 in   bonuses already paid this year */
    double provBonusTax;       /* 132 out  provincial tax on the bonus, in cents */
} ProvinceRecord;

/* A TD1 claim code's income range and claim amount (ORLA_Canada_Get_CC). 60 bytes. */
typedef struct ClaimCodeRecord {
    int recordSize;      /*  0 in   declared size of the caller's record */
    CalcDate infoDate;   /*  4 in   date the claim codes are wanted for */
    int status;          /* 16 out  0 served; 1 no row serves the request */
    int provinceCode;    /* 20 in   0 federal, or a province code */
    int claimCode;       /* 24 in   claim code 0 to 10 */
    double rangeLow;     /* 28 out  lowest total claim amount of the code */
    double rangeHigh;    /* 36 out  highest total claim amount of the code */
    double claimAmount;  /* 44 out  the amount the code stands for */
    double netIncome;    /* 52 in   expected net income, for the levels whose basic amount falls with income
                                    (federal, Nova Scotia, Yukon; Manitoba from 2025) */
} ClaimCodeRecord;

/* Quebec income tax of one pay (ORLA_Canada_Quebec_Calc). 156 bytes. No Quebec rates are carried for
 * the pay years 2024 to 2026. */
typedef struct QuebecRecord {
    int recordSize;            /*   0 in   declared size of the caller's record */
    CalcDate payDate;          /*   4 in   pay date */
    int status;                /*  16 out  0 computed; 1 no row for the pay date */
    double qcDeductions[2];    /*  20 in   their sum is deducted from the pay */
    double qcAnnualDeduction;  /*  36 in   annual deduction */
    double qcOtherCredits;     /*  44 in   other annual credits */
    double qcClaimParts[2];    /*  52 in   their sum is the claim amount */
    double qcCreditBase;       /*  68 in   a credit base */
    int qcCreditCount;         /*  76 in   its count */
    double qcGross;            /*  80 in   pay of the period */
    double reserved88[3];      /*  88      read by nothing */
    double qcExtraPerPay;      /* 112 in   additional Quebec tax per pay */
    int qcPayPeriods;          /* 120 in   pay periods in the year */
    int qcDeductionPeriods;    /* 124 in   periods of the deductions */
    double qcTaxPerPay;        /* 128 out  Quebec income tax of this pay, in cents */
    double reserved136;        /* 136      read by nothing */
    double qcCreditBase2;      /* 144 in   a second credit base */
    int qcCreditCount2;        /* 152 in   its count */
} QuebecRecord;

#pragma pack(pop)

#ifdef __cplusplus
extern "C" {
#endif

/* Pension contribution, insurance premium and federal income tax of one pay by the annualising formula
 * method, plus the provincial tax of prov (ORLA_Canada_Provincial_Calc, run on the same pay), and, in a
 * record of 208 bytes, the federal tax, contribution and premium that fall on the bonus. The mode is not
 * used. Returns 0, or 1 with status 1 when a federal, pension or insurance table has no row for the pay
 * date, payPeriods < 1, an amount is not finite or a year-to-date amount is negative (nothing is computed
 * then). A failure of the provincial calculation is reported in prov->status. Null records: 1, nothing
 * written. */
ORLA_API int ORLA_CALL ORLA_Canada_Calc(int mode, CanadaRecord* pay, ProvinceRecord* prov);

/* The income range and claim amount of claim code cc->claimCode for cc->provinceCode on cc->infoDate;
 * for the levels whose basic amount falls with income they are worked out from cc->netIncome. The mode is
 * not used. Returns 0, or 1 with status 1 (outputs 0) when no row serves the request. */
ORLA_API int ORLA_CALL ORLA_Canada_Get_CC(int mode, ClaimCodeRecord* cc);

/* Annual provincial or territorial tax of one pay (provAnnualTax) and, in a record of 140 bytes, the tax
 * on the bonus (provBonusTax). block holds three doubles: a value that is not read, the pension
 * contribution and the insurance premium of the pay. The mode is not used. Returns 0, or 1 with status 1
 * when a table has no row, payPeriods < 1 or an amount is not finite. */
ORLA_API int ORLA_CALL ORLA_Canada_Provincial_Calc(int mode, ProvinceRecord* prov, const double block[3]);

/* Quebec income tax per pay. The library carries no Quebec rows for 2024 to 2026: returns 1 with status 1
 * and qcTaxPerPay = qcExtraPerPay rounded to cents. */
ORLA_API int ORLA_CALL ORLA_Canada_Quebec_Calc(int mode, QuebecRecord* qc);

#ifdef __cplusplus
} /* extern "C" */
#endif

ORLA_STATIC_ASSERT(sizeof(CanadaRecord) == 208, "CanadaRecord size");
ORLA_PIN(CanadaRecord, payDate, 4); ORLA_PIN(CanadaRecord, status, 16); ORLA_PIN(CanadaRecord, payPeriods, 20);
ORLA_PIN(CanadaRecord, fedClaimAmount, 24); ORLA_PIN(CanadaRecord, fedAnnualCredit, 32);
ORLA_PIN(CanadaRecord, fedExtraPerPay, 40); ORLA_PIN(CanadaRecord, reserved56, 56);
ORLA_PIN(CanadaRecord, provPassThrough, 60); ORLA_PIN(CanadaRecord, fedOtherCredits, 68);
ORLA_PIN(CanadaRecord, taxableIncome, 76); ORLA_PIN(CanadaRecord, cppEarnings, 84); ORLA_PIN(CanadaRecord, cppYtd, 92);
ORLA_PIN(CanadaRecord, eiEarnings, 104); ORLA_PIN(CanadaRecord, eiYtd, 112); ORLA_PIN(CanadaRecord, fedAnnualTax, 120);
ORLA_PIN(CanadaRecord, incomeTaxPerPay, 128); ORLA_PIN(CanadaRecord, cppContribution, 136);
ORLA_PIN(CanadaRecord, eiPremium, 144); ORLA_PIN(CanadaRecord, fedTaxPerPay, 160); ORLA_PIN(CanadaRecord, bonus, 168);
ORLA_PIN(CanadaRecord, priorBonuses, 176); ORLA_PIN(CanadaRecord, bonusFedTax, 184); ORLA_PIN(CanadaRecord, bonusCpp, 192);
ORLA_PIN(CanadaRecord, bonusEi, 200);

ORLA_STATIC_ASSERT(sizeof(ProvinceRecord) == 140, "ProvinceRecord size");
ORLA_PIN(ProvinceRecord, payDate, 4); ORLA_PIN(ProvinceRecord, status, 16); ORLA_PIN(ProvinceRecord, provinceCode, 20);
ORLA_PIN(ProvinceRecord, payPeriods, 24); ORLA_PIN(ProvinceRecord, provClaimAmount, 28);
ORLA_PIN(ProvinceRecord, provExtraPerPay, 36); ORLA_PIN(ProvinceRecord, reductionCountA, 48);
ORLA_PIN(ProvinceRecord, reductionCountB, 52); ORLA_PIN(ProvinceRecord, bcReductionIncome, 68);
ORLA_PIN(ProvinceRecord, labourFundAmount, 76); ORLA_PIN(ProvinceRecord, provOtherCredits, 84);
ORLA_PIN(ProvinceRecord, provTaxableIncome, 92); ORLA_PIN(ProvinceRecord, provAnnualTax, 100);
ORLA_PIN(ProvinceRecord, provBonus, 116); ORLA_PIN(ProvinceRecord, provPriorBonuses, 124);
ORLA_PIN(ProvinceRecord, provBonusTax, 132);

ORLA_STATIC_ASSERT(sizeof(ClaimCodeRecord) == 60, "ClaimCodeRecord size");
ORLA_PIN(ClaimCodeRecord, infoDate, 4); ORLA_PIN(ClaimCodeRecord, status, 16); ORLA_PIN(ClaimCodeRecord, provinceCode, 20);
ORLA_PIN(ClaimCodeRecord, claimCode, 24); ORLA_PIN(ClaimCodeRecord, rangeLow, 28); ORLA_PIN(ClaimCodeRecord, rangeHigh, 36);
ORLA_PIN(ClaimCodeRecord, claimAmount, 44); ORLA_PIN(ClaimCodeRecord, netIncome, 52);

ORLA_STATIC_ASSERT(sizeof(QuebecRecord) == 156, "QuebecRecord size");
ORLA_PIN(QuebecRecord, payDate, 4); ORLA_PIN(QuebecRecord, status, 16); ORLA_PIN(QuebecRecord, qcDeductions, 20);
ORLA_PIN(QuebecRecord, qcAnnualDeduction, 36); ORLA_PIN(QuebecRecord, qcOtherCredits, 44);
ORLA_PIN(QuebecRecord, qcClaimParts, 52); ORLA_PIN(QuebecRecord, qcCreditBase, 68); ORLA_PIN(QuebecRecord, qcCreditCount, 76);
ORLA_PIN(QuebecRecord, qcGross, 80); ORLA_PIN(QuebecRecord, qcExtraPerPay, 112); ORLA_PIN(QuebecRecord, qcPayPeriods, 120);
ORLA_PIN(QuebecRecord, qcDeductionPeriods, 124); ORLA_PIN(QuebecRecord, qcTaxPerPay, 128);
ORLA_PIN(QuebecRecord, qcCreditBase2, 144); ORLA_PIN(QuebecRecord, qcCreditCount2, 152);

/* ==== Employer-side and other payroll levies ==========================================================
 * One export per levy, each with its own record, independent of ORLA_Calc. Every field of these records is
 * read or written only when the declared recordSize holds all of it (recordSize >= offset + size); a field
 * the record does not hold counts as 0 and is never written. At entry every output field the record holds
 * is set to 0. A null record returns 1 with nothing written; otherwise the exports return 0 and report
 * through status (FAMLEAVE_Calc, whose record has no status, returns 1 when it could not compute).
 * Non-finite amounts in the inputs a levy reads, or an amount that overflows, give status 1 and leave the
 * outputs 0. Amounts "in cents" are rounded to cents; the others are returned unrounded. */
#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 4)

/* Argument of FUTA_Calc (federal unemployment tax). 56 bytes. */
typedef struct FutaRecord {
    int recordSize;   /*  0 in   declared size */
    int status;       /*  4 out  0 computed; 1 no table row covers the pay date, or bad input */
    CalcDate payDate; /*  8 in   pay date */
    int reserved20;   /* 20 */
    double wages;     /* 24 in   wages of this pay */
    double ytdWages;  /* 32 in   wages paid earlier in the year */
    double rate;      /* 40 in   the employer's federal unemployment rate, as a fraction */
    double tax;       /* 48 out  levy of this pay, in cents */
} FutaRecord;

/* Argument of SUI_Calc (state unemployment insurance). 96 bytes; the employee fields exist when
 * recordSize > 80 (employeeTax is written only when recordSize >= 84). */
typedef struct SuiRecord {
    int recordSize;      /*  0 in   declared size */
    int status;          /*  4 out  0 computed; 1 no table row covers the jurisdiction and date, or bad input */
    CalcDate payDate;    /*  8 in   pay date */
    int stateCode;       /* 20 in   jurisdiction code (ORLA_AL ... ORLA_WY) */
    double wages;        /* 24 in   wages of this pay */
    double ytdWages;     /* 32 in   wages paid earlier in the year */
    double rate;         /* 40 in   the employer's assigned contribution rate, as a fraction */
    double tax;          /* 48 out  employer contribution of this pay, in cents */
    int reserved56[3];   /* 56 */
    double employeeRate; /* 68 in   (gate 80) employee rate as a fraction; 0 takes the table's */
    double employeeTax;  /* 76 out  (gate 80) employee contribution of this pay, in cents */
    int reserved84;      /* 84 */
    double wageBase;     /* 88 out  the annual wage base applied (recordSize >= 96) */
} SuiRecord;

/* Argument of ETT_Calc (California employment training tax). 48 bytes. */
typedef struct EttRecord {
    int recordSize;   /*  0 in   declared size */
    int status;       /*  4 out  0 computed; 1 no table row covers the pay date, or bad input */
    CalcDate payDate; /*  8 in   pay date */
    int reserved20;   /* 20 */
    double wages;     /* 24 in   wages of this pay */
    double ytdWages;  /* 32 in   wages paid earlier in the year */
    double tax;       /* 40 out  levy of this pay, in cents */
} EttRecord;

/* Argument of SDI_Calc (state disability insurance: CA, HI, NJ, NY, PR, RI). 76 bytes. */
typedef struct SdiRecord {
    int recordSize;      /*  0 in   declared size */
    int status;          /*  4 out  0 computed; 1 no employee row, or (recordSize >= 72) no employer-side
                                    row (only New Jersey has one), or bad input */
    CalcDate payDate;    /*  8 in   pay date */
    int stateCode;       /* 20 in   jurisdiction code */
    double wages;        /* 24 in   wages of this pay */
    double ytdWages;     /* 32 in   wages paid earlier in the year */
    double sdiTax;       /* 40 out  employee levy of this pay, in cents */
    double rateOverride; /* 48 in   (recordSize >= 72) a rate above 0 replaces the table's */
    double employerRate; /* 56 in   (recordSize >= 72) rate of the employer-side levy */
    double employerTax;  /* 64 out  (recordSize >= 72) employer-side levy, in cents */
    int payPeriods;      /* 72 in   (gate 72, recordSize >= 76) pay periods a year, for the New York cap */
} SdiRecord;

/* Argument of FAMLEAVE_Calc (paid family and medical leave: CO, CT, DE, DC, ME, MA, MN, NJ, NY, OR, WA).
 * 88 bytes. The fields at 40 to 80 change their role by jurisdiction (names follow the commonest):
 *   Oregon:        shareInput out = 1 % of taxable x extraInput (employer rate in percent);
 *                  employeeAmount = 1 % of taxable x employerAmount (employee rate in percent, in).
 *   Colorado, Minnesota, Washington: shareInput = the employer's share (fraction); employerAmount out.
 *   Delaware, Maine: shareInput = the employee's share in percent; employerAmount in = number of
 *                  employees, out = the employer's part; extraInput 1.0 = exempt.
 *   Massachusetts: employerAmount in = number of employees, out = the employer's family part; shareInput =
 *                  the employer's share of the family part; extraInput = the employer's share of the medical
 *                  part (at least 0.6; a smaller share is raised to 0.6); medicalByShare and
 *                  medicalRemainder out. Needs recordSize >= 88 (less: nothing computed, result 1).
 *   District of Columbia: employerAmount out.  Connecticut, New Jersey, New York: employeeAmount only.
 * Amounts are unrounded except New Jersey, Massachusetts and the District of Columbia (cents). */
typedef struct FamilyLeaveRecord {
    int recordSize;          /*  0 in   declared size */
    int reserved4;           /*  4 */
    CalcDate payDate;        /*  8 in   pay date */
    int stateCode;           /* 20 in   jurisdiction code */
    double wages;            /* 24 in   wages of this pay */
    double ytdWages;         /* 32 in   wages paid earlier in the year */
    double employeeAmount;   /* 40 out  employee contribution */
    double shareInput;       /* 48 in   a share (fraction or percent); Oregon: out, the employer's amount */
    double employerAmount;   /* 56 in/out employer contribution; in for some jurisdictions (see above) */
    double extraInput;       /* 64 in   an employer rate or an exemption flag */
    double medicalRemainder; /* 72 out  Massachusetts: the medical part not covered by the share, in cents */
    double medicalByShare;   /* 80 out  Massachusetts: the medical part times the share, in cents */
} FamilyLeaveRecord;

/* Argument of TT_Calc (transit taxes). 72 bytes. */
typedef struct TransitRecord {
    int recordSize;            /*  0 in   declared size */
    int status;                /*  4 out  0; 1 bad input */
    CalcDate payDate;          /*  8 in   pay date */
    int reserved20;            /* 20 */
    double wages;              /* 24 in   wages of this pay */
    int reserved32[2];         /* 32 */
    double rate;               /* 40 in   transit tax rate as a fraction */
    int reserved48[2];         /* 48 */
    double transitTax;         /* 56 out  rate x wages, in cents */
    double employeeTransitTax; /* 64 out  employee transit tax at the fixed rate of the year (0.002 from 2026,
                                          0.001 from June 2018 to 2025, none before), in cents */
} TransitRecord;

/* Argument of WORKCOMP_Calc (workers' compensation assessment per hour). 104 bytes. */
typedef struct WorkCompRecord {
    int recordSize;        /*   0 in   declared size */
    int status;            /*   4 out  0; 1 bad input */
    CalcDate payDate;      /*   8 in   pay date (only the year is read) */
    int stateCode;         /*  20 in   jurisdiction code; Oregon (43) has fixed rates per hour */
    int perHour;           /*  24 in   0: the caller's rates are per hour */
    int perMonth;          /*  28 in   0 (with perHour non-zero): the caller's rates are per month of 160 hours */
    int reserved32[8];     /*  32 */
    double hours;          /*  64 in   hours worked in this pay */
    double employeeRate;   /*  72 in   caller's employee rate (not Oregon) */
    double employerRate;   /*  80 in   caller's employer rate (not Oregon) */
    double employeeAmount; /*  88 out  employee assessment (Oregon in cents, else unrounded) */
    double employerAmount; /*  96 out  employer assessment (Oregon in cents, else unrounded) */
} WorkCompRecord;

/* Argument of StateOther_Calc (Washington long-term-care premium). 76 bytes. */
typedef struct StateOtherRecord {
    int recordSize;    /*  0 in   declared size */
    int status;        /*  4 out  0 computed; 1 a request the library does not serve, or bad input */
    int levyKind;      /*  8 in   ORLA_LEVY_LONG_TERM_CARE is the only kind */
    CalcDate payDate;  /* 12 in   pay date */
    int stateCode;     /* 24 in   jurisdiction code; only ORLA_WA is served */
    int payPeriods;    /* 28 in   pay periods a year */
    int reserved32[7]; /* 32 */
    double wages;      /* 60 in   wages of this pay */
    double premium;    /* 68 out  premium of this pay (0.58 % from July 2023 on), in cents */
} StateOtherRecord;

#pragma pack(pop)

/* StateOtherRecord.levyKind */
enum { ORLA_LEVY_LONG_TERM_CARE = 1 };

/* Federal unemployment tax: the wages up to the year's wage base (7,000) at record->rate. */
ORLA_API int ORLA_CALL FUTA_Calc(FutaRecord* record);

/* State unemployment insurance of record->stateCode: the employer's contribution at record->rate and the
 * employee's (Alaska, New Jersey) up to the state's wage base of the year; Rhode Island takes its
 * alternative wage base when the rate reaches its threshold. */
ORLA_API int ORLA_CALL SUI_Calc(SuiRecord* record);

/* California employment training tax: 0.1 % of the wages up to 7,000 a year. */
ORLA_API int ORLA_CALL ETT_Calc(EttRecord* record);

/* State disability insurance: the employee levy and (recordSize >= 72) the employer-side levy. */
ORLA_API int ORLA_CALL SDI_Calc(SdiRecord* record);

/* Paid family and medical leave contributions (see FamilyLeaveRecord). An unknown jurisdiction or year
 * computes nothing and returns 0; a null record, a non-finite amount read, or a Massachusetts record short
 * of 88 bytes returns 1. */
ORLA_API int ORLA_CALL FAMLEAVE_Calc(FamilyLeaveRecord* record);

/* Transit taxes: the caller's rate, and the employee transit tax at the year's fixed rate. */
ORLA_API int ORLA_CALL TT_Calc(TransitRecord* record);

/* Workers' compensation assessment: Oregon's fixed rates per hour, or the caller's rates. */
ORLA_API int ORLA_CALL WORKCOMP_Calc(WorkCompRecord* record);

/* Other state levies: the Washington long-term-care premium. */
ORLA_API int ORLA_CALL StateOther_Calc(StateOtherRecord* record);

#ifdef __cplusplus
} /* extern "C" */
#endif

ORLA_STATIC_ASSERT(sizeof(FutaRecord) == 56, "FutaRecord size");
ORLA_PIN(FutaRecord, recordSize, 0); ORLA_PIN(FutaRecord, status, 4); ORLA_PIN(FutaRecord, payDate, 8);
ORLA_PIN(FutaRecord, wages, 24); ORLA_PIN(FutaRecord, ytdWages, 32); ORLA_PIN(FutaRecord, rate, 40);
ORLA_PIN(FutaRecord, tax, 48);

ORLA_STATIC_ASSERT(sizeof(SuiRecord) == 96, "SuiRecord size");
ORLA_PIN(SuiRecord, recordSize, 0); ORLA_PIN(SuiRecord, status, 4); ORLA_PIN(SuiRecord, payDate, 8);
ORLA_PIN(SuiRecord, stateCode, 20); ORLA_PIN(SuiRecord, wages, 24); ORLA_PIN(SuiRecord, ytdWages, 32);
ORLA_PIN(SuiRecord, rate, 40); ORLA_PIN(SuiRecord, tax, 48); ORLA_PIN(SuiRecord, employeeRate, 68);
ORLA_PIN(SuiRecord, employeeTax, 76); ORLA_PIN(SuiRecord, wageBase, 88);

ORLA_STATIC_ASSERT(sizeof(EttRecord) == 48, "EttRecord size");
ORLA_PIN(EttRecord, recordSize, 0); ORLA_PIN(EttRecord, status, 4); ORLA_PIN(EttRecord, payDate, 8);
ORLA_PIN(EttRecord, wages, 24); ORLA_PIN(EttRecord, ytdWages, 32); ORLA_PIN(EttRecord, tax, 40);

ORLA_STATIC_ASSERT(sizeof(SdiRecord) == 76, "SdiRecord size");
ORLA_PIN(SdiRecord, recordSize, 0); ORLA_PIN(SdiRecord, status, 4); ORLA_PIN(SdiRecord, payDate, 8);
ORLA_PIN(SdiRecord, stateCode, 20); ORLA_PIN(SdiRecord, wages, 24); ORLA_PIN(SdiRecord, ytdWages, 32);
ORLA_PIN(SdiRecord, sdiTax, 40); ORLA_PIN(SdiRecord, rateOverride, 48); ORLA_PIN(SdiRecord, employerRate, 56);
ORLA_PIN(SdiRecord, employerTax, 64); ORLA_PIN(SdiRecord, payPeriods, 72);

ORLA_STATIC_ASSERT(sizeof(FamilyLeaveRecord) == 88, "FamilyLeaveRecord size");
ORLA_PIN(FamilyLeaveRecord, recordSize, 0); ORLA_PIN(FamilyLeaveRecord, payDate, 8);
ORLA_PIN(FamilyLeaveRecord, stateCode, 20); ORLA_PIN(FamilyLeaveRecord, wages, 24);
ORLA_PIN(FamilyLeaveRecord, ytdWages, 32); ORLA_PIN(FamilyLeaveRecord, employeeAmount, 40);
ORLA_PIN(FamilyLeaveRecord, shareInput, 48); ORLA_PIN(FamilyLeaveRecord, employerAmount, 56);
ORLA_PIN(FamilyLeaveRecord, extraInput, 64); ORLA_PIN(FamilyLeaveRecord, medicalRemainder, 72);
ORLA_PIN(FamilyLeaveRecord, medicalByShare, 80);

ORLA_STATIC_ASSERT(sizeof(TransitRecord) == 72, "TransitRecord size");
ORLA_PIN(TransitRecord, recordSize, 0); ORLA_PIN(TransitRecord, status, 4); ORLA_PIN(TransitRecord, payDate, 8);
ORLA_PIN(TransitRecord, wages, 24); ORLA_PIN(TransitRecord, rate, 40); ORLA_PIN(TransitRecord, transitTax, 56);
ORLA_PIN(TransitRecord, employeeTransitTax, 64);

ORLA_STATIC_ASSERT(sizeof(WorkCompRecord) == 104, "WorkCompRecord size");
ORLA_PIN(WorkCompRecord, recordSize, 0); ORLA_PIN(WorkCompRecord, status, 4); ORLA_PIN(WorkCompRecord, payDate, 8);
ORLA_PIN(WorkCompRecord, stateCode, 20); ORLA_PIN(WorkCompRecord, perHour, 24); ORLA_PIN(WorkCompRecord, perMonth, 28);
ORLA_PIN(WorkCompRecord, hours, 64); ORLA_PIN(WorkCompRecord, employeeRate, 72);
ORLA_PIN(WorkCompRecord, employerRate, 80); ORLA_PIN(WorkCompRecord, employeeAmount, 88);
ORLA_PIN(WorkCompRecord, employerAmount, 96);

ORLA_STATIC_ASSERT(sizeof(StateOtherRecord) == 76, "StateOtherRecord size");
ORLA_PIN(StateOtherRecord, recordSize, 0); ORLA_PIN(StateOtherRecord, status, 4);
ORLA_PIN(StateOtherRecord, levyKind, 8); ORLA_PIN(StateOtherRecord, payDate, 12);
ORLA_PIN(StateOtherRecord, stateCode, 24); ORLA_PIN(StateOtherRecord, payPeriods, 28);
ORLA_PIN(StateOtherRecord, wages, 60); ORLA_PIN(StateOtherRecord, premium, 68);
/* ==== end of the levies ================================================================================ */

#endif /* ORLA_ORLA_H */
