// Advance earned income credit. The advance payment ended with the 2010 pay year: the export keeps its
// place in the interface and its record, but its bracket table holds no rows for any year the library
// supports, so every call reports that no row covers the pay date.
#include "frame/common.h"

extern "C" ORLA_API int ORLA_CALL ORLA_AEIC_Calc(AeicRecord* record) {
    if (record == nullptr) return 1;
    record->status = 1;
    if (record->advanceEic < 0) record->advanceEic = 0.0;
    return 1;
}
