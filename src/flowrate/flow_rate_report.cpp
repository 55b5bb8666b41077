#include "flowrate/flow_rate_report.h"

#include "flowrate/rate_sheet.h"
#include "printing/print_letterhead.h"
#include "printing/printer.h"

namespace {

void blankLines(Printer& printer, int count)
{
    for (int line = 0; line < count; ++line)
        printer.Print();
}

} // namespace

void printFlowRateReport(const RateSheet& sheet, Printer& printer)
{
    // Names no face, so the printer's own sans-serif face serves every line.
    printer.FontName({});
    PrintLetterhead(printer);
    printer.FontSize(12.0f);
    printer.FontBold(false);
    blankLines(printer, 7);
    printer.Print({sheet.text(sheet.texPpg), "  PULSES per GALLON"});
    blankLines(printer, 1);
    printer.Print({sheet.text(sheet.texLbs), "  Lbs per GALLON"});
    blankLines(printer, 1);
    printer.Print({sheet.text(sheet.texHz), "  FRQUENCY"});
    blankLines(printer, 1);
    printer.Print({sheet.text(sheet.texRate), "  RATE"});
    blankLines(printer, 13);
    printer.EndDoc();
}
