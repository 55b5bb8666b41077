#include "calibration/calibration_phases.h"

#include "calibration/calibration_mass_sheet.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "sheet/display_format.h"
#include "sheet/number_text.h"

std::string phaseName(const std::string& worksheet, int phase)
{
    return phase == 0 ? worksheet : worksheet + "/as-left-" + std::to_string(phase);
}

int phasesKept(const KeptJob::Readings& readings, const std::string& worksheet)
{
    int phases = 1;
    while (readings.count(phaseName(worksheet, phases)))
        ++phases;
    return phases;
}

std::string leftAsFoundName(const std::string& worksheet) { return worksheet + "/left-as-found"; }

bool leftAsFound(const KeptJob::Readings& readings, const std::string& worksheet)
{
    const auto mark = readings.find(leftAsFoundName(worksheet));
    return mark != readings.end() && !mark->second.empty();
}

std::string phaseTitle(int phase)
{
    if (phase == 0)
        return "As Found";
    return phase == 1 ? "As Left" : "As Left (round " + std::to_string(phase) + ")";
}

const std::vector<Worksheet>& worksheets()
{
    static const std::vector<Worksheet> all{
        {"calibration-with-mass-display", "Calibration with a mass display",
         [] { return std::unique_ptr<CalibrationSheet>(new CalibrationMassSheet); },
         [](const CalibrationSheet& sheet) { return sheet.sumError; }, 3},
        {"calibration-without-mass-display", "Calibration without a mass display",
         [] { return std::unique_ptr<CalibrationSheet>(new CalibrationNoMassSheet); },
         [](const CalibrationSheet& sheet) { return static_cast<const CalibrationNoMassSheet&>(sheet).averageError; },
         2},
    };
    return all;
}

CalibrationSheet::Judgement WorkedCalibration::judgement(int phase, FieldId error, const Tolerance& tolerance) const
{
    return phases.at(phase)->judgement(error, phaseTolerance(tolerance, phase == 0 ? Phase::AsFound : Phase::AsLeft));
}

std::string WorkedCalibration::averageErrorShown(int phase) const
{
    return percentDisplay(phases.at(phase)->text(averageError(phase)), worksheet->decimals);
}

std::optional<WorkedCalibration> workedCalibration(const KeptJob& job)
{
    const Worksheet* chosen = nullptr;
    for (const Worksheet& worksheet : worksheets()) {
        if (job.readings.count(worksheet.name) && (!chosen || job.kind == worksheet.kind))
            chosen = &worksheet;
    }
    return chosen ? workedCalibration(job, *chosen) : std::nullopt;
}

std::optional<WorkedCalibration> workedCalibration(const KeptJob& job, const Worksheet& worksheet)
{
    if (!job.readings.count(worksheet.name))
        return std::nullopt;
    WorkedCalibration worked;
    worked.worksheet = &worksheet;
    worked.leftAsFound = leftAsFound(job.readings, worksheet.name);
    for (int phase = 0; phase < phasesKept(job.readings, worksheet.name); ++phase) {
        auto sheet = worksheet.make();
        sheet->typeReadings(job.readings.at(phaseName(worksheet.name, phase)));
        worked.phases.push_back(std::move(sheet));
    }
    return worked;
}

std::optional<CalibrationOutcome> calibrationOutcome(const KeptJob& job)
{
    const std::optional<WorkedCalibration> worked = workedCalibration(job);
    if (!worked)
        return std::nullopt;
    const auto number = [](const std::string& text, double times) -> std::optional<double> {
        try {
            return strictNumber(text) * times;
        } catch (const StepFailed&) {
            return std::nullopt;
        }
    };
    CalibrationOutcome outcome;
    outcome.tested = job.tested.substr(0, 10);
    const int last = int(worked->phases.size()) - 1;
    const CalibrationSheet& left = *worked->phases.back();
    outcome.asFoundText = worked->averageErrorShown(0);
    outcome.asFound = number(worked->phases[0]->text(worked->averageError(0)), 100.0);
    if (last > 0) {
        outcome.asLeftText = worked->averageErrorShown(last);
        outcome.asLeft = number(left.text(worked->averageError(last)), 100.0);
    }
    outcome.factorText = left.text(left.existingFactor);
    outcome.factor = number(outcome.factorText, 1.0);
    return outcome;
}

std::optional<std::string> furtherAdjustmentStep(const std::string& factorInUse, const std::string& newFactor)
{
    try {
        const long long exponent = decimalDigits(factorInUse).exponent;
        if (exponent < -30 || exponent > 30)
            return std::nullopt;  // no dispenser is set in such steps
        const std::string step = exponent < 0 ? "0." + std::string(std::size_t(-exponent - 1), '0') + "1"
                                              : "1" + std::string(std::size_t(exponent), '0');
        if ((Decimal::of(newFactor) - Decimal::of(factorInUse)).magnitude().compare(Decimal::of(step)) < 0)
            return step;
    } catch (const StepFailed&) {
    }
    return std::nullopt;
}
