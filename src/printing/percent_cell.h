#pragma once

#include "fields/sheet.h"
#include "printing/print_item.h"

// The printed cell of an error that a field holds as a fraction: 0.0123 prints as
// the number item " 1.23 " with "%" adjacent. An empty field, a test not made yet,
// gives an empty cell; the zone step after it still keeps the next column in place.
struct PercentCell {
    PrintItem number;
    PrintItem sign;

    // Raises ReportStopped, naming the field, when it holds text that is not a
    // number (typed there by hand) or a percentage beyond the printable range.
    static PercentCell of(const Sheet& sheet, FieldId field);
};
