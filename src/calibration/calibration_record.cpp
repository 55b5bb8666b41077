#include "calibration/calibration_record.h"

#include "calibration/calibration_phases.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "layout/details_block.h"
#include "layout/letterhead.h"
#include "layout/printer.h"
#include "sheet/display_format.h"

#include <algorithm>

namespace {

// One phase of a worked calibration, as the record prints it.
class PhasePrinter {
public:
    PhasePrinter(const WorkedCalibration& worked, const KeptJob& job, const RecordTerms& terms)
        : m_worked(worked), m_job(job), m_terms(terms)
    {
    }

    // The heading, the tests' table, the average and the repeatability.
    void table(Printer& printer, int phase) const
    {
        const CalibrationSheet& sheet = *m_worked.phases.at(phase);
        const auto* noMass = dynamic_cast<const CalibrationNoMassSheet*>(&sheet);
        const Tolerance& tolerance = m_job.details.tolerance;
        // As found, the maintenance limit is the one to pass; as left, the acceptance limit.
        const Tolerance heldTo = phase == 0 && !tolerance.maintenance.empty() ? Tolerance{{}, tolerance.maintenance}
                                                                              : limits(phase);
        printer.setFontBold(true);
        printer.print({phaseHeading(phase) + ", factor " + sheet.text(sheet.existingFactor)
                       + (heldTo.isSet() ? ", held to " + toleranceText(heldTo) : std::string())});
        printer.setFontBold(false);
        std::vector<PrintItem> heading{nextZone, "Scale (lb)"};
        if (noMass)
            heading.insert(heading.end(), {nextZone, "Gallons"});
        heading.insert(heading.end(),
                       {nextZone, noMass ? "Mass (lb)" : "Display (lb)", nextZone, "Error", nextZone, "Verdict"});
        printer.print(heading);
        std::vector<Verdict> verdicts;
        for (std::size_t test = 0; test < sheet.tests.size(); ++test) {
            if (!sheet.testTyped(test))
                continue;
            const CalibrationSheet::Test& t = sheet.tests[test];
            std::vector<PrintItem> row{"Test " + std::to_string(test + 1), nextZone, sheet.text(t.scale)};
            if (noMass)
                row.insert(row.end(), {nextZone, sheet.text(noMass->gallons[test])});
            row.insert(row.end(), {nextZone, sheet.text(t.display)});
            verdicts.push_back(judged(row, sheet, phase, t.percentError, sheet.notCounted(test)));
            printer.print(row);
        }
        std::vector<PrintItem> average{"Average", nextZone, sheet.text(sheet.averageScale)};
        if (noMass)
            average.push_back(nextZone);
        average.insert(average.end(), {nextZone, sheet.text(sheet.averageDisplay)});
        verdicts.push_back(judged(average, sheet, phase, m_worked.averageError(phase), false));
        printer.print(average);
        const std::optional<Repeatability> range =
            repeatability(sheet.countedErrors(), m_job.details.tolerance, m_terms.repeatabilityShare);
        printer.print({"Repeatability (range of the errors): "
                       + (range ? range->range
                                      + (range->verdict == Verdict::None
                                             ? std::string()
                                             : "  " + verdictWord(range->verdict) + ", limit " + range->limit + " ("
                                                   + m_terms.repeatabilityShare + " % of the maintenance tolerance)")
                                : std::string("fewer than two tests"))});
        const auto any = [&](Verdict verdict) { return std::count(verdicts.begin(), verdicts.end(), verdict) > 0; };
        const bool judged = any(Verdict::Within) || any(Verdict::MaintenanceOnly) || any(Verdict::Outside);
        const bool errorsWithin = !any(Verdict::Outside);
        const bool rangeWithin = !range || range->verdict != Verdict::Outside;
        if (judged)
            printer.print({"Result " + phaseTitle(phase) + ": "
                           + (errorsWithin && rangeWithin ? std::string("passes")
                              : !errorsWithin && !rangeWithin
                                  ? std::string("FAILS (an error and the repeatability outside their limits)")
                              : !errorsWithin ? std::string("FAILS (an error outside the tolerance)")
                                              : std::string("FAILS (the repeatability outside its limit)"))});
    }

    // A round between the first and the last, in one line.
    void line(Printer& printer, int phase) const
    {
        const CalibrationSheet& sheet = *m_worked.phases.at(phase);
        const FieldId average = m_worked.averageError(phase);
        const Verdict verdict = m_worked.judgement(phase, average, m_job.details.tolerance).verdict;
        printer.print({phaseHeading(phase) + ", factor " + sheet.text(sheet.existingFactor) + ": average error "
                       + m_worked.averageErrorShown(phase) + "  " + verdictWord(verdict)});
    }

