// The varied inputs of the benchmarks and of the instruction-count sample (cost_sample.cpp): realistic
// spreads of pays for every export, jurisdiction, locality list, levy and province. Built once, outside
// anything measured.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include <orla/orla.h>

namespace orla_sample {

constexpr std::array kPeriods{52, 26, 24, 12};
constexpr std::array kYears{2024, 2025, 2026};

inline std::size_t at(int i, std::size_t n) { return static_cast<std::size_t>(i) % n; }

struct Case {
    PayRecord pay;
    StateRecord state;
};

// A spread of pays: frequencies, filing statuses, Form W-4 vintages, wages across the brackets,
// year-to-date wages near the social security and additional Medicare limits, some bonuses.
inline std::vector<Case> makeCases(int stateCode) {
    std::vector<Case> cases;
    for (int i = 0; i < 256; ++i) {
        Case c;
        std::memset(&c, 0, sizeof c);
        PayRecord& p = c.pay;
        p.recordSize = sizeof(PayRecord);
        p.payDate = CalcDate{1 + i % 12, 1 + i % 28, kYears[at(i, kYears.size())]};
        p.payPeriods = kPeriods[at(i / 3, kPeriods.size())];
        p.fedFilingStatus = i % 4;
        p.fedWages = 400.0 + 137.31 * (i % 61);
        p.ficaWages = p.fedWages;
        p.ssYtdWages = 3000.0 * (i % 70);
        p.medicareYtdWages = p.ssYtdWages;
        p.fedAllowances = i % 3;
        p.w4Form2020 = i % 5 != 0;
        p.w4MultipleJobs = i % 7 == 0;
        p.w4Credits = (i % 4) * 500.0;
        p.suppWages = i % 9 == 0 ? 1500.0 : 0.0;
        p.suppAggregate = i % 18 == 0;
        StateRecord& s = c.state;
        s.recordSize = sizeof(StateRecord);
        s.stateCode = stateCode;
        s.statePayPeriods = p.payPeriods;
        s.stateWages = p.fedWages;
        s.stateFilingStatus = i % 2;
        s.stateAllowances = i % 3;
        s.stateWithholdingCode = 'A' + i % 3;  // Connecticut certificate letters A to C
        s.statePercent = 2.5;                  // Arizona's elected percentage
        s.stateRateTable = 'A' + i % 6;        // New Jersey rate tables A to E, or the filing status
        s.stateExemptions[1] = i % 3;          // Puerto Rico: dependents
        s.stateSuppWages = p.suppWages;
        s.stateSuppAggregate = i % 2;
        cases.push_back(c);
    }
    return cases;
}

constexpr const char* kPostal[60] = {
    "",   "AL", "AK", "AS", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FM", "FL", "GA", "GU", "HI", "ID", "IL", "IN", "IA",
    "KS", "KY", "LA", "ME", "MH", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND",
    "MP", "OH", "OK", "OR", "PW", "PA", "PR", "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VI", "VA", "WA", "WV", "WI", "WY"};

// A jurisdiction is sampled when the library computes it (it is not answered as unsupported).
inline bool supported(int code) {
    Case c = makeCases(code)[1];
    ORLA_Calc(ORLA_MODE_FULL, &c.pay, &c.state);
    return c.state.status != ORLA_STATE_UNSUPPORTED;
}

struct LocalCase {
    PayRecord pay;
    StateRecord state;
    LocalRecord local;
};

// A state with local taxes and one of its locality lists: Kentucky (school districts 0, cities 1,
// counties 2), Ohio and Pennsylvania (school districts 0, municipalities 1) have several, and the
// list selector is also the record's kind of local tax; the other states have one list.
struct LocalKind {
    int stateCode;
    const char* name;
    int list;
};

constexpr std::array<LocalKind, 15> kLocalKinds{{{ORLA_AL, "AL", 1},
                                                 {ORLA_CO, "CO", 1},
                                                 {ORLA_DE, "DE", 1},
                                                 {ORLA_IN, "IN", 1},
                                                 {ORLA_KY, "KY/school", 0},
                                                 {ORLA_KY, "KY/city", 1},
                                                 {ORLA_KY, "KY/county", 2},
                                                 {ORLA_MD, "MD", 1},
                                                 {ORLA_MI, "MI", 1},
                                                 {ORLA_MO, "MO", 1},
                                                 {ORLA_NY, "NY", 1},
                                                 {ORLA_OH, "OH/school", 0},
                                                 {ORLA_OH, "OH/municipal", 1},
                                                 {ORLA_PA, "PA/school", 0},
                                                 {ORLA_PA, "PA/municipal", 1}}};

// Varied pays of a state, each pay's locality taken in turn from the list.
inline std::vector<LocalCase> makeLocalCases(int stateCode, int list) {
    PromptRecord prompt{};
    prompt.recordSize = sizeof prompt;
    prompt.stateCode = stateCode;
    prompt.listSelector = list;
    char name[64];
    ORLA_Get_Prompt(&prompt, name);
    const int localities = prompt.count > 0 ? prompt.count : 1;
    std::vector<LocalCase> cases;
    for (int i = 0; i < 256; ++i) {
        LocalCase c;
        std::memset(&c, 0, sizeof c);
        PayRecord& p = c.pay;
        p.recordSize = sizeof(PayRecord);
        p.payDate = CalcDate{1 + i % 12, 1 + i % 28, kYears[at(i, kYears.size())]};
        p.payPeriods = kPeriods[at(i / 3, kPeriods.size())];
        p.fedFilingStatus = i % 2;
        p.fedWages = 400.0 + 137.31 * (i % 61);
        p.ficaWages = p.fedWages;
        p.w4Form2020 = 1;
        p.suppWages = i % 9 == 0 ? 1500.0 : 0.0;
        StateRecord& s = c.state;
        s.recordSize = sizeof(StateRecord);
        s.stateCode = stateCode;
        s.statePayPeriods = p.payPeriods;
        s.stateWages = p.fedWages;
        s.stateFilingStatus = i % 2;
        s.stateSuppWages = p.suppWages;
        LocalRecord& l = c.local;
        l.recordSize = sizeof(LocalRecord);
        prompt.index = 1 + i % (localities > 1 ? localities - 1 : 1);
        ORLA_Get_Prompt(&prompt, name);
        l.localityCode = prompt.calcCode;
        l.localTaxType = list;
        l.localPayPeriods = p.payPeriods;
        l.localWages = p.fedWages;
        l.localResident = i % 2;
        l.localExemptions = i % 3;
        l.localSuppWages = p.suppWages;
        l.localSuppAggregate = i % 2;
        l.workLocalityCode = i % 5;
        cases.push_back(c);
    }
    return cases;
}

// ---- levies -----------------------------------------------------------------------------------------
constexpr std::size_t kLevyPays = 64;

// A pay of the spread: every fourth year out of the tables, year-to-date wages from 0 to 200,000.
template <class Record>
std::vector<Record> levySpread(const std::array<int, 8>& codes) {
    std::vector<Record> records(kLevyPays);
    for (std::size_t i = 0; i < kLevyPays; ++i) {
        Record& r = records[i];
        std::memset(&r, 0, sizeof r);
        r.recordSize = sizeof r;
        r.payDate = CalcDate{1 + static_cast<int>(i % 12), 15, 2023 + static_cast<int>(i % 4)};
        r.wages = 500.0 + 97.3 * static_cast<double>(i);
        if constexpr (requires { r.stateCode; }) r.stateCode = codes[i % codes.size()];
        if constexpr (requires { r.ytdWages; }) r.ytdWages = 3200.0 * static_cast<double>(i);
    }
    return records;
}

constexpr std::array<int, 8> kSuiCodes{ORLA_CA, ORLA_AK, ORLA_NJ, ORLA_RI, ORLA_WY, ORLA_IL, ORLA_AS, ORLA_VI};
constexpr std::array<int, 8> kSdiCodes{ORLA_CA, ORLA_HI, ORLA_NJ, ORLA_NY, ORLA_PR, ORLA_RI, ORLA_TX, ORLA_CA};
constexpr std::array<int, 8> kLeaveCodes{ORLA_OR, ORLA_CO, ORLA_CT, ORLA_NJ, ORLA_NY, ORLA_WA, ORLA_MA, ORLA_DC};
constexpr std::array<int, 8> kOtherCodes{ORLA_OR, ORLA_WA, ORLA_CA, ORLA_OR, ORLA_WA, ORLA_TX, ORLA_OR, ORLA_WA};

inline std::vector<FutaRecord> futaRecords() {
    auto records = levySpread<FutaRecord>(kOtherCodes);
    for (FutaRecord& r : records) r.rate = 0.006;
    return records;
}
inline std::vector<SuiRecord> suiRecords() {
    auto records = levySpread<SuiRecord>(kSuiCodes);
    for (SuiRecord& r : records) r.rate = 0.034;
    return records;
}
inline std::vector<EttRecord> ettRecords() { return levySpread<EttRecord>(kOtherCodes); }
inline std::vector<SdiRecord> sdiRecords() {
    auto records = levySpread<SdiRecord>(kSdiCodes);
    for (SdiRecord& r : records) r.employerRate = 0.005, r.payPeriods = 26;
    return records;
}
inline std::vector<FamilyLeaveRecord> familyLeaveRecords() {
    auto records = levySpread<FamilyLeaveRecord>(kLeaveCodes);
    for (FamilyLeaveRecord& r : records) r.shareInput = 0.5, r.employerAmount = 30, r.extraInput = 0.6;
    return records;
}
inline std::vector<TransitRecord> transitRecords() {
    auto records = levySpread<TransitRecord>(kOtherCodes);
    for (TransitRecord& r : records) r.rate = 0.0077;
    return records;
}
inline std::vector<WorkCompRecord> workCompRecords() {
    std::vector<WorkCompRecord> records(kLevyPays);
    for (std::size_t i = 0; i < kLevyPays; ++i) {
        WorkCompRecord& r = records[i];
        std::memset(&r, 0, sizeof r);
        r.recordSize = sizeof r;
        r.payDate = CalcDate{6, 15, 2023 + static_cast<int>(i % 4)};
        r.stateCode = kOtherCodes[i % kOtherCodes.size()];
        r.perHour = static_cast<int>(i % 2);
        r.hours = 40.0 + static_cast<double>(i);
        r.employeeRate = 0.01;
        r.employerRate = 0.02;
    }
    return records;
}
inline std::vector<StateOtherRecord> stateOtherRecords() {
    auto records = levySpread<StateOtherRecord>(kOtherCodes);
    for (StateOtherRecord& r : records) r.levyKind = ORLA_LEVY_LONG_TERM_CARE, r.payPeriods = 26;
    return records;
}

// ---- Canada -----------------------------------------------------------------------------------------
struct CanadaCase {
    CanadaRecord pay;
    ProvinceRecord prov;
};

constexpr const char* kProvinces[15] = {"", "NL", "CODE2", "NS", "PE", "NB", "QC", "ON", "MB", "SK", "AB", "BC", "YT", "NT", "NU"};

// The pay frequencies, wages across the brackets, contributions to date from nothing to past the
// maximums, some bonuses; province 0 spreads the pays over every province and territory.
inline std::vector<CanadaCase> canadaCases(int province = 0) {
    std::vector<CanadaCase> cases;
    for (int i = 0; i < 64; ++i) {
        CanadaCase c;
        std::memset(&c, 0, sizeof c);
        CanadaRecord& p = c.pay;
        p.recordSize = sizeof p;
        p.payDate = CalcDate{1 + i % 12, 1 + i % 28, kYears[at(i, kYears.size())]};
        p.payPeriods = kPeriods[at(i / 3, kPeriods.size())];
        p.taxableIncome = p.cppEarnings = p.eiEarnings = 300.0 + 97.31 * (i % 41);
        p.fedClaimAmount = 16129;
        p.cppYtd = 70.0 * (i % 60);
        p.eiYtd = 18.0 * (i % 60);
        p.bonus = i % 5 == 0 ? 1000 : 0;
        ProvinceRecord& v = c.prov;
        v.recordSize = sizeof v;
        v.payDate = p.payDate;
        v.provinceCode = province != 0 ? province : 1 + i % 14;
        v.payPeriods = p.payPeriods;
        v.provTaxableIncome = p.taxableIncome;
        v.provClaimAmount = 12000;
        v.provBonus = p.bonus;
        cases.push_back(c);
    }
    return cases;
}

inline std::vector<ClaimCodeRecord> claimCodeRecords() {
    std::vector<ClaimCodeRecord> records(64);
    for (int i = 0; i < 64; ++i) {
        ClaimCodeRecord& cc = records[static_cast<std::size_t>(i)];
        std::memset(&cc, 0, sizeof cc);
        cc.recordSize = sizeof cc;
        cc.infoDate = CalcDate{1 + i % 12, 1, kYears[at(i, kYears.size())]};
        cc.provinceCode = i % 15;
        cc.claimCode = i % 11;
        cc.netIncome = 4700.0 * (i % 50);
    }
    return records;
}

inline std::vector<QuebecRecord> quebecRecords() {
    std::vector<QuebecRecord> records(8);
    for (int i = 0; i < 8; ++i) {
        QuebecRecord& qc = records[static_cast<std::size_t>(i)];
        std::memset(&qc, 0, sizeof qc);
        qc.recordSize = sizeof qc;
        qc.payDate = CalcDate{1 + i, 1, kYears[at(i, kYears.size())]};
        qc.qcExtraPerPay = 10.0 * i;
    }
    return records;
}

// ---- the other exports ------------------------------------------------------------------------------
// The advance earned income credit over the table years and the years around them.
inline std::vector<AeicRecord> aeicRecords() {
    std::vector<AeicRecord> records(8);
    for (std::size_t i = 0; i < records.size(); ++i) {
        AeicRecord& a = records[i];
        std::memset(&a, 0, sizeof a);
        a.recordSize = sizeof a;
        a.payDate = CalcDate{1 + static_cast<int>(i), 15, 2023 + static_cast<int>(i % 5)};
        a.payPeriods = 26;
        a.wages = 600.0 + 50.0 * static_cast<double>(i);
    }
    return records;
}

// The social security wage base for dates in and out of the tables.
inline std::vector<TableInfoRecord> tableInfoRecords() {
    std::vector<TableInfoRecord> records(8);
    for (std::size_t i = 0; i < records.size(); ++i) {
        TableInfoRecord& t = records[i];
        std::memset(&t, 0, sizeof t);
        t.recordSize = sizeof t;
        t.infoDate = CalcDate{1 + static_cast<int>(i), 1, 2023 + static_cast<int>(i % 5)};
        t.infoKind = ORLA_INFO_SS_WAGE_BASE;
    }
    return records;
}

// The locality lists of the states that have them, and of states that have none.
inline std::vector<PromptRecord> promptRecords() {
    constexpr std::array codes{ORLA_KY, ORLA_OH, ORLA_PA, ORLA_MD, ORLA_NY, ORLA_TX, ORLA_IN, ORLA_MI};
    std::vector<PromptRecord> records(8);
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::memset(&records[i], 0, sizeof(PromptRecord));
        records[i].recordSize = sizeof(PromptRecord);
        records[i].stateCode = codes[i];
        records[i].index = static_cast<int>(i);
    }
    return records;
}

}  // namespace orla_sample
