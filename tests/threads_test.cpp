// Calls with distinct records from many threads at once give exactly the results of the same calls
// made one after another. Run under ThreadSanitizer by the tsan preset.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "varied_cases.h"

namespace {

using orla_cases::CalcCase;

struct Outcome {
    unsigned flags;
    PayRecord pay;
    StateRecord state;
    AeicRecord aeic;
    TableInfoRecord info;
    int infoResult;
    PromptRecord prompt;
    char name[64];
    int promptResult;
};

// Every export on the records of one case; the records are the thread's own.
Outcome run(const CalcCase& c, int i) {
    Outcome o;
    std::memset(&o, 0, sizeof o);
    o.pay = c.pay;
    o.state = c.state;
    o.flags = ORLA_Calc(c.mode, &o.pay, &o.state);
    o.aeic.recordSize = sizeof o.aeic;
    o.aeic.payDate = c.pay.payDate;
    o.aeic.payPeriods = c.pay.payPeriods;
    o.aeic.wages = c.pay.fedWages;
    o.aeic.advanceEic = i % 2 ? -1.0 : 3.0;
    ORLA_AEIC_Calc(&o.aeic);
    o.info.recordSize = sizeof o.info;
    o.info.infoDate = c.pay.payDate;
    o.info.infoKind = i % 3 ? ORLA_INFO_SS_WAGE_BASE : 2;
    o.infoResult = ORLA_Get_Table_Info(&o.info);
    o.prompt.recordSize = sizeof o.prompt;
    o.prompt.stateCode = c.state.stateCode;
    o.prompt.index = i % 5;
    o.promptResult = ORLA_Get_Prompt(&o.prompt, o.name);
    return o;
}

TEST(Threads, ConcurrentCallsMatchSerialResultsBitForBit) {
    const std::vector<CalcCase> cases = orla_cases::variedCases();
    std::vector<Outcome> serial;
    serial.reserve(cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) serial.push_back(run(cases[i], static_cast<int>(i)));

    constexpr int kThreads = 8;
    constexpr int kRounds = 3;
    std::vector<std::vector<Outcome>> results(kThreads, std::vector<Outcome>(cases.size()));
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            ready.fetch_add(1);
            while (ready.load() < kThreads) std::this_thread::yield();
            // Each thread walks the cases from its own starting point, so different cases overlap.
            const std::size_t n = cases.size();
            for (int round = 0; round < kRounds; ++round)
                for (std::size_t k = 0; k < n; ++k) {
                    const std::size_t i = (k + static_cast<std::size_t>(t) * n / kThreads) % n;
                    results[t][i] = run(cases[i], static_cast<int>(i));
                }
        });
    }
    for (std::thread& th : threads) th.join();

    for (int t = 0; t < kThreads; ++t)
        for (std::size_t i = 0; i < cases.size(); ++i)
            ASSERT_EQ(std::memcmp(&results[t][i], &serial[i], sizeof(Outcome)), 0)
                << "thread " << t << ", case " << i << " differs from the serial result";
}

}  // namespace
