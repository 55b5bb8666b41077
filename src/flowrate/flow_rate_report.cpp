#include "flowrate/flow_rate_report.h"

#include "flowrate/flow_rate_sheet.h"
#include "layout/details_block.h"
#include "layout/letterhead.h"
#include "layout/printer.h"

void printFlowRateReport(const FlowRateSheet& sheet, const ReportJob& job, Printer& printer)
{
    // Names no face, so the printer's own sans-serif face serves every line.
    printer.setFontName({});
    printLetterhead(printer);
    printJobDetails(printer, job, {"Maximum flow: " + sheet.text(sheet.maximumFlow) + "  Lbs/MIN."});
    printer.setFontSize(12.0f);
    printer.setFontBold(false);
    printer.printBlankLines(7);
    printer.print({sheet.text(sheet.pulsesPerGallon), "  PULSES per GALLON"});
    printer.printBlankLines(1);
    printer.print({sheet.text(sheet.density), "  Lbs per GALLON"});
    printer.printBlankLines(1);
    printer.print({sheet.text(sheet.frequency), "  FRQUENCY"});
    printer.printBlankLines(1);
    printer.print({sheet.text(sheet.rate), "  RATE"});
    printer.printBlankLines(13);
}
