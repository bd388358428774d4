// The instruction-count sample: N calls of each case (an export over the varied pays of one
// jurisdiction, locality list, levy or province), made for callgrind.
//
//   orla_cost_sample [--list] [CASE ...] [-n N]
//
// Every export is called through one of the cost_* functions below and nothing else: run under
// `valgrind --tool=callgrind --collect-atstart=no --toggle-collect='cost_*'`, only the calls are counted,
// not the set-up or the copies of the records. After each case the counts are dumped (a client request
// named after the case) and start again from zero; bench/cost_check.py reads the dumps. Outside
// valgrind the requests do nothing. No case prints anything.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#  include <valgrind/callgrind.h>
#else
#  define CALLGRIND_DUMP_STATS_AT(name) ((void)(name))
#endif

#include <orla/orla.h>

#include "sample_cases.h"

#define COST_CALL extern "C" __attribute__((noinline, used))

COST_CALL unsigned cost_calc(int mode, PayRecord* pay, StateRecord* state) { return ORLA_Calc(mode, pay, state); }
COST_CALL int cost_local(int mode, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    return ORLA_Calc_Local(mode, pay, state, local);
}
COST_CALL int cost_county(int mode, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    return ORLA_Calc_County(mode, pay, state, local);
}
COST_CALL int cost_canada(CanadaRecord* pay, ProvinceRecord* prov) { return ORLA_Canada_Calc(0, pay, prov); }
COST_CALL int cost_provincial(ProvinceRecord* prov, const double* block) {
    return ORLA_Canada_Provincial_Calc(0, prov, block);
}
COST_CALL int cost_claim_code(ClaimCodeRecord* cc) { return ORLA_Canada_Get_CC(0, cc); }
COST_CALL int cost_quebec(QuebecRecord* qc) { return ORLA_Canada_Quebec_Calc(0, qc); }
COST_CALL int cost_futa(FutaRecord* r) { return FUTA_Calc(r); }
COST_CALL int cost_sui(SuiRecord* r) { return SUI_Calc(r); }
COST_CALL int cost_ett(EttRecord* r) { return ETT_Calc(r); }
COST_CALL int cost_sdi(SdiRecord* r) { return SDI_Calc(r); }
COST_CALL int cost_family_leave(FamilyLeaveRecord* r) { return FAMLEAVE_Calc(r); }
COST_CALL int cost_transit(TransitRecord* r) { return TT_Calc(r); }
COST_CALL int cost_work_comp(WorkCompRecord* r) { return WORKCOMP_Calc(r); }
COST_CALL int cost_state_other(StateOtherRecord* r) { return StateOther_Calc(r); }
COST_CALL int cost_aeic(AeicRecord* r) { return ORLA_AEIC_Calc(r); }
COST_CALL int cost_table_info(TableInfoRecord* r) { return ORLA_Get_Table_Info(r); }
COST_CALL int cost_prompt(PromptRecord* r, char* name) { return ORLA_Get_Prompt(r, name); }

