// Connecticut: the withholding-code method on annualised wages: an exemption that phases out, graduated
// rates, an add-back and a recapture amount, and a personal tax credit given as a fraction of the tax.
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/state_tables.h"
#include "state/year_bands.h"

#include <cstdint>
#include <iterator>
#include <span>

namespace orla {

namespace {

// Withholding codes: the certificate letter as its character code.
constexpr int kCodeD = 'D';
constexpr int kCodeE = 'E';

// Every table carries the same bands in each table year: its rows are the bands in every year of
// kTableYears, newest first, dated 1 January to 31 December, and are looked up as year_bands.h describes.
// Exemption and credit bands hold wages over their low and up to their high; the others hold amounts from
// their low and below their high. High 0 is open.
struct ExemptionBand {
    int code;
    double low;
    double high;
    double exemption;
};

struct RateBand {
    int code;
    double low;
    double high;
    double base;
    double rate;
};

struct AddBackBand {
    int code;
    double low;
    double high;
    double unused;  // a column the method does not consult
    double amount;
};

struct RecaptureBand {
    int code;
    double low;
    double high;
    double amount;
};

struct CreditBand {
    int code;
    double low;
    double high;
    double fraction;
};

// Full exemption up to a threshold, 1,000 less for each further 1,000 of wages. Codes D and E have none.
constexpr ExemptionBand kExemptionBands[] = {
    {65, 0, 24000, 12000},  // A
    {65, 24000, 25000, 11000},
    {65, 25000, 26000, 10000},
    {65, 26000, 27000, 9000},
    {65, 27000, 28000, 8000},
    {65, 28000, 29000, 7000},
    {65, 29000, 30000, 6000},
    {65, 30000, 31000, 5000},
    {65, 31000, 32000, 4000},
    {65, 32000, 33000, 3000},
    {65, 33000, 34000, 2000},
    {65, 34000, 35000, 1000},
    {65, 35000, 0, 0},
    {66, 0, 38000, 19000},  // B
    {66, 38000, 39000, 18000},
    {66, 39000, 40000, 17000},
    {66, 40000, 41000, 16000},
    {66, 41000, 42000, 15000},
    {66, 42000, 43000, 14000},
    {66, 43000, 44000, 13000},
    {66, 44000, 45000, 12000},
    {66, 45000, 46000, 11000},
    {66, 46000, 47000, 10000},
    {66, 47000, 48000, 9000},
    {66, 48000, 49000, 8000},
    {66, 49000, 50000, 7000},
    {66, 50000, 51000, 6000},
    {66, 51000, 52000, 5000},
    {66, 52000, 53000, 4000},
    {66, 53000, 54000, 3000},
    {66, 54000, 55000, 2000},
    {66, 55000, 56000, 1000},
    {66, 56000, 0, 0},
    {67, 0, 48000, 24000},  // C
    {67, 48000, 49000, 23000},
    {67, 49000, 50000, 22000},
    {67, 50000, 51000, 21000},
    {67, 51000, 52000, 20000},
    {67, 52000, 53000, 19000},
    {67, 53000, 54000, 18000},
    {67, 54000, 55000, 17000},
    {67, 55000, 56000, 16000},
    {67, 56000, 57000, 15000},
    {67, 57000, 58000, 14000},
    {67, 58000, 59000, 13000},
    {67, 59000, 60000, 12000},
    {67, 60000, 61000, 11000},
    {67, 61000, 62000, 10000},
    {67, 62000, 63000, 9000},
    {67, 63000, 64000, 8000},
    {67, 64000, 65000, 7000},
    {67, 65000, 66000, 6000},
    {67, 66000, 67000, 5000},
    {67, 67000, 68000, 4000},
    {67, 68000, 69000, 3000},
    {67, 69000, 70000, 2000},
    {67, 70000, 71000, 1000},
    {67, 71000, 0, 0},
    {70, 0, 30000, 15000},  // F
    {70, 30000, 31000, 14000},
    {70, 31000, 32000, 13000},
    {70, 32000, 33000, 12000},
    {70, 33000, 34000, 11000},
    {70, 34000, 35000, 10000},
    {70, 35000, 36000, 9000},
    {70, 36000, 37000, 8000},
    {70, 37000, 38000, 7000},
    {70, 38000, 39000, 6000},
    {70, 39000, 40000, 5000},
    {70, 40000, 41000, 4000},
    {70, 41000, 42000, 3000},
    {70, 42000, 43000, 2000},
    {70, 43000, 44000, 1000},
    {70, 44000, 0, 0},
};
static_assert(std::size(kExemptionBands) == 74);

// Codes A, D and F share the brackets; B and C widen them; E withholds nothing.
constexpr RateBand kRateBands[] = {
    {65, 0, 10000, 0, 0.02},  // A
    {65, 10000, 50000, 200, 0.045},
    {65, 50000, 100000, 2000, 0.055},
    {65, 100000, 200000, 4750, 0.06},
    {65, 200000, 250000, 10750, 0.065},
    {65, 250000, 500000, 14000, 0.069},
    {65, 500000, 0, 31250, 0.0699},
    {66, 0, 16000, 0, 0.02},  // B
    {66, 16000, 80000, 320, 0.045},
    {66, 80000, 160000, 3200, 0.055},
    {66, 160000, 320000, 7600, 0.06},
    {66, 320000, 400000, 17200, 0.065},
    {66, 400000, 800000, 22400, 0.069},
    {66, 800000, 0, 50000, 0.0699},
    {67, 0, 20000, 0, 0.02},  // C
    {67, 20000, 100000, 400, 0.045},
    {67, 100000, 200000, 4000, 0.055},
    {67, 200000, 400000, 9500, 0.06},
    {67, 400000, 500000, 21500, 0.065},
    {67, 500000, 1000000, 28000, 0.069},
    {67, 1000000, 0, 62500, 0.0699},
    {68, 0, 10000, 0, 0.02},  // D
    {68, 10000, 50000, 200, 0.045},
    {68, 50000, 100000, 2000, 0.055},
    {68, 100000, 200000, 4750, 0.06},
    {68, 200000, 250000, 10750, 0.065},
    {68, 250000, 500000, 14000, 0.069},
    {68, 500000, 0, 31250, 0.0699},
    {69, 0, 0, 0, 0},  // E
    {70, 0, 10000, 0, 0.02},  // F
    {70, 10000, 50000, 200, 0.045},
    {70, 50000, 100000, 2000, 0.055},
    {70, 100000, 200000, 4750, 0.06},
    {70, 200000, 250000, 10750, 0.065},
    {70, 250000, 500000, 14000, 0.069},
    {70, 500000, 0, 31250, 0.0699},
};
static_assert(std::size(kRateBands) == 36);

constexpr AddBackBand kAddBackBands[] = {
    {65, 0, 50250, 0, 0},  // A
    {65, 50250, 52750, 0, 25},
    {65, 52750, 55250, 0, 50},
    {65, 55250, 57750, 0, 75},
    {65, 57750, 60250, 0, 100},
    {65, 60250, 62750, 0, 125},
    {65, 62750, 65250, 0, 150},
    {65, 65250, 67750, 0, 175},
    {65, 67750, 70250, 0, 200},
    {65, 70250, 72750, 0, 225},
    {65, 72750, 0, 0, 250},
    {66, 0, 78500, 0, 0},  // B
    {66, 78500, 82500, 0, 40},
    {66, 82500, 86500, 0, 80},
    {66, 86500, 90500, 0, 120},
    {66, 90500, 94500, 0, 160},
    {66, 94500, 98500, 0, 200},
    {66, 98500, 102500, 0, 240},
    {66, 102500, 106500, 0, 280},
    {66, 106500, 110500, 0, 320},
    {66, 110500, 114500, 0, 360},
    {66, 114500, 0, 0, 400},
    {67, 0, 100500, 0, 0},  // C
    {67, 100500, 105500, 0, 50},
    {67, 105500, 110500, 0, 100},
    {67, 110500, 115500, 0, 150},
    {67, 115500, 120500, 0, 200},
    {67, 120500, 125500, 0, 250},
    {67, 125500, 130500, 0, 300},
    {67, 130500, 135500, 0, 350},
    {67, 135500, 140500, 0, 400},
    {67, 140500, 145500, 0, 450},
    {67, 145500, 0, 0, 500},
    {68, 0, 50250, 0, 0},  // D
    {68, 50250, 52750, 0, 25},
    {68, 52750, 55250, 0, 50},
    {68, 55250, 57750, 0, 75},
    {68, 57750, 60250, 0, 100},
    {68, 60250, 62750, 0, 125},
    {68, 62750, 65250, 0, 150},
    {68, 65250, 67750, 0, 175},
    {68, 67750, 70250, 0, 200},
    {68, 70250, 72750, 0, 225},
    {68, 72750, 0, 0, 250},
    {70, 0, 56500, 0, 0},  // F
    {70, 56500, 61500, 0, 25},
    {70, 61500, 66500, 0, 50},
    {70, 66500, 71500, 0, 75},
    {70, 71500, 76500, 0, 100},
    {70, 76500, 81500, 0, 125},
    {70, 81500, 86500, 0, 150},
    {70, 86500, 91500, 0, 175},
    {70, 91500, 96500, 0, 200},
    {70, 96500, 101500, 0, 225},
    {70, 101500, 0, 0, 250},
};
static_assert(std::size(kAddBackBands) == 55);

// 50 bands for each code but E.
constexpr RecaptureBand kRecaptureBands[] = {
    {65, 0, 105000, 0},  // A
    {65, 105000, 110000, 25},
    {65, 110000, 115000, 50},
    {65, 115000, 120000, 75},
    {65, 120000, 125000, 100},
    {65, 125000, 130000, 125},
    {65, 130000, 135000, 150},
    {65, 135000, 140000, 175},
    {65, 140000, 145000, 200},
    {65, 145000, 150000, 225},
    {65, 150000, 200000, 250},
    {65, 200000, 205000, 340},
    {65, 205000, 210000, 430},
    {65, 210000, 215000, 520},
    {65, 215000, 220000, 610},
    {65, 220000, 225000, 700},
    {65, 225000, 230000, 790},
    {65, 230000, 235000, 880},
    {65, 235000, 240000, 970},
    {65, 240000, 245000, 1060},
    {65, 245000, 250000, 1150},
    {65, 250000, 255000, 1240},
    {65, 255000, 260000, 1330},
    {65, 260000, 265000, 1420},
    {65, 265000, 270000, 1510},
    {65, 270000, 275000, 1600},
    {65, 275000, 280000, 1690},
    {65, 280000, 285000, 1780},
    {65, 285000, 290000, 1870},
    {65, 290000, 295000, 1960},
    {65, 295000, 300000, 2050},
    {65, 300000, 305000, 2140},
    {65, 305000, 310000, 2230},
    {65, 310000, 315000, 2320},
    {65, 315000, 320000, 2410},
    {65, 320000, 325000, 2500},
    {65, 325000, 330000, 2590},
    {65, 330000, 335000, 2680},
    {65, 335000, 340000, 2770},
    {65, 340000, 345000, 2860},
    {65, 345000, 500000, 2950},
    {65, 500000, 505000, 3000},
    {65, 505000, 510000, 3050},
    {65, 510000, 515000, 3100},
    {65, 515000, 520000, 3150},
    {65, 520000, 525000, 3200},
    {65, 525000, 530000, 3250},
    {65, 530000, 535000, 3300},
    {65, 535000, 540000, 3350},
    {65, 540000, 0, 3400},
    {66, 0, 168000, 0},  // B
    {66, 168000, 176000, 40},
    {66, 176000, 184000, 80},
    {66, 184000, 192000, 120},
    {66, 192000, 200000, 160},
    {66, 200000, 208000, 200},
    {66, 208000, 216000, 240},
    {66, 216000, 224000, 280},
    {66, 224000, 232000, 320},
    {66, 232000, 240000, 360},
    {66, 240000, 320000, 400},
    {66, 320000, 328000, 540},
    {66, 328000, 336000, 680},
    {66, 336000, 344000, 820},
    {66, 344000, 352000, 960},
    {66, 352000, 360000, 1100},
    {66, 360000, 368000, 1240},
    {66, 368000, 376000, 1380},
    {66, 376000, 384000, 1520},
    {66, 384000, 392000, 1660},
    {66, 392000, 400000, 1800},
    {66, 400000, 408000, 1940},
    {66, 408000, 416000, 2080},
    {66, 416000, 424000, 2220},
    {66, 424000, 432000, 2360},
    {66, 432000, 440000, 2500},
    {66, 440000, 448000, 2640},
    {66, 448000, 456000, 2780},
    {66, 456000, 464000, 2920},
    {66, 464000, 472000, 3060},
    {66, 472000, 480000, 3200},
    {66, 480000, 488000, 3340},
    {66, 488000, 496000, 3480},
    {66, 496000, 504000, 3620},
    {66, 504000, 512000, 3760},
    {66, 512000, 520000, 3900},
    {66, 520000, 528000, 4040},
    {66, 528000, 536000, 4180},
    {66, 536000, 544000, 4320},
    {66, 544000, 552000, 4460},
    {66, 552000, 800000, 4600},
    {66, 800000, 808000, 4680},
    {66, 808000, 816000, 4760},
    {66, 816000, 824000, 4840},
    {66, 824000, 832000, 4920},
    {66, 832000, 840000, 5000},
    {66, 840000, 848000, 5080},
    {66, 848000, 856000, 5160},
    {66, 856000, 864000, 5240},
    {66, 864000, 0, 5320},
    {67, 0, 210000, 0},  // C
    {67, 210000, 220000, 50},
    {67, 220000, 230000, 100},
    {67, 230000, 240000, 150},
    {67, 240000, 250000, 200},
    {67, 250000, 260000, 250},
    {67, 260000, 270000, 300},
    {67, 270000, 280000, 350},
    {67, 280000, 290000, 400},
    {67, 290000, 300000, 450},
    {67, 300000, 400000, 500},
    {67, 400000, 410000, 680},
    {67, 410000, 420000, 860},
    {67, 420000, 430000, 1040},
    {67, 430000, 440000, 1220},
    {67, 440000, 450000, 1400},
    {67, 450000, 460000, 1580},
    {67, 460000, 470000, 1760},
    {67, 470000, 480000, 1940},
    {67, 480000, 490000, 2120},
    {67, 490000, 500000, 2300},
    {67, 500000, 510000, 2480},
    {67, 510000, 520000, 2660},
    {67, 520000, 530000, 2840},
    {67, 530000, 540000, 3020},
    {67, 540000, 550000, 3200},
    {67, 550000, 560000, 3380},
    {67, 560000, 570000, 3560},
    {67, 570000, 580000, 3740},
    {67, 580000, 590000, 3920},
    {67, 590000, 600000, 4100},
    {67, 600000, 610000, 4280},
    {67, 610000, 620000, 4460},
    {67, 620000, 630000, 4640},
    {67, 630000, 640000, 4820},
    {67, 640000, 650000, 5000},
    {67, 650000, 660000, 5180},
    {67, 660000, 670000, 5360},
    {67, 670000, 680000, 5540},
    {67, 680000, 690000, 5720},
    {67, 690000, 1000000, 5900},
    {67, 1000000, 1010000, 6000},
    {67, 1010000, 1020000, 6100},
    {67, 1020000, 1030000, 6200},
    {67, 1030000, 1040000, 6300},
    {67, 1040000, 1050000, 6400},
    {67, 1050000, 1060000, 6500},
    {67, 1060000, 1070000, 6600},
    {67, 1070000, 1080000, 6700},
    {67, 1080000, 0, 6800},
    {68, 0, 105000, 0},  // D
    {68, 105000, 110000, 25},
    {68, 110000, 115000, 50},
    {68, 115000, 120000, 75},
    {68, 120000, 125000, 100},
    {68, 125000, 130000, 125},
    {68, 130000, 135000, 150},
    {68, 135000, 140000, 175},
    {68, 140000, 145000, 200},
    {68, 145000, 150000, 225},
    {68, 150000, 200000, 250},
    {68, 200000, 205000, 340},
    {68, 205000, 210000, 430},
    {68, 210000, 215000, 520},
    {68, 215000, 220000, 610},
    {68, 220000, 225000, 700},
    {68, 225000, 230000, 790},
    {68, 230000, 235000, 880},
    {68, 235000, 240000, 970},
    {68, 240000, 245000, 1060},
    {68, 245000, 250000, 1150},
    {68, 250000, 255000, 1240},
    {68, 255000, 260000, 1330},
    {68, 260000, 265000, 1420},
    {68, 265000, 270000, 1510},
    {68, 270000, 275000, 1600},
    {68, 275000, 280000, 1690},
    {68, 280000, 285000, 1780},
    {68, 285000, 290000, 1870},
    {68, 290000, 295000, 1960},
    {68, 295000, 300000, 2050},
    {68, 300000, 305000, 2140},
    {68, 305000, 310000, 2230},
    {68, 310000, 315000, 2320},
    {68, 315000, 320000, 2410},
    {68, 320000, 325000, 2500},
    {68, 325000, 330000, 2590},
    {68, 330000, 335000, 2680},
    {68, 335000, 340000, 2770},
    {68, 340000, 345000, 2860},
    {68, 345000, 500000, 2950},
    {68, 500000, 505000, 3000},
    {68, 505000, 510000, 3050},
    {68, 510000, 515000, 3100},
    {68, 515000, 520000, 3150},
    {68, 520000, 525000, 3200},
    {68, 525000, 530000, 3250},
    {68, 530000, 535000, 3300},
    {68, 535000, 540000, 3350},
    {68, 540000, 0, 3400},
    {70, 0, 105000, 0},  // F
    {70, 105000, 110000, 25},
    {70, 110000, 115000, 50},
    {70, 115000, 120000, 75},
    {70, 120000, 125000, 100},
    {70, 125000, 130000, 125},
    {70, 130000, 135000, 150},
    {70, 135000, 140000, 175},
    {70, 140000, 145000, 200},
    {70, 145000, 150000, 225},
    {70, 150000, 200000, 250},
    {70, 200000, 205000, 340},
    {70, 205000, 210000, 430},
    {70, 210000, 215000, 520},
    {70, 215000, 220000, 610},
    {70, 220000, 225000, 700},
    {70, 225000, 230000, 790},
    {70, 230000, 235000, 880},
    {70, 235000, 240000, 970},
    {70, 240000, 245000, 1060},
    {70, 245000, 250000, 1150},
    {70, 250000, 255000, 1240},
    {70, 255000, 260000, 1330},
    {70, 260000, 265000, 1420},
    {70, 265000, 270000, 1510},
    {70, 270000, 275000, 1600},
    {70, 275000, 280000, 1690},
    {70, 280000, 285000, 1780},
    {70, 285000, 290000, 1870},
    {70, 290000, 295000, 1960},
    {70, 295000, 300000, 2050},
    {70, 300000, 305000, 2140},
    {70, 305000, 310000, 2230},
    {70, 310000, 315000, 2320},
    {70, 315000, 320000, 2410},
    {70, 320000, 325000, 2500},
    {70, 325000, 330000, 2590},
    {70, 330000, 335000, 2680},
    {70, 335000, 340000, 2770},
    {70, 340000, 345000, 2860},
    {70, 345000, 500000, 2950},
    {70, 500000, 505000, 3000},
    {70, 505000, 510000, 3050},
    {70, 510000, 515000, 3100},
    {70, 515000, 520000, 3150},
    {70, 520000, 525000, 3200},
    {70, 525000, 530000, 3250},
    {70, 530000, 535000, 3300},
    {70, 535000, 540000, 3350},
    {70, 540000, 0, 3400},
};
static_assert(std::size(kRecaptureBands) == 250);

constexpr CreditBand kCreditBands[] = {
    {65, 12000, 15000, 0.75},  // A
    {65, 15000, 15500, 0.7},
    {65, 15500, 16000, 0.65},
    {65, 16000, 16500, 0.6},
    {65, 16500, 17000, 0.55},
    {65, 17000, 17500, 0.5},
    {65, 17500, 18000, 0.45},
    {65, 18000, 18500, 0.4},
    {65, 18500, 20000, 0.35},
    {65, 20000, 20500, 0.3},
    {65, 20500, 21000, 0.25},
    {65, 21000, 21500, 0.2},
    {65, 21500, 25000, 0.15},
    {65, 25000, 25500, 0.14},
    {65, 25500, 26000, 0.13},
    {65, 26000, 26500, 0.12},
    {65, 26500, 27000, 0.11},
    {65, 27000, 48000, 0.1},
    {65, 48000, 48500, 0.09},
    {65, 48500, 49000, 0.08},
    {65, 49000, 49500, 0.07},
    {65, 49500, 50000, 0.06},
    {65, 50000, 50500, 0.05},
    {65, 50500, 51000, 0.04},
    {65, 51000, 51500, 0.03},
    {65, 51500, 52000, 0.02},
    {65, 52000, 52500, 0.01},
    {65, 52500, 0, 0},
    {66, 19000, 24000, 0.75},  // B
    {66, 24000, 24500, 0.7},
    {66, 24500, 25000, 0.65},
    {66, 25000, 25500, 0.6},
    {66, 25500, 26000, 0.55},
    {66, 26000, 26500, 0.5},
    {66, 26500, 27000, 0.45},
    {66, 27000, 27500, 0.4},
    {66, 27500, 34000, 0.35},
    {66, 34000, 34500, 0.3},
    {66, 34500, 35000, 0.25},
    {66, 35000, 35500, 0.2},
    {66, 35500, 44000, 0.15},
    {66, 44000, 44500, 0.14},
    {66, 44500, 45000, 0.13},
    {66, 45000, 45500, 0.12},
    {66, 45500, 46000, 0.11},
    {66, 46000, 74000, 0.1},
    {66, 74000, 74500, 0.09},
    {66, 74500, 75000, 0.08},
    {66, 75000, 75500, 0.07},
    {66, 75500, 76000, 0.06},
    {66, 76000, 76500, 0.05},
    {66, 76500, 77000, 0.04},
    {66, 77000, 77500, 0.03},
    {66, 77500, 78000, 0.02},
    {66, 78000, 78500, 0.01},
    {66, 78500, 0, 0},
    {67, 24000, 30000, 0.75},  // C
    {67, 30000, 30500, 0.7},
    {67, 30500, 31000, 0.65},
    {67, 31000, 31500, 0.6},
    {67, 31500, 32000, 0.55},
    {67, 32000, 32500, 0.5},
    {67, 32500, 33000, 0.45},
    {67, 33000, 33500, 0.4},
    {67, 33500, 40000, 0.35},
    {67, 40000, 40500, 0.3},
    {67, 40500, 41000, 0.25},
    {67, 41000, 41500, 0.2},
    {67, 41500, 50000, 0.15},
    {67, 50000, 50500, 0.14},
    {67, 50500, 51000, 0.13},
    {67, 51000, 51500, 0.12},
    {67, 51500, 52000, 0.11},
    {67, 52000, 96000, 0.1},
    {67, 96000, 96500, 0.09},
    {67, 96500, 97000, 0.08},
    {67, 97000, 97500, 0.07},
    {67, 97500, 98000, 0.06},
    {67, 98000, 98500, 0.05},
    {67, 98500, 99000, 0.04},
    {67, 99000, 99500, 0.03},
    {67, 99500, 100000, 0.02},
    {67, 100000, 100500, 0.01},
    {67, 100500, 0, 0},
    {68, 0, 0, 0},  // D
    {69, 0, 0, 0},  // E
    {70, 15000, 18800, 0.75},  // F
    {70, 18800, 19300, 0.7},
    {70, 19300, 19800, 0.65},
    {70, 19800, 20300, 0.6},
    {70, 20300, 20800, 0.55},
    {70, 20800, 21300, 0.5},
    {70, 21300, 21800, 0.45},
    {70, 21800, 22300, 0.4},
    {70, 22300, 25000, 0.35},
    {70, 25000, 25500, 0.3},
    {70, 25500, 26000, 0.25},
    {70, 26000, 26500, 0.2},
    {70, 26500, 31300, 0.15},
    {70, 31300, 31800, 0.14},
    {70, 31800, 32300, 0.13},
    {70, 32300, 32800, 0.12},
    {70, 32800, 33300, 0.11},
    {70, 33300, 60000, 0.1},
    {70, 60000, 60500, 0.09},
    {70, 60500, 61000, 0.08},
    {70, 61000, 61500, 0.07},
    {70, 61500, 62000, 0.06},
    {70, 62000, 62500, 0.05},
    {70, 62500, 63000, 0.04},
    {70, 63000, 63500, 0.03},
    {70, 63500, 64000, 0.02},
    {70, 64000, 64500, 0.01},
    {70, 64500, 0, 0},
};
static_assert(std::size(kCreditBands) == 114);

// How a band holds an amount: wages over its low and up to its high (exemption, credit); amounts from its
// low and below its high (rate, add-back); or, for the recapture, that range or any amount at all once the
// band is the open one. High 0 is open.
enum class Holds { Above, From, FromOrOpen };

template <Holds kind, class Band>
constexpr bool holds(const Band& b, double x) {
    if constexpr (kind == Holds::Above) return b.low < x && (x <= b.high || b.high == 0);
    if constexpr (kind == Holds::From) return b.low <= x && (x < b.high || b.high == 0);
    return (b.low <= x && x < b.high) || b.high == 0;
}

// The bands of each withholding code, A to F, and whether they follow each other without gap or overlap
// (each high the next low, ascending, only the last one open): such bands are searched by bisection,
// which finds the same first band (see firstBand). The table years are found by tableYearCovers.
constexpr int kCodeA = 'A';
constexpr std::size_t kCodes = 6;

constexpr std::size_t kGridCells = 512;

template <class Band, std::size_t N>
struct CodeBands {
    struct Code {
        std::span<const Band> bands;
        bool contiguous = false;
        LowGrid<kGridCells> grid;
    };
    Code codes[kCodes]{};

