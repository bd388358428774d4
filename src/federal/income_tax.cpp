#include "federal/federal.h"
#include "frame/run_index.h"

namespace orla {

namespace {

// Annual rows, years newest first; within a year the statuses 1, 0, 2, 17, 16, 18, eight brackets each.
// The allowance of a Form W-4 from before 2020 is 4,300 a year.
constexpr BracketRow kWithholding[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 0, 19300, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 19300, 44100, 0, 0.1},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 44100, 120100, 2480, 0.12},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 120100, 230700, 11600, 0.22},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 230700, 422850, 35932, 0.24},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 422850, 531750, 82048, 0.32},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 531750, 788000, 116896, 0.35},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 4300, 788000, 0, 206583.5, 0.37},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 0, 7500, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 7500, 19900, 0, 0.1},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 19900, 57900, 1240, 0.12},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 57900, 113200, 5800, 0.22},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 113200, 209275, 17966, 0.24},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 209275, 263725, 41024, 0.32},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 263725, 648100, 58448, 0.35},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 4300, 648100, 0, 192979.25, 0.37},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 0, 15550, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 15550, 33250, 0, 0.1},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 33250, 83000, 1770, 0.12},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 83000, 121250, 7740, 0.22},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 121250, 217300, 16155, 0.24},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 217300, 271750, 39207, 0.32},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 271750, 656150, 56631, 0.35},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 4300, 656150, 0, 191171, 0.37},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 0, 16100, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 16100, 28500, 0, 0.1},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 28500, 66500, 1240, 0.12},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 66500, 121800, 5800, 0.22},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 121800, 217875, 17966, 0.24},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 217875, 272325, 41024, 0.32},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 272325, 400450, 58448, 0.35},
    {date(2026, 1, 1), date(2026, 12, 31), 17, 1, 4300, 400450, 0, 103291.75, 0.37},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 0, 8050, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 8050, 14250, 0, 0.1},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 14250, 33250, 620, 0.12},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 33250, 60900, 2900, 0.22},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 60900, 108938, 8983, 0.24},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 108938, 136163, 20512, 0.32},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 136163, 328350, 29224, 0.35},
    {date(2026, 1, 1), date(2026, 12, 31), 16, 1, 4300, 328350, 0, 96489.63, 0.37},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 0, 12075, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 12075, 20925, 0, 0.1},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 20925, 45800, 885, 0.12},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 45800, 64925, 3870, 0.22},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 64925, 112950, 8077.5, 0.24},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 112950, 140175, 19603.5, 0.32},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 140175, 332375, 28315.5, 0.35},
    {date(2026, 1, 1), date(2026, 12, 31), 18, 1, 4300, 332375, 0, 95585.5, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 0, 17100, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 17100, 40950, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 40950, 114050, 2385, 0.12},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 114050, 223800, 11157, 0.22},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 223800, 411700, 35302, 0.24},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 411700, 518150, 80398, 0.32},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 518150, 768700, 114462, 0.35},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 4300, 768700, 0, 202154.5, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 0, 6400, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 6400, 18325, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 18325, 54875, 1192.5, 0.12},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 54875, 109750, 5578.5, 0.22},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 109750, 203700, 17651, 0.24},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 203700, 256925, 40199, 0.32},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 256925, 632750, 57231, 0.35},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 4300, 632750, 0, 188769.75, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 0, 13900, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 13900, 30900, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 30900, 78750, 1700, 0.12},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 78750, 117250, 7442, 0.22},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 117250, 211200, 15912, 0.24},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 211200, 264400, 38460, 0.32},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 264400, 640250, 55484, 0.35},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 4300, 640250, 0, 187031.5, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 0, 15000, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 15000, 26925, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 26925, 63475, 1192.5, 0.12},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 63475, 118350, 5578.5, 0.22},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 118350, 212300, 17651, 0.24},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 212300, 265525, 40199, 0.32},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 265525, 390800, 57231, 0.35},
    {date(2025, 1, 1), date(2025, 12, 31), 17, 1, 4300, 390800, 0, 101077.25, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 0, 7500, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 7500, 13463, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 13463, 31738, 596.25, 0.12},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 31738, 59175, 2789.25, 0.22},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 59175, 106150, 8825.5, 0.24},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 106150, 132763, 20099.5, 0.32},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 132763, 320675, 28615.5, 0.35},
    {date(2025, 1, 1), date(2025, 12, 31), 16, 1, 4300, 320675, 0, 94384.88, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 0, 11250, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 11250, 19750, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 19750, 43675, 850, 0.12},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 43675, 62925, 3721, 0.22},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 62925, 109900, 7956, 0.24},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 109900, 136500, 19230, 0.32},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 136500, 324425, 27742, 0.35},
    {date(2025, 1, 1), date(2025, 12, 31), 18, 1, 4300, 324425, 0, 93515.75, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 0, 16300, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 16300, 39500, 0, 0.1},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 39500, 110600, 2320, 0.12},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 110600, 217350, 10852, 0.22},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 217350, 400200, 34337, 0.24},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 400200, 503750, 78221, 0.32},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 503750, 747500, 111357, 0.35},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 4300, 747500, 0, 196669.5, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 0, 6000, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 6000, 17600, 0, 0.1},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 17600, 53150, 1160, 0.12},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 53150, 106525, 5426, 0.22},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 106525, 197950, 17168.5, 0.24},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 197950, 249725, 39110.5, 0.32},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 249725, 615350, 55678.5, 0.35},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 4300, 615350, 0, 183647.25, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 0, 13300, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 13300, 29850, 0, 0.1},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 29850, 76400, 1655, 0.12},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 76400, 113800, 7241, 0.22},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 113800, 205250, 15469, 0.24},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 205250, 257000, 37417, 0.32},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 257000, 622650, 53977, 0.35},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 4300, 622650, 0, 181954.5, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 0, 14600, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 14600, 26200, 0, 0.1},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 26200, 61750, 1160, 0.12},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 61750, 115125, 5426, 0.22},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 115125, 206550, 17168.5, 0.24},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 206550, 258325, 39110.5, 0.32},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 258325, 380200, 55678.5, 0.35},
    {date(2024, 1, 1), date(2024, 12, 31), 17, 1, 4300, 380200, 0, 98334.75, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 0, 7300, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 7300, 13100, 0, 0.1},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 13100, 30875, 580, 0.12},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 30875, 57563, 2713, 0.22},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 57563, 103275, 8584.25, 0.24},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 103275, 129163, 19555.25, 0.32},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 129163, 311975, 27839.25, 0.35},
    {date(2024, 1, 1), date(2024, 12, 31), 16, 1, 4300, 311975, 0, 91823.63, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 0, 10950, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 10950, 19225, 0, 0.1},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 19225, 42500, 827.5, 0.12},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 42500, 61200, 3620.5, 0.22},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 61200, 106925, 7734.5, 0.24},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 106925, 132800, 18708.5, 0.32},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 132800, 315625, 26988.5, 0.35},
    {date(2024, 1, 1), date(2024, 12, 31), 18, 1, 4300, 315625, 0, 90977.25, 0.37},
};
static_assert(std::size(kWithholding) == 144);

