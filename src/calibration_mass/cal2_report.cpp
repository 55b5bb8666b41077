#include "calibration_mass/cal2_report.h"

#include "calibration_mass/cal2_sheet.h"
#include "printing/percent_cell.h"
#include "printing/print_letterhead.h"
#include "printing/printer.h"

void printCal2Report(const Cal2Sheet& sheet, Printer& printer)
{
    // Every percentage is read before the first line, so that a field that cannot
    // be printed leaves no page begun.
    const PercentCell error1 = PercentCell::of(sheet, sheet.MaskedEdit1);
    const PercentCell error2 = PercentCell::of(sheet, sheet.MaskedEdit2);
    const PercentCell error3 = PercentCell::of(sheet, sheet.MaskedEdit3);
    const PercentCell averageError = PercentCell::of(sheet, sheet.MaskedEdit4);
    const auto field = [&sheet](FieldId id) { return PrintItem(sheet.text(id)); };

    // Names no face, so the printer's own sans-serif face serves every line.
    printer.FontName({});
    PrintLetterhead(printer);
    printer.FontSize(12.0f);
    printer.FontBold(true);
    printer.BlankLines(2);
    printer.Print({"DISPENSER CALIBRATION  WITH A MASS DISPLAY"});
    printer.BlankLines(1);
    printer.FontBold(false);
    // The label follows the factor directly, however long the factor is.
    printer.Print({field(sheet.Text21), "  Existing Flow Cal. Factor"});
    printer.BlankLines(3);
    printer.Print({nextZone, "Mass", nextZone, "Percent"});
    printer.Print({"Scale", nextZone, "Display", nextZone, "of Error"});
    printer.BlankLines(1);
    printer.Print({field(sheet.Text1), nextZone, field(sheet.Text2), nextZone, error1.number, error1.sign,
                   nextZone, "Batch #1"});
    printer.BlankLines(1);
    printer.Print({field(sheet.Text5), nextZone, field(sheet.Text6), nextZone, error2.number, error2.sign,
                   nextZone, "Batch #2"});
    printer.BlankLines(1);
    printer.Print({field(sheet.Text9), nextZone, field(sheet.Text10), nextZone, error3.number, error3.sign,
                   nextZone, "Batch #3"});
    printer.BlankLines(2);
    printer.Print({nextZone, "Average", nextZone, "Average"});
    printer.Print({"Average", nextZone, "Mass", nextZone, "Percent"});
    printer.Print({"Scale", nextZone, "Display", nextZone, "of Error"});
    printer.BlankLines(1);
    printer.Print({field(sheet.Text17), nextZone, field(sheet.Text18), nextZone, averageError.number,
                   averageError.sign});
    printer.BlankLines(2);
    printer.FontSize(14.0f);
    printer.FontBold(true);
    printer.Print({field(sheet.Text22), "       New Flow Cal. Factor"});
    printer.BlankLines(3);
    printer.EndDoc();
}
