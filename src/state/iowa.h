// Iowa income tax withholding: a flat rate from 2025, a three-bracket table in 2024.
#pragma once

#include "frame/common.h"

namespace orla {

// The table from 2025: per date range, periods and status, the standard deductions of the two
// certificates, the credit per allowance and the flat rate (no brackets).
struct IowaRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;
    double deductionOlderCertificate;
    double deductionNewerCertificate;
    double creditPerAllowance;
    double reserved1;  // not consulted
    double reserved2;
    double reserved3;
    double rate;
};

// The 2024 table: common brackets with the two standard deductions.
struct Iowa2024Row {
    CalcDate from;
    CalcDate to;
    int reserved;  // not consulted
    int periods;
    double deductionLower;
    double deductionHigher;
    double creditPerAllowance;  // used by rules before 2024 only
    double low;
    double high;
    double base;
    double rate;
};

struct IowaSupplementalRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

std::span<const IowaRow> iowaTable();
std::span<const Iowa2024Row> iowa2024Table();
std::span<const IowaSupplementalRow> iowaSupplementalTable();

}  // namespace orla
