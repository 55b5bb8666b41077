#pragma once

#include "calibration/calibration_sheet.h"
#include "job/job_store.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A calibration job's phases, as the job keeps their readings under the
// worksheet's name: the tests as found under the name itself, those after the n-th
// adjustment under "<name>/as-left-<n>" (their existing factor is the factor keyed
// in), and, when the dispenser was left as found, a mark under
// "<name>/left-as-found".
std::string phaseName(const std::string& worksheet, int phase);
// How many phases are kept: the tests as found and one after each adjustment.
int phasesKept(const KeptJob::Readings& readings, const std::string& worksheet);
std::string leftAsFoundName(const std::string& worksheet);
// The readings of the mark.
inline std::map<std::string, std::string> leftAsFoundMark() { return {{"left", "as found"}}; }
bool leftAsFound(const KeptJob::Readings& readings, const std::string& worksheet);

// What the program calls a phase: "As Found", "As Left", "As Left (round 2)".
std::string phaseTitle(int phase);

// One of the two worksheets: the name its readings are kept under, its kind as the
// list of jobs shows it, and a new sheet of it.
struct Worksheet {
    const char* name;
    const char* kind;
    std::unique_ptr<CalibrationSheet> (*make)();
    // The sheet's average error as its window shows and judges it, with as many
    // decimals of percent.
    FieldId (*averageError)(const CalibrationSheet&);
    int decimals;
};
const std::vector<Worksheet>& worksheets();
// The window, the job and the export know each worksheet by these.
inline const Worksheet& massDisplayWorksheet() { return worksheets().at(0); }
inline const Worksheet& noMassDisplayWorksheet() { return worksheets().at(1); }

// A kept calibration worked out: each phase's sheet with its readings typed.
struct WorkedCalibration {
    const Worksheet* worksheet = nullptr;
    std::vector<std::unique_ptr<CalibrationSheet>> phases;  // [0] as found
    bool leftAsFound = false;

    // The phase's verdict on an error shown, against the limits that phase is held to.
    CalibrationSheet::Judgement judgement(int phase, FieldId error, const Tolerance& tolerance) const;
    FieldId averageError(int phase) const { return worksheet->averageError(*phases.at(phase)); }
    // The phase's average error as its window shows it ("0.660%"), or nothing.
    std::string averageErrorShown(int phase) const;
};
// The worksheet of the job's kind, or the first with readings; none without.
std::optional<WorkedCalibration> workedCalibration(const KeptJob& job);
// That worksheet's phases; none when the job has no readings of it.
std::optional<WorkedCalibration> workedCalibration(const KeptJob& job, const Worksheet& worksheet);

// What a dispenser's history shows of a job: when it was tested, its average error
// as found and as left, and the factor left in the dispenser; none for a job
// without calibration tests.
struct CalibrationOutcome {
    std::string tested;  // "2026-12-07"
    std::optional<double> asFound, asLeft, factor;
    std::string asFoundText, asLeftText, factorText;
};
std::optional<CalibrationOutcome> calibrationOutcome(const KeptJob& job);

// As left: the least step the factor in use is set by, as keyed ("0.0001" for
// "0.9871"), when the new factor the tests give differs from it by less, so that no
// further adjustment can bring the dispenser closer; none otherwise, or while
// either is not a number.
std::optional<std::string> furtherAdjustmentStep(const std::string& factorInUse, const std::string& newFactor);
