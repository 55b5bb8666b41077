#include "job/job_store.h"

#include <algorithm>

bool KeptJob::isEmpty() const
{
    for (int item = 0; item < JobDetails::kItems; ++item) {
        if (!JobDetails::about(JobDetails::Item(item)).technicians() && !details.items[item].empty())
            return false;
    }
    return std::all_of(readings.begin(), readings.end(), [](const auto& window) {
        return std::all_of(window.second.begin(), window.second.end(),
                           [](const auto& reading) { return reading.second.empty(); });
    });
}
