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
        if (!job.readings.count(worksheet.name))
            continue;
        if (!chosen || job.kind == worksheet.kind)
            chosen = &worksheet;
    }
    if (!chosen)
        return std::nullopt;
    WorkedCalibration worked;
    worked.worksheet = chosen;
    worked.leftAsFound = leftAsFound(job.readings, chosen->name);
    for (int phase = 0; phase < phasesKept(job.readings, chosen->name); ++phase) {
        auto sheet = chosen->make();
        sheet->typeReadings(job.readings.at(phaseName(chosen->name, phase)));
        worked.phases.push_back(std::move(sheet));
    }
    return worked;
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
