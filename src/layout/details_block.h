#pragma once

#include "layout/report.h"
#include "sheet/tolerance.h"

#include <optional>
#include <string>
#include <vector>

class Printer;

// An error a report judges against the tolerance: "Test 1" and the error its
// readings give, none for a test not made.
struct JudgedError {
    std::string name;
    std::optional<ExactError> error;
};

// The block under the letterhead, printed only when some detail is filled in: the
// date and time, each detail filled in with its label, the readings the page does
// not show otherwise, the verdict on each error against the tolerance, with that
// error to three decimals (or as many more as it takes to stand on its side of each
// limit) and the sign convention, and a line for the technician's signature. In 9
// pt, one line each (the remarks, cut at blanks, in up to three), so that the report
// stays on its one page; the font is left at 9 pt, plain.
void printJobDetails(Printer& printer, const ReportJob& job, const std::vector<std::string>& readings,
                     const std::vector<JudgedError>& errors = {});

// Each detail filled in, with its label, one line each in the font set (the
// remarks, cut at blanks, in up to three).
void printDetailLines(Printer& printer, const JobDetails& details);
