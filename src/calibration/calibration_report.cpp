#include "calibration/calibration_report.h"

#include "layout/details_block.h"
#include "layout/letterhead.h"
#include "layout/printer.h"

namespace {

// The printed cell of an error that a field holds as a fraction: 0.0123 prints as
// the number item " 1.23 " with "%" adjacent. An empty field, a test not made yet or
// a result the readings cannot give, prints as an empty cell; the zone step after it
// still keeps the next column in place. A result only ever holds what the worksheet
// computed, so a text that is no number cannot arise.
std::vector<PrintItem> percentage(const Sheet& sheet, FieldId field)
{
    try {
        return {PrintItem::number(times(strictNumber(sheet.text(field)), 100.0)), "%"};
    } catch (const StepFailed&) {
        return {};
    }
}

// The cells in their zones.
std::vector<PrintItem> line(const Sheet& sheet, const std::vector<CalibrationReportForm::Cell>& cells)
{
    std::vector<PrintItem> items;
    for (const CalibrationReportForm::Cell& cell : cells) {
        if (!items.empty())
            items.push_back(nextZone);
        if (cell.percentage) {
            const std::vector<PrintItem> percent = percentage(sheet, cell.field);
            items.insert(items.end(), percent.begin(), percent.end());
        } else {
            items.push_back(sheet.text(cell.field));
        }
    }
    return items;
}

}  // namespace

void printCalibrationReport(const CalibrationSheet& sheet, const CalibrationReportForm& form, const ReportJob& job,
                            Printer& printer)
{
    std::array<std::vector<PrintItem>, 3> tests;
    for (std::size_t test = 0; test < tests.size(); ++test) {
        tests[test] = line(sheet, form.tests[test]);
        tests[test].insert(tests[test].end(), {nextZone, "Batch #" + std::to_string(test + 1)
                                                             + (sheet.notCounted(test) ? ", not counted" : "")});
    }
    const std::vector<PrintItem> averages =
        line(sheet, {{sheet.averageScale}, {sheet.averageDisplay}, {sheet.sumError, true}});

    // Names no face, so the printer's own sans-serif face serves every line.
    printer.setFontName({});
    printLetterhead(printer);
    std::vector<JudgedError> errors;
    for (std::size_t test = 0; test < sheet.tests.size(); ++test)
        errors.push_back({"Test " + std::to_string(test + 1), sheet.exactError(sheet.tests[test].percentError)});
    errors.push_back({"Average error", sheet.exactError(sheet.sumError)});
    printJobDetails(printer, job, form.readings, errors);
    printer.setFontSize(12.0f);
    printer.setFontBold(true);
    printer.printBlankLines(2);
    printer.print({form.title});
    printer.printBlankLines(1);
    printer.setFontBold(false);
    // The label follows the factor directly, however long the factor is.
    printer.print({sheet.text(sheet.existingFactor), "  Existing Flow Cal. Factor"});
    printer.printBlankLines(3);
    printer.print(form.headingAbove);
    printer.print(form.headingBelow);
    for (const std::vector<PrintItem>& test : tests) {
        printer.printBlankLines(1);
        printer.print(test);
    }
    printer.printBlankLines(2);
    printer.print({nextZone, "Average", nextZone, "Average"});
    printer.print({"Average", nextZone, "Mass", nextZone, "Percent"});
    printer.print({"Scale", nextZone, "Display", nextZone, "of Error"});
    printer.printBlankLines(1);
    printer.print(averages);
    printer.printBlankLines(2);
    printer.setFontSize(14.0f);
    printer.setFontBold(true);
    printer.print({sheet.text(sheet.newFactor), "       New Flow Cal. Factor"});
    printer.printBlankLines(3);
}