// The table's keys: the annual rows of the filing statuses 0 to 2, with or without the Step 2 offset.
struct FederalKeys {
    static constexpr std::size_t kSlots = 6;
    static constexpr int slotOf(const StatusPeriods& k) {
        if (k.periods != 1) return -1;
        if (k.status >= 0 && k.status <= 2) return k.status;
        if (k.status >= 16 && k.status <= 18) return k.status - 13;
        return -1;
    }
};
constexpr RunIndex<BracketRow, std::size(kWithholding), StatusPeriods, FederalKeys> kWithholdingIndex(kWithholding);
static_assert(kWithholdingIndex.allKeysMapped());

// The amount added to a nonresident alien's wages of one pay stands in the base column. Status 32 serves
// Forms W-4 from before 2020, 33 those from 2020 on.
constexpr BracketRow kNonresidentAlien[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 32, 52, 0, 0, 0, 226.9, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 32, 26, 0, 0, 0, 453.8, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 32, 24, 0, 0, 0, 491.7, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 32, 12, 0, 0, 0, 983.3, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 32, 4, 0, 0, 0, 2950, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 32, 2, 0, 0, 0, 5900, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 32, 1, 0, 0, 0, 11800, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 52, 0, 0, 0, 309.6, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 26, 0, 0, 0, 619.2, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 24, 0, 0, 0, 670.8, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 12, 0, 0, 0, 1341.7, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 4, 0, 0, 0, 4025, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 2, 0, 0, 0, 8050, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 33, 1, 0, 0, 0, 16100, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 52, 0, 0, 0, 205.8, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 26, 0, 0, 0, 411.5, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 24, 0, 0, 0, 445.8, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 12, 0, 0, 0, 891.7, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 4, 0, 0, 0, 2675, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 2, 0, 0, 0, 5350, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 32, 1, 0, 0, 0, 10700, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 52, 0, 0, 0, 288.5, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 26, 0, 0, 0, 576.9, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 24, 0, 0, 0, 625, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 12, 0, 0, 0, 1250, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 4, 0, 0, 0, 3750, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 2, 0, 0, 0, 7500, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 33, 1, 0, 0, 0, 15000, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 52, 0, 0, 0, 198.1, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 26, 0, 0, 0, 396.2, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 24, 0, 0, 0, 429.2, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 12, 0, 0, 0, 858.3, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 4, 0, 0, 0, 2575, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 2, 0, 0, 0, 5150, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 32, 1, 0, 0, 0, 10300, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 52, 0, 0, 0, 280.8, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 26, 0, 0, 0, 561.5, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 24, 0, 0, 0, 608.3, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 12, 0, 0, 0, 1216.7, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 4, 0, 0, 0, 3650, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 2, 0, 0, 0, 7300, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 33, 1, 0, 0, 0, 14600, 0},
};
static_assert(std::size(kNonresidentAlien) == 42);

