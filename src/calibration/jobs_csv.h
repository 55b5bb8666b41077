#pragma once

#include "job/job_store.h"

#include <string>
#include <vector>

// The jobs as a spreadsheet opens them without questions (RFC 4180: UTF-8, a header
// row, CRLF line ends, fields quoted where they must be; numbers with the point as
// decimal separator): one row per test of each worksheet a job has readings in, or
// one row for a job with none. Each row has the job's details and tolerance, the
// worksheet, its existing factor (and Lbs\GGE), the test's readings as typed, its
// error in percent and verdict, and the worksheet's new factor and average error,
// worked out from the readings as the worksheet does.
std::string jobsCsv(const std::vector<KeptJob>& jobs);