namespace {

using namespace orla_sample;

// A case: its name and a run of n calls over its records (built when the case is selected).
struct CostCase {
    std::string name;
    std::function<std::function<void(long)>()> prepare;
};

// n calls, each on a fresh copy of the next record of the spread.
template <class Record, class Call>
std::function<void(long)> runOver(std::vector<Record> records, Call call) {
    return [records = std::move(records), call](long n) {
        Record work;
        for (long i = 0; i < n; ++i) {
            work = records[static_cast<std::size_t>(i) % records.size()];
            call(work);
        }
    };
}

std::vector<CostCase> allCases() {
    std::vector<CostCase> cases;
    auto calc = [&cases](std::string name, int mode, int code) {
        cases.push_back({std::move(name), [mode, code] {
                             return runOver(makeCases(code), [mode](Case& c) { cost_calc(mode, &c.pay, &c.state); });
                         }});
    };
    calc("Calc/Federal", ORLA_MODE_FEDERAL, ORLA_TX);
    calc("Calc/FederalEmployer", ORLA_MODE_FEDERAL_EMPLOYER, ORLA_TX);
    calc("Calc/GrossUpWages", ORLA_MODE_GROSS_UP_WAGES, ORLA_TX);
    calc("Calc/GrossUpBonus", ORLA_MODE_GROSS_UP_BONUS, ORLA_TX);
    for (int code = 1; code <= 59; ++code)
        if (supported(code)) calc(std::string("Calc/Full/") + kPostal[code], ORLA_MODE_FULL, code);

    auto local = [&cases](std::string name, int mode, int code, int list, bool county) {
        cases.push_back({std::move(name), [mode, code, list, county] {
                             return runOver(makeLocalCases(code, list), [mode, county](LocalCase& c) {
                                 if (county)
                                     cost_county(mode, &c.pay, &c.state, &c.local);
                                 else
                                     cost_local(mode, &c.pay, &c.state, &c.local);
                             });
                         }});
    };
    for (const LocalKind& k : kLocalKinds) local(std::string("Local/") + k.name, ORLA_MODE_FULL, k.stateCode, k.list, false);
    local("County/MD", ORLA_MODE_FULL, ORLA_MD, 1, true);
    local("Local/GrossUpWages/NY", ORLA_MODE_GROSS_UP_WAGES, ORLA_NY, 1, false);
    local("Local/GrossUpBonus/NY", ORLA_MODE_GROSS_UP_BONUS, ORLA_NY, 1, false);

    auto levy = [&cases](std::string name, auto make, auto call) {
        cases.push_back({std::move(name), [make, call] { return runOver(make(), call); }});
    };
    levy("Levy/FUTA", futaRecords, [](FutaRecord& r) { cost_futa(&r); });
    levy("Levy/SUI", suiRecords, [](SuiRecord& r) { cost_sui(&r); });
    levy("Levy/ETT", ettRecords, [](EttRecord& r) { cost_ett(&r); });
    levy("Levy/SDI", sdiRecords, [](SdiRecord& r) { cost_sdi(&r); });
    levy("Levy/FAMLEAVE", familyLeaveRecords, [](FamilyLeaveRecord& r) { cost_family_leave(&r); });
    levy("Levy/TT", transitRecords, [](TransitRecord& r) { cost_transit(&r); });
    levy("Levy/WORKCOMP", workCompRecords, [](WorkCompRecord& r) { cost_work_comp(&r); });
    levy("Levy/StateOther", stateOtherRecords, [](StateOtherRecord& r) { cost_state_other(&r); });

    for (int province = 1; province <= 14; ++province) {
        cases.push_back({std::string("Canada/") + kProvinces[province], [province] {
                             return runOver(canadaCases(province), [](CanadaCase& c) { cost_canada(&c.pay, &c.prov); });
                         }});
        cases.push_back({std::string("Canada/Provincial/") + kProvinces[province], [province] {
                             return runOver(canadaCases(province), [](CanadaCase& c) {
                                 static constexpr double block[3] = {0, 110.99, 32.80};
                                 cost_provincial(&c.prov, block);
                             });
                         }});
    }
    levy("Canada/ClaimCode", claimCodeRecords, [](ClaimCodeRecord& r) { cost_claim_code(&r); });
    levy("Canada/Quebec", quebecRecords, [](QuebecRecord& r) { cost_quebec(&r); });

    levy("AEIC", aeicRecords, [](AeicRecord& r) { cost_aeic(&r); });
    levy("TableInfo", tableInfoRecords, [](TableInfoRecord& r) { cost_table_info(&r); });
    levy("Prompt", promptRecords, [](PromptRecord& r) {
        char name[64];
        cost_prompt(&r, name);
    });
    return cases;
}

}  // namespace

int main(int argc, char** argv) {
    long n = 256;
    bool list = false;
    std::vector<std::string> wanted;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc)
            n = std::atol(argv[++i]);
        else if (std::strcmp(argv[i], "--list") == 0)
            list = true;
        else
            wanted.emplace_back(argv[i]);
    }
    if (n < 1) {
        std::fprintf(stderr, "orla_cost_sample: -n needs a positive count\n");
        return 2;
    }
    const std::vector<CostCase> cases = allCases();
    for (const std::string& w : wanted) {
        bool known = false;
        for (const CostCase& c : cases) known = known || c.name == w;
        if (!known) {
            std::fprintf(stderr, "orla_cost_sample: no case '%s' (--list names them)\n", w.c_str());
            return 2;
        }
    }
    for (const CostCase& c : cases) {
        bool selected = wanted.empty();
        for (const std::string& w : wanted) selected = selected || c.name == w;
        if (!selected) continue;
        if (list) {
            std::printf("%s\n", c.name.c_str());
            continue;
        }
        const std::function<void(long)> run = c.prepare();
        run(n);
        CALLGRIND_DUMP_STATS_AT(c.name.c_str());
    }
    return 0;
}