// 22 % on supplemental wages, 37 % once the supplemental wages paid before this one exceed 1,000,000.
constexpr SupplementalRateRow kSupplementalRate[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 1000000, 0.22, 0.37},
    {date(2025, 1, 1), date(2025, 12, 31), 1000000, 0.22, 0.37},
    {date(2024, 1, 1), date(2024, 12, 31), 1000000, 0.22, 0.37},
    {date(2023, 1, 1), date(2023, 12, 31), 1000000, 0.22, 0.37},
};

constexpr int kStep2Offset = 16;
constexpr int kNraStatusPre2020 = 32;
constexpr int kNraStatus2020 = 33;
constexpr double kStandardAdjustmentJoint = 12900;
constexpr double kStandardAdjustmentOther = 8600;

// The nonresident-alien amount of one pay: the row of the pay's periods, else the annual row spread
// over the periods. Returns false when neither exists.
bool nonresidentAlienAmount(const PayRecord* pay, int status, double& amount) {
    for (const BracketRow& r : kNonresidentAlien)
        if (r.status == status && r.periods == pay->payPeriods && rowCovers(r.from, r.to, pay->payDate)) {
            amount = r.base;
            return true;
        }
    if (pay->payPeriods < 1) return false;
    for (const BracketRow& r : kNonresidentAlien)
        if (r.status == status && r.periods == 1 && rowCovers(r.from, r.to, pay->payDate)) {
            amount = r.base / pay->payPeriods;
            return true;
        }
    return false;
}

}  // namespace

std::span<const BracketRow> federalWithholdingTable() { return kWithholding; }
std::span<const BracketRow> nonresidentAlienTable() { return kNonresidentAlien; }
std::span<const SupplementalRateRow> supplementalRateTable() { return kSupplementalRate; }

