#pragma once

#include "job/job_store.h"
#include "layout/report.h"

#include <string>

// The calibration record of a job: the page the technician files with the customer
// and the weights-and-measures office. The letterhead, the job's details, the day
// the tests were typed and the next calibration due, then each phase's tests with
// their errors and verdicts (as found against the maintenance tolerance, as left
// against the acceptance tolerance) and the repeatability of each, the adjustment
// between them (the factor before and the factor keyed in, or no adjustment), the
// seals and remarks, and lines for the technician's and the customer's or
// witness's signatures. One page, Letter or A4, every detail at its longest: a
// job adjusted more than once prints its rounds between the first and the last
// as a line each.
struct RecordTerms {
    std::string repeatabilityShare = "40";  // percent of the maintenance tolerance
    std::string nextDue;                    // "2027-12-07", or empty when never tested
};
Report recordReport(KeptJob job, RecordTerms terms);

// The record's name in the PDF file name suggested.
inline std::string recordName() { return "calibration-record"; }
