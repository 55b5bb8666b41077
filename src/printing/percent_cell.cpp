#include "printing/percent_cell.h"

#include "fields/number_text.h"
#include "printing/report_stopped.h"

PercentCell PercentCell::of(const Sheet& sheet, FieldId field)
{
    const std::string& held = sheet.text(field);
    try {
        return {PrintItem::number(Mul(NumStrict(held), 100.0)), "%"};
    } catch (const StepFailed& failure) {
        if (failure.kind == StepFailed::Kind::Empty)
            return {};
        const char* why = failure.kind == StepFailed::Kind::NotANumber ? "which is not a number"
                                                                        : "which is too large to print";
        throw ReportStopped(sheet.caption(field) + " holds \"" + held + "\", " + why
                            + ".\nNothing was printed.");
    }
}
