#include "flowrate/flow_rate_report.h"

#include "flowrate/rate_sheet.h"
#include "printing/print_letterhead.h"
#include "printing/printer.h"

void printFlowRateReport(const RateSheet& sheet, Printer& printer)
{
    // Names no face, so the printer's own sans-serif face serves every line.
    printer.FontName({});
    PrintLetterhead(printer);
    printer.FontSize(12.0f);
    printer.FontBold(false);
    printer.BlankLines(7);
    printer.Print({sheet.text(sheet.texPpg), "  PULSES per GALLON"});
    printer.BlankLines(1);
    printer.Print({sheet.text(sheet.texLbs), "  Lbs per GALLON"});
    printer.BlankLines(1);
    printer.Print({sheet.text(sheet.texHz), "  FRQUENCY"});
    printer.BlankLines(1);
    printer.Print({sheet.text(sheet.texRate), "  RATE"});
    printer.BlankLines(13);
    printer.EndDoc();
}
