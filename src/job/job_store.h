#pragma once

#include "job/job_details.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One dispenser on one visit, as it is kept: its details (with a copy of the
// tolerance it was judged against), the readings typed in each window, when it was
// made and last changed, and what the list of jobs shows of its results.
struct KeptJob {
    // Window ("flow-rate-report") -> reading ("scale1") -> its text as typed.
    using Readings = std::map<std::string, std::map<std::string, std::string>>;

    std::int64_t id = 0;  // 0 until it is first kept
    std::string created;  // local time, "2026-12-07T14:32:05.123"
    std::string changed;
    JobDetails details;
    Readings readings;
    std::string kind;          // "Calibration with a mass display"
    std::string newFactor;     // as the window shows it
    std::string averageError;  // the error of the sums, as the window shows it: "0.660%"
    std::string verdict;       // its verdict: "OK", "maint." or "OUT"
    std::string tested;        // local time its tests were last typed; empty when none were
    // Listed only: a later job of the same dispenser serial number was tested, so
    // this one's next calibration is not the one due.
    bool superseded = false;

    // None of the job's own details and no reading typed: not worth keeping.
    bool isEmpty() const;
};

// Where jobs are kept. Every call answers at once; one that fails leaves the store
// as it was and says why in problem().
class JobStore {
public:
    virtual ~JobStore() = default;

    // Why jobs cannot be kept, naming the store's file; empty while they can.
    virtual std::string problem() = 0;
    // Keeps the job whole or not at all, numbering a new one and noting when it
    // changed; false when it could not.
    virtual bool keep(KeptJob& job) = 0;
    virtual std::optional<KeptJob> find(std::int64_t id) = 0;
    // Newest first, without their readings: those whose customer, site, dispenser
    // serial number or date holds the text searched (every job for an empty text).
    virtual std::vector<KeptJob> list(const std::string& search = {}) = 0;
    // The other jobs of that dispenser serial number, newest first, without readings.
    virtual std::vector<KeptJob> history(const std::string& serial, std::int64_t except) = 0;
    virtual bool remove(std::int64_t id) = 0;
};
