#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "local_records.h"

namespace orla {
namespace {

using testing::prompt;

struct Entry {
    int state;
    int index;
    int count;
    int code;
    const char* name;
};

// A telling entry of every short list and of Alabama's: the list's count, the entry's code (list and
// calculation code alike) and name.
TEST(LocalityLists, TellingEntries) {
    const Entry cases[] = {
        {ORLA_NY, 0, 3, 0, "None"},          {ORLA_NY, 2, 3, 2, "New York City"},
        {ORLA_NY, 1, 3, 1, "Yonkers"},       {ORLA_CO, 5, 6, 5, "Glendale"},
        {ORLA_CO, 2, 6, 2, "Aurora"},        {ORLA_DE, 1, 2, 1, "Wilmington"},
        {ORLA_MO, 2, 3, 2, "Kansas City"},   {ORLA_MD, 0, 26, 0, "None"},
        {ORLA_MD, 1, 26, 17, "Allegany"},    {ORLA_MD, 21, 26, 1, "Talbot"},
        {ORLA_MD, 25, 26, 25, "Nonresidents"}, {ORLA_MI, 3, 25, 24, "Benton Harbor"},
        {ORLA_MI, 6, 25, 23, "East Lansing"}, {ORLA_MI, 24, 25, 22, "Walker"},
        {ORLA_IN, 0, 93, 0, "None"},         {ORLA_IN, 10, 93, 93, "Clark"},
        {ORLA_IN, 45, 93, 99, "Lake"},       {ORLA_IN, 92, 93, 92, "Whitley"},
        {ORLA_IN, 71, 93, 71, "St Joseph"},  {ORLA_AL, 0, 28, 0, "None"},
        {ORLA_AL, 8, 28, 26, "Fort Deposit"}, {ORLA_AL, 25, 28, 25, "Southside"},
        {ORLA_AL, 27, 28, 24, "Tuskegee"},
    };
    for (const auto& c : cases) {
        PromptRecord p = prompt(c.state, c.index);
        char name[64];
        std::memset(name, 'x', sizeof name);
        const int length = ORLA_Get_Prompt(&p, name);
        EXPECT_EQ(length, static_cast<int>(std::strlen(c.name))) << c.name;
        EXPECT_STREQ(name, c.name);
        EXPECT_EQ(name[length + 1], 'x') << c.name;  // nothing beyond the NUL
        EXPECT_EQ(p.count, c.count) << c.name;
        EXPECT_EQ(p.listCode, c.code) << c.name;
        EXPECT_EQ(p.calcCode, c.code) << c.name;
    }
}

// An index outside the list writes the count alone; a state without a list writes nothing.
TEST(LocalityLists, IndexOutsideTheList) {
    for (const int index : {6, 7, -1}) {
        PromptRecord p = prompt(ORLA_CO, index);
        p.listCode = p.calcCode = -5;
        char name[64] = "untouched";
        EXPECT_EQ(ORLA_Get_Prompt(&p, name), 0);
        EXPECT_EQ(p.count, 6);
        EXPECT_EQ(p.listCode, -5);
        EXPECT_EQ(p.calcCode, -5);
        EXPECT_STREQ(name, "untouched");
    }
    for (const int state : {int{ORLA_CA}, 0, 60}) {
        PromptRecord p = prompt(state, 0);
        p.count = -5;
        char name[64] = "untouched";
        EXPECT_EQ(ORLA_Get_Prompt(&p, name), 0);
        EXPECT_EQ(p.count, -5);
        EXPECT_STREQ(name, "untouched");
    }
    PromptRecord p = prompt(ORLA_NY, 0);
    EXPECT_EQ(ORLA_Get_Prompt(&p, nullptr), 0);
    EXPECT_EQ(ORLA_Get_Prompt(nullptr, nullptr), 0);
}

// Walking every list: the entries' codes are distinct but for Alabama's shared 25, every name fits the
// host's 51 bytes, and the walk ends at count.
TEST(LocalityLists, Walks) {
    for (const int state : {ORLA_AL, ORLA_CO, ORLA_DE, ORLA_IN, ORLA_MD, ORLA_MI, ORLA_MO, ORLA_NY}) {
        PromptRecord first = prompt(state, 0);
        char name[64];
        ASSERT_GT(ORLA_Get_Prompt(&first, name), 0);
        EXPECT_STREQ(name, "None");
        int shared = 0;
        for (int i = 0; i < first.count; ++i) {
            PromptRecord p = prompt(state, i);
            const int length = ORLA_Get_Prompt(&p, name);
            EXPECT_GT(length, 0);
            EXPECT_LE(length, 50);
            for (int k = 0; k < i; ++k) {
                PromptRecord q = prompt(state, k);
                char other[64];
                ORLA_Get_Prompt(&q, other);
                if (q.calcCode == p.calcCode) ++shared;
            }
        }
        EXPECT_EQ(shared, state == ORLA_AL ? 1 : 0) << state;
        PromptRecord past = prompt(state, first.count);
        EXPECT_EQ(ORLA_Get_Prompt(&past, name), 0);
    }
}

}  // namespace
}  // namespace orla