namespace {

// fedIncomeTax, telling besides whether the withholding table had a row for the pay (an exempt employee
// needs none); withFica false leaves out the social security and Medicare step (taken as found).
int incomeTax(int mode, PayRecord* pay, bool& rowFound, bool withFica = true) {
    rowFound = true;
    if (has(pay, 160) && pay->fedExempt == 1) {
        pay->fedTax = 0.0;
        return 0;
    }
    const int periods = pay->payPeriods;
    const bool w4 = has(pay, 164) && pay->w4Form2020 == 1;
    double credits = 0, otherIncome = 0, deductions = 0;
    if (w4) {
        credits = pay->w4Credits;
        otherIncome = pay->w4OtherIncome;
        deductions = pay->w4Deductions;
        if (periods > 0) {
            credits /= periods;
            otherIncome /= periods;
            deductions /= periods;
        }
    }

    double wages = pay->fedWages;
    if (has(pay, 164) && pay->nonresidentAlien == 1) {
        double amount = 0;
        if (nonresidentAlienAmount(pay, pay->w4Form2020 != 0 ? kNraStatus2020 : kNraStatusPre2020, amount))
            wages += amount;
        else
            pay->fedStatus = 1;
    }

    const bool ficaFound = !withFica || socialSecurityAndMedicare(mode, pay);

    int status = pay->fedFilingStatus == ORLA_FED_MARRIED_SINGLE_RATE ? ORLA_FED_SINGLE : pay->fedFilingStatus;
    // A status too large to take the offset has no row either way; it must not overflow.
    if (w4 && pay->w4MultipleJobs == 1) status = status <= INT_MAX - kStep2Offset ? status + kStep2Offset : -1;

    double adjustment = 0;
    if (w4 && pay->w4MultipleJobs != 1) {
        adjustment = pay->fedFilingStatus == ORLA_FED_MARRIED ? kStandardAdjustmentJoint : kStandardAdjustmentOther;
        if (periods > 0) adjustment /= periods;
    }
    // Allowances count only on a Form W-4 from before 2020.
    const bool useAllowances = !w4 || pay->payDate.year < 2020;

    // The wage amount to which a row's bracket applies: the pay's wages (pass 1) or the annualised wages
    // (pass 2), less the allowances of a form before 2020, plus the Form W-4 adjustments of a 2020 form.
    auto amountFor = [&](const BracketRow& r, int annualise) {
        double x = annualise * wages;
        if (useAllowances) x = x - pay->fedAllowances * r.allowance;
        if (w4) {
            if (annualise == 1) x = x + otherIncome - deductions - adjustment;
            else x = x + annualise * otherIncome - annualise * deductions - annualise * adjustment;
        }
        return x;
    };
    // Pass 1 takes the rows of the pay's periods with the wages of the pay; pass 2 the annual rows with
    // the annualised wages. Runs of rows sharing status and dates are tested once, their bands bisected.
    const BracketRow* row = nullptr;
    double x = 0;
    int divisor = 1;
    for (int pass = 1; pass <= 2 && row == nullptr; ++pass) {
        const int rowPeriods = pass == 1 ? periods : 1;
        const int annualise = pass == 1 ? 1 : periods;
        if (pass == 2 && periods < 1) break;
        row = kWithholdingIndex.findBand(pay->payDate, StatusPeriods{status, rowPeriods}, [&](const BracketRow& r) {
            x = amountFor(r, annualise);
            return atLeastZero(x);
        });
        divisor = annualise;
    }
    if (row != nullptr) pay->fedTax = ((atLeastZero(x) - row->low) * row->rate + row->base) / divisor;
    else pay->fedStatus = 1;

    if (w4) pay->fedTax = zeroFloor(pay->fedTax - credits);
    pay->fedTax = pay->fedTax + pay->fedExtraWithholding;

    if (row == nullptr) {
        rowFound = false;
        return 1;
    }
    return ficaFound ? 0 : 1;
}

}  // namespace

int fedIncomeTax(int mode, PayRecord* pay) {
    bool rowFound = true;
    return incomeTax(mode, pay, rowFound);
}

int fedIncomeTaxWithoutFica(int mode, PayRecord* pay) {
    bool rowFound = true;
    return incomeTax(mode, pay, rowFound, false);
}

int fedSupplementalTax(int mode, PayRecord* pay) {
    if (!has(pay, 128)) return 0;
    if (has(pay, 160) && pay->fedExempt == 1) {
        pay->fedTax = 0.0;
        pay->fedSuppTax = 0.0;
        return 0;
    }
    if (pay->suppWages > 0 && pay->suppAggregate == 0) {
        const SupplementalRateRow* row = firstCovering(supplementalRateTable(), pay->payDate);
        if (row == nullptr) {
            pay->fedSuppTax = 0.0;
            return kNoSupplementalRateRow;
        }
        // The whole payment takes one rate, chosen by the supplemental wages paid before it.
        const double rate = pay->suppYtdWages > row->threshold ? row->rateAboveThreshold : row->rate;
        pay->fedSuppTax = roundCents(rate * pay->suppWages);
        return 0;
    }
    // Aggregate method: the tax of the wages with the bonus, less the tax of the wages without it. With no
    // bonus the second computation repeats the first exactly, so its difference is known to be 0.
    if (pay->suppWages == 0.0) {
        pay->fedSuppTax = 0.0;
        return 0;
    }
    // The wages are restored exactly rather than by subtracting the bonus again, which could leave
    // them a rounding step away from the caller's figure.
    // When the table has no row for the pay (the rerun finds none either, as the wages never decide
    // that), there is no tax to compare: the supplemental tax is 0, as with no bonus, and the federal
    // failure is already reported. The rerun then changed nothing that is kept.
    const double keptTax = pay->fedTax;
    const double keptWages = pay->fedWages;
    pay->fedWages = keptWages + pay->suppWages;
    bool rowFound = true;
    incomeTax(mode, pay, rowFound);
    pay->fedWages = keptWages;
    const double suppTax = pay->fedTax - keptTax;
    pay->fedTax = keptTax;
    pay->fedSuppTax = rowFound ? roundCents(suppTax) : 0.0;
    return 0;
}

}  // namespace orla
