// The short locality lists: {code, name} pairs in the order shown to the user, each opening with
// "None" (code 0, no locality). The listCode and the calcCode of an entry are the same code.
#include <iterator>

#include "local/local_calculators.h"

namespace orla {

namespace {

// Colorado: 6 entries.
constexpr LocalityEntry kColoradoList[] = {
    {0, 0, "None", nullptr},
    {1, 1, "Denver", nullptr},
    {2, 2, "Aurora", nullptr},
    {3, 3, "Greenwood Village", nullptr},
    {4, 4, "Sheridan", nullptr},
    {5, 5, "Glendale", nullptr},
};
static_assert(std::size(kColoradoList) == 6);
static_assert(namesFit(kColoradoList));

// Delaware: 2 entries.
constexpr LocalityEntry kDelawareList[] = {
    {0, 0, "None", nullptr},
    {1, 1, "Wilmington", nullptr},
};
static_assert(std::size(kDelawareList) == 2);
static_assert(namesFit(kDelawareList));

// Maryland: 26 entries.
constexpr LocalityEntry kMarylandList[] = {
    {0, 0, "None", nullptr},
    {17, 17, "Allegany", nullptr},
    {4, 4, "Anne Arundel", nullptr},
    {3, 3, "Baltimore City", nullptr},
    {13, 13, "Baltimore", nullptr},
    {5, 5, "Calvert", nullptr},
    {14, 14, "Caroline", nullptr},
    {15, 15, "Carroll", nullptr},
    {6, 6, "Cecil", nullptr},
    {18, 18, "Charles", nullptr},
    {7, 7, "Dorchester", nullptr},
    {8, 8, "Frederick", nullptr},
    {9, 9, "Garrett", nullptr},
    {10, 10, "Harford", nullptr},
    {2, 2, "Howard", nullptr},
    {11, 11, "Kent", nullptr},
    {19, 19, "Montgomery", nullptr},
    {21, 21, "Prince Georges", nullptr},
    {16, 16, "Queen Annes", nullptr},
    {20, 20, "St Marys", nullptr},
    {22, 22, "Somerset", nullptr},
    {1, 1, "Talbot", nullptr},
    {12, 12, "Washington", nullptr},
    {23, 23, "Wicomico", nullptr},
    {24, 24, "Worcester", nullptr},
    {25, 25, "Nonresidents", nullptr},
};
static_assert(std::size(kMarylandList) == 26);
static_assert(namesFit(kMarylandList));

// Michigan: 25 entries.
constexpr LocalityEntry kMichiganList[] = {
    {0, 0, "None", nullptr},
    {1, 1, "Albion", nullptr},
    {2, 2, "Battle Creek", nullptr},
    {24, 24, "Benton Harbor", nullptr},
    {3, 3, "Big Rapids", nullptr},
    {4, 4, "Detroit", nullptr},
    {23, 23, "East Lansing", nullptr},
    {5, 5, "Flint", nullptr},
    {6, 6, "Grand Rapids", nullptr},
    {7, 7, "Grayling", nullptr},
    {8, 8, "Hamtramck", nullptr},
    {9, 9, "Highland Park", nullptr},
    {10, 10, "Hudson", nullptr},
    {11, 11, "Ionia", nullptr},
    {12, 12, "Jackson", nullptr},
    {13, 13, "Lansing", nullptr},
    {14, 14, "Lapeer", nullptr},
    {15, 15, "Muskegon", nullptr},
    {16, 16, "Muskegon Heights", nullptr},
    {17, 17, "Pontiac", nullptr},
    {18, 18, "Port Huron", nullptr},
    {19, 19, "Portland", nullptr},
    {20, 20, "Saginaw", nullptr},
    {21, 21, "Springfield", nullptr},
    {22, 22, "Walker", nullptr},
};
static_assert(std::size(kMichiganList) == 25);
static_assert(namesFit(kMichiganList));

// Missouri: 3 entries.
constexpr LocalityEntry kMissouriList[] = {
    {0, 0, "None", nullptr},
    {1, 1, "St Louis", nullptr},
    {2, 2, "Kansas City", nullptr},
};
static_assert(std::size(kMissouriList) == 3);
static_assert(namesFit(kMissouriList));

// New York: 3 entries.
constexpr LocalityEntry kNewYorkList[] = {
    {0, 0, "None", nullptr},
    {1, 1, "Yonkers", nullptr},
    {2, 2, "New York City", nullptr},
};
static_assert(std::size(kNewYorkList) == 3);
static_assert(namesFit(kNewYorkList));

// Indiana: 93 entries.
constexpr LocalityEntry kIndianaList[] = {
    {0, 0, "None", nullptr},
    {1, 1, "Adams", nullptr},
    {2, 2, "Allen", nullptr},
    {3, 3, "Bartholomew", nullptr},
    {4, 4, "Benton", nullptr},
    {5, 5, "Blackford", nullptr},
    {6, 6, "Boone", nullptr},
    {7, 7, "Brown", nullptr},
    {8, 8, "Carroll", nullptr},
    {9, 9, "Cass", nullptr},
    {93, 93, "Clark", nullptr},
    {11, 11, "Clay", nullptr},
    {12, 12, "Clinton", nullptr},
    {13, 13, "Crawford", nullptr},
    {14, 14, "Daviess", nullptr},
    {15, 15, "Dearborn", nullptr},
    {16, 16, "Decatur", nullptr},
    {17, 17, "Dekalb", nullptr},
    {18, 18, "Delaware", nullptr},
    {19, 19, "Dubois", nullptr},
    {20, 20, "Elkhart", nullptr},
    {21, 21, "Fayette", nullptr},
    {22, 22, "Floyd", nullptr},
    {23, 23, "Fountain", nullptr},
    {24, 24, "Franklin", nullptr},
    {25, 25, "Fulton", nullptr},
    {26, 26, "Gibson", nullptr},
    {27, 27, "Grant", nullptr},
    {28, 28, "Greene", nullptr},
    {29, 29, "Hamilton", nullptr},
    {30, 30, "Hancock", nullptr},
    {31, 31, "Harrison", nullptr},
    {32, 32, "Hendricks", nullptr},
    {33, 33, "Henry", nullptr},
    {34, 34, "Howard", nullptr},
    {35, 35, "Huntington", nullptr},
    {36, 36, "Jackson", nullptr},
    {37, 37, "Jasper", nullptr},
    {38, 38, "Jay", nullptr},
    {96, 96, "Jefferson", nullptr},
    {39, 39, "Jennings", nullptr},
    {41, 41, "Johnson", nullptr},
    {42, 42, "Knox", nullptr},
    {43, 43, "Kosciusko", nullptr},
    {44, 44, "Lagrange", nullptr},
    {99, 99, "Lake", nullptr},
    {46, 46, "Laporte", nullptr},
    {47, 47, "Lawrence", nullptr},
    {48, 48, "Madison", nullptr},
    {49, 49, "Marion", nullptr},
    {50, 50, "Marshall", nullptr},
    {51, 51, "Martin", nullptr},
    {52, 52, "Miami", nullptr},
    {53, 53, "Monroe", nullptr},
    {54, 54, "Montgomery", nullptr},
    {55, 55, "Morgan", nullptr},
    {56, 56, "Newton", nullptr},
    {57, 57, "Noble", nullptr},
    {58, 58, "Ohio", nullptr},
    {59, 59, "Orange", nullptr},
    {60, 60, "Owen", nullptr},
    {61, 61, "Parke", nullptr},
    {62, 62, "Perry", nullptr},
    {63, 63, "Pike", nullptr},
    {94, 94, "Porter", nullptr},
    {98, 98, "Posey", nullptr},
    {66, 66, "Pulaski", nullptr},
    {67, 67, "Putnam", nullptr},
    {68, 68, "Randolph", nullptr},
    {69, 69, "Ripley", nullptr},
    {70, 70, "Rush", nullptr},
    {71, 71, "St Joseph", nullptr},
    {72, 72, "Scott", nullptr},
    {73, 73, "Shelby", nullptr},
    {74, 74, "Spencer", nullptr},
    {75, 75, "Starke", nullptr},
    {76, 76, "Steuben", nullptr},
    {97, 97, "Sullivan", nullptr},
    {78, 78, "Switzerland", nullptr},
    {79, 79, "Tippecanoe", nullptr},
    {80, 80, "Tipton", nullptr},
    {81, 81, "Union", nullptr},
    {82, 82, "Vanderburgh", nullptr},
    {83, 83, "Vermillion", nullptr},
    {95, 95, "Vigo", nullptr},
    {85, 85, "Wabash", nullptr},
    {86, 86, "Warren", nullptr},
    {87, 87, "Warrick", nullptr},
    {88, 88, "Washington", nullptr},
    {89, 89, "Wayne", nullptr},
    {90, 90, "Wells", nullptr},
    {91, 91, "White", nullptr},
    {92, 92, "Whitley", nullptr},
};
static_assert(std::size(kIndianaList) == 93);
static_assert(namesFit(kIndianaList));
// A state with a single list ignores the selector.
template <std::size_t N>
constexpr std::span<const LocalityEntry> single(const LocalityEntry (&list)[N]) { return list; }

}  // namespace

std::span<const LocalityEntry> coloradoLocalityLists(int) { return single(kColoradoList); }
std::span<const LocalityEntry> delawareLocalityLists(int) { return single(kDelawareList); }
std::span<const LocalityEntry> indianaLocalityLists(int) { return single(kIndianaList); }
std::span<const LocalityEntry> marylandLocalityLists(int) { return single(kMarylandList); }
std::span<const LocalityEntry> michiganLocalityLists(int) { return single(kMichiganList); }
std::span<const LocalityEntry> missouriLocalityLists(int) { return single(kMissouriList); }
std::span<const LocalityEntry> newYorkLocalityLists(int) { return single(kNewYorkList); }

}  // namespace orla