    constexpr explicit CodeBands(const Band (&bands)[N]) {
        const KeyedBands<Band, N, kCodes> byCode(bands, [](const Band& b) { return b.code - kCodeA; });
        for (std::size_t k = 0; k < kCodes; ++k) {
            const std::span<const Band> of = byCode.of(static_cast<int>(k));
            bool ok = !of.empty() && of.back().high == 0;
            for (std::size_t i = 0; ok && i + 1 < of.size(); ++i)
                ok = of[i].high != 0 && of[i].low < of[i].high && of[i].high == of[i + 1].low;
            codes[k] = Code{of, ok, LowGrid<kGridCells>(of)};
        }
    }

    // The bands of a code (none for a code other than A to F).
    constexpr const Code* of(int code) const {
        return code >= kCodeA && code < kCodeA + static_cast<int>(kCodes) ? &codes[code - kCodeA] : nullptr;
    }
};

// The first band of a code, in stored order, that holds x. Among contiguous bands those before the one
// whose range holds x end at or below x and those after it start above x, and no band but the last is
// open, so that band is the first to hold x; with x outside every range (below the first low, or NaN) no
// band holds it, except the open last band for the recapture. As each high is the next low, the band
// whose range holds x is the last whose low is below x (Above) or does not exceed x (the others).
template <Holds kind, class Band, std::size_t N>
const Band* firstBand(const CodeBands<Band, N>& table, int code, double x) {
    const auto* of = table.of(code);
    if (of == nullptr || of->bands.empty()) return nullptr;
    const std::span<const Band> bands = of->bands;
    if (!of->contiguous) {
        for (const Band& b : bands)
            if (holds<kind>(b, x)) return &b;
        return nullptr;
    }
    if (kind == Holds::Above ? !(x > bands.front().low) : !(x >= bands.front().low))
        return kind == Holds::FromOrOpen ? &bands.back() : nullptr;
    std::size_t n = of->grid.lowsAtMost(bands, x);  // at least 1: x is not below the first low
    if (kind == Holds::Above)
        while (n > 1 && !(bands[n - 1].low < x)) --n;
    return &bands[n - 1];
}

// The band of the first row in stored order of a dated table (overTableYears) that covers the pay date,
// serves the code and holds x; inTableYears tells whether a table year covers the pay date.
template <Holds kind, class Band, std::size_t N>
const Band* findBand(const CodeBands<Band, N>& table, bool inTableYears, int code, double x) {
    return inTableYears ? firstBand<kind>(table, code, x) : nullptr;
}

constexpr CodeBands kExemptionIndex(kExemptionBands);
constexpr CodeBands kRateIndex(kRateBands);
constexpr CodeBands kAddBackIndex(kAddBackBands);
constexpr CodeBands kRecaptureIndex(kRecaptureBands);
constexpr CodeBands kCreditIndex(kCreditBands);

// The tax of one pay for annual wages A (before the exemption). Sets failed when the exemption (codes
// other than D and E) or the rate has no row; a missing rate leaves the annual tax at 0.
double payTax(bool inTableYears, int code, int periods, double annualWages, double reduction, bool& failed) {
    double annual = annualWages;
    if (const ExemptionBand* e = findBand<Holds::Above>(kExemptionIndex, inTableYears, code, annual))
        annual = annual - e->exemption;
    else if (code != kCodeD && code != kCodeE)
        failed = true;
    const double taxable = zeroFloor(annual);

    double tax = 0.0;
    if (const RateBand* r = findBand<Holds::From>(kRateIndex, inTableYears, code, taxable))
        tax = (taxable - r->low) * r->rate + r->base;
    else
        failed = true;
    if (const AddBackBand* a = findBand<Holds::From>(kAddBackIndex, inTableYears, code, taxable))
        tax = tax + a->amount;
    // A recapture band is taken by its range, or as soon as it is the open one.
    if (const RecaptureBand* r = findBand<Holds::FromOrOpen>(kRecaptureIndex, inTableYears, code, taxable))
        tax = tax + r->amount;
    // The credit is set by the wages before the exemption.
    const CreditBand* c = findBand<Holds::Above>(kCreditIndex, inTableYears, code, annualWages);
    tax = tax * (1 - (c ? c->fraction : 0.0));

    if (periods >= 1) tax = tax / periods;
    return zeroFloor(tax - reduction);
}

}  // namespace

int calcConnecticut(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const bool inTableYears = tableYearCovers(pay->payDate);
    const int code = state->stateWithholdingCode;
    const int periods = state->statePayPeriods;
    bool failed = false;
    state->stateTax = payTax(inTableYears, code, periods, periods * state->stateWages, state->stateReducedWithholding, failed);

    if (has(state, 144) && state->stateSuppWages > 0) {
        // The bonus is annualised like wages; the difference of the two pay taxes is the bonus's tax.
        const double withBonus = periods * state->stateWages + periods * state->stateSuppWages;
        const double total = payTax(inTableYears, code, periods, withBonus, state->stateReducedWithholding, failed);
        state->stateSuppTax = roundCents(zeroFloor(zeroFloor(total) - state->stateTax));
    }

    if (!failed) return 0;
    state->status = ORLA_STATE_NO_ROW;
    return 1;
}

}  // namespace orla
