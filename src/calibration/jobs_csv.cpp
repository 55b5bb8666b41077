#include "calibration/jobs_csv.h"

#include "calibration/calibration_phases.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "sheet/display_format.h"

namespace {

// A field as RFC 4180 has it: quoted when it holds a comma, a quote or a line end.
std::string field(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

void addRow(std::string& csv, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        csv += (i ? "," : "") + field(fields[i]);
    csv += "\r\n";
}

std::string percent(const Sheet& sheet, FieldId error)
{
    std::string shown = percentDisplay(sheet.text(error), 3);
    if (!shown.empty() && shown.back() == '%')
        shown.pop_back();
    return shown;
}

}  // namespace

std::string jobsCsv(const std::vector<KeptJob>& jobs)
{
    std::string csv;
    std::vector<std::string> header{"Job", "Created", "Changed", "Tested"};
    for (int item = 0; item < JobDetails::kItems; ++item)
        header.emplace_back(JobDetails::about(JobDetails::Item(item)).label);
    for (const char* column : {"Acceptance tolerance (%)", "Maintenance tolerance (%)", "Worksheet", "Phase",
                               "Existing factor", "Adjustment", "Lbs/GGE", "Test", "Scale", "Display", "Gallons",
                               "Error (%)", "Verdict", "New factor", "Average error (%)"})
        header.emplace_back(column);
    addRow(csv, header);
    for (const KeptJob& job : jobs) {
        std::vector<std::string> details{std::to_string(job.id), job.created, job.changed, job.tested};
        details.insert(details.end(), job.details.items.begin(), job.details.items.end());
        details.push_back(job.details.tolerance.acceptance);
        details.push_back(job.details.tolerance.maintenance);
        bool tests = false;
        for (const Worksheet& worksheet : worksheets()) {
            const std::optional<WorkedCalibration> worked = workedCalibration(job, worksheet);
            for (int phase = 0; worked && phase < int(worked->phases.size()); ++phase) {
                const CalibrationSheet& sheet = *worked->phases[phase];
                const auto* noMass = dynamic_cast<const CalibrationNoMassSheet*>(&sheet);
                const CalibrationSheet* before = phase > 0 ? worked->phases[phase - 1].get() : nullptr;
                const std::string adjustment =
                    before ? before->text(before->existingFactor) + " -> " + sheet.text(sheet.existingFactor)
                    : worked->leftAsFound && worked->phases.size() == 1 ? "none, left as found"
                                                                        : "";
                for (std::size_t test = 0; test < sheet.tests.size(); ++test) {
                    if (!sheet.testTyped(test))
                        continue;
                    const std::string gallons = noMass ? sheet.text(noMass->gallons[test]) : std::string();
                    const CalibrationSheet::Test& t = sheet.tests[test];
                    std::vector<std::string> row = details;
                    for (const std::string& cell :
                         {std::string(worksheet.kind), phaseTitle(phase), sheet.text(sheet.existingFactor), adjustment,
                          noMass ? sheet.text(noMass->lbsPerGge) : std::string(), std::to_string(test + 1),
                          sheet.text(t.scale), sheet.text(t.display), gallons, percent(sheet, t.percentError),
                          verdictWord(worked->judgement(phase, t.percentError, job.details.tolerance).verdict),
                          sheet.text(sheet.newFactor), percent(sheet, worked->averageError(phase))})
                        row.push_back(cell);
                    addRow(csv, row);
                    tests = true;
                }
            }
        }
        if (!tests) {
            details.resize(header.size());  // every record as many fields as the header
            addRow(csv, details);
        }
    }
    return csv;
}