    static std::string phaseHeading(int phase)
    {
        std::string title = phaseTitle(phase);
        for (char& c : title)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        return title;
    }

private:
    Tolerance limits(int phase) const
    {
        return phaseTolerance(m_job.details.tolerance, phase == 0 ? Phase::AsFound : Phase::AsLeft);
    }

    // An error as the worksheet shows it, its verdict, and the exact error where the
    // value shown would be judged otherwise; the verdict.
    Verdict judged(std::vector<PrintItem>& row, const CalibrationSheet& sheet, int phase, FieldId error,
                   bool notCounted) const
    {
        const CalibrationSheet::Judgement judgement = m_worked.judgement(phase, error, m_job.details.tolerance);
        row.insert(row.end(), {nextZone, percentDisplay(sheet.text(error), m_worked.worksheet->decimals), nextZone,
                               notCounted ? std::string("not counted")
                                          : verdictWord(judgement.verdict)
                                                + (judgement.exactShown.empty() ? std::string()
                                                                                : " (" + judgement.exactShown + ")")});
        return judgement.verdict;
    }

    const WorkedCalibration& m_worked;
    const KeptJob& m_job;
    const RecordTerms& m_terms;
};

}  // namespace

Report recordReport(KeptJob job, RecordTerms terms)
{
    return [job = std::move(job), terms = std::move(terms)](Printer& printer, const ReportJob& report) {
        printer.setFontName({});
        printLetterhead(printer);
        printer.setFontSize(12.0f);
        printer.setFontBold(true);
        printer.print({"CALIBRATION RECORD"});
        printer.setFontSize(9.0f);
        printer.setFontBold(false);
        const std::string tested = job.tested.substr(0, 10);
        printer.print({"Tested " + (tested.empty() ? std::string("(no tests typed)") : tested)
                       + (terms.nextDue.empty() ? std::string() : "    Next calibration due " + terms.nextDue)
                       + "    Printed " + report.printedAt});
        JobDetails details = job.details;
        for (auto item : {JobDetails::SealsRemoved, JobDetails::SealsApplied, JobDetails::Remarks})
            details.items[item].clear();  // after the tests, where they were done
        printDetailLines(printer, details);
        printer.print(
            {"Tolerance: "
             + (job.details.tolerance.isSet() ? toleranceText(job.details.tolerance) : std::string("none set"))});
        printer.print({"Error = (scale \u2212 display) / scale; negative when the dispenser shows more than it "
                       "delivered."});

        const std::optional<WorkedCalibration> worked = workedCalibration(job);
        if (!worked) {
            printer.print();
            printer.print({"No calibration tests are kept in this job."});
        } else {
            const PhasePrinter phases(*worked, job, terms);
            const int last = int(worked->phases.size()) - 1;
            printer.print();
            phases.table(printer, 0);
            for (int phase = 1; phase <= last; ++phase) {
                const CalibrationSheet& before = *worked->phases[phase - 1];
                const CalibrationSheet& after = *worked->phases[phase];
                printer.print();
                printer.setFontBold(true);
                printer.print({"ADJUSTMENT" + (last > 1 ? " " + std::to_string(phase) : std::string())
                               + ": flow cal. factor " + before.text(before.existingFactor) + " \u2192 "
                               + after.text(after.existingFactor) + " keyed in"});
                printer.setFontBold(false);
                if (phase < last) {
                    phases.line(printer, phase);
                } else {
                    printer.print();
                    phases.table(printer, phase);
                }
            }
            if (last == 0) {
                printer.print();
                printer.setFontBold(true);
                printer.print({worked->leftAsFound ? "No adjustment: the dispenser was left as found."
                                                   : "No adjustment recorded."});
                printer.setFontBold(false);
            }
        }
        printer.print();
        JobDetails after;
        for (auto item : {JobDetails::SealsRemoved, JobDetails::SealsApplied, JobDetails::Remarks})
            after.items[item] = job.details.items[item];
        printDetailLines(printer, after);
        printer.print();
        printer.print();
        printer.print({"Technician: ________________________________    Date: ______________"});
        printer.print({"Printed name: " + shownPlainly(job.details.items[JobDetails::Technician])});
        printer.print();
        printer.print();
        printer.print({"Customer or witness: ________________________    Date: ______________"});
        printer.print({"Printed name: ________________________________"});
    };
}
