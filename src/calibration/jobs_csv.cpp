#include "calibration/jobs_csv.h"

#include "calibration/calibration_mass_sheet.h"
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
    std::vector<std::string> header{"Job", "Created", "Changed"};
    for (int item = 0; item < JobDetails::kItems; ++item)
        header.emplace_back(JobDetails::about(JobDetails::Item(item)).label);
    for (const char* column :
         {"Acceptance tolerance (%)", "Maintenance tolerance (%)", "Worksheet", "Existing factor", "Lbs/GGE", "Test",
          "Scale", "Display", "Gallons", "Error (%)", "Verdict", "New factor", "Average error (%)"})
        header.emplace_back(column);
    addRow(csv, header);
    for (const KeptJob& job : jobs) {
        std::vector<std::string> details{std::to_string(job.id), job.created, job.changed};
        details.insert(details.end(), job.details.items.begin(), job.details.items.end());
        details.push_back(job.details.tolerance.acceptance);
        details.push_back(job.details.tolerance.maintenance);
        bool tests = false;
        const auto worksheet = [&](const char* window, const char* name, CalibrationSheet& sheet,
                                   const CalibrationNoMassSheet* noMass, FieldId average) {
            const auto readings = job.readings.find(window);
            if (readings == job.readings.end())
                return;
            sheet.typeReadings(readings->second);  // as the window shows a kept job
            for (std::size_t test = 0; test < sheet.tests.size(); ++test) {
                const std::string gallons = noMass ? sheet.text(noMass->gallons[test]) : std::string();
                const CalibrationSheet::Test& t = sheet.tests[test];
                if (sheet.text(t.scale).empty() && (noMass ? gallons : sheet.text(t.display)).empty())
                    continue;
                std::vector<std::string> row = details;
                for (const std::string& cell :
                     {std::string(name), sheet.text(sheet.existingFactor),
                      noMass ? sheet.text(noMass->lbsPerGge) : std::string(), std::to_string(test + 1),
                      sheet.text(t.scale), sheet.text(t.display), gallons, percent(sheet, t.percentError),
                      verdictWord(sheet.judgement(t.percentError, job.details.tolerance).verdict),
                      sheet.text(sheet.newFactor), percent(sheet, average)})
                    row.push_back(cell);
                addRow(csv, row);
                tests = true;
            }
        };
        CalibrationMassSheet mass;
        worksheet("calibration-with-mass-display", "Calibration with a mass display", mass, nullptr, mass.sumError);
        CalibrationNoMassSheet noMass;
        worksheet("calibration-without-mass-display", "Calibration without a mass display", noMass, &noMass,
                  noMass.averageError);
        if (!tests) {
            details.resize(header.size());  // every record as many fields as the header
            addRow(csv, details);
        }
    }
    return csv;
}
