#pragma once

#include "job/job_details.h"

#include <functional>
#include <string>

class Printer;

// A report's job, and when it was printed ("2026-12-07 14:32").
struct ReportJob {
    JobDetails details;
    std::string printedAt;
};

// A report: a function that prints its page from the first line to the last, for a
// job.
using Report = std::function<void(Printer&, const ReportJob&)>;
