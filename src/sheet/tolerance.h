#pragma once

// The tolerance a calibration test is judged against, and the verdict on a test's
// error. The technician types both limits in percent, as the jurisdiction sets
// them: the acceptance tolerance for a new or adjusted dispenser, and the
// maintenance tolerance, as wide or wider, for one in service.

#include "sheet/decimal.h"

#include <optional>
#include <string>
#include <vector>

struct Tolerance {
    std::string acceptance;  // percent, as typed; empty when not set
    std::string maintenance;

    bool isSet() const { return !acceptance.empty() || !maintenance.empty(); }
    bool operator==(const Tolerance&) const = default;
};

enum class Verdict {
    None,             // no tolerance set, or no error to judge
    Within,           // within the acceptance tolerance
    MaintenanceOnly,  // outside the acceptance tolerance, within the maintenance one
    Outside,          // outside every tolerance set
};

// An error as the readings give it, before any rounding: (scale - display) / scale,
// of one test or of the sums of the tests that count.
struct ExactError {
    Decimal scale;
    Decimal display;

    // 100 x (scale - display) / scale, to the nearest double; NaN for a scale of 0.
    double percent() const;
};

// What keeps a tolerance from being used, the first of: a limit that is not a
// percentage above 0 and below 100, or an acceptance wider than the maintenance.
enum class ToleranceFault { None, Acceptance, Maintenance, Wider };
ToleranceFault toleranceFault(const Tolerance& tolerance);

// The fault in words ("The acceptance tolerance must be a number of percent above
// 0 and below 100."), or nothing.
std::string toleranceProblem(const Tolerance& tolerance);

// The limits set: "1.5 % acceptance, 2.5 % maintenance".
std::string toleranceText(const Tolerance& tolerance);

// The verdict on an error held as a fraction ("-0.0165" is -1.65 %), as a window
// shows it. An error exactly at a limit is within it; the comparison is made in
// decimal, so a boundary typed as the limit is never lost to binary rounding.
Verdict judge(const std::string& errorFraction, const Tolerance& tolerance);
// The verdict on the error the readings give, compared exactly with each limit.
Verdict judge(const ExactError& error, const Tolerance& tolerance);

// The error in percent, to three decimals ("-1.504 %"), or with as many more as it
// takes to stand on the side of each limit that its verdict says ("1.50001 %").
std::string percentText(const ExactError& error, const Tolerance& tolerance);

// The verdict in a word for a narrow column: "OK", "maint.", "OUT", or nothing.
std::string verdictWord(Verdict verdict);

// The verdict as said and printed, with the limits it was judged against:
// "within 1.5 % acceptance", "outside 1.5 % acceptance, within 2.5 % maintenance".
std::string verdictSentence(Verdict verdict, const Tolerance& tolerance);

// The two phases of a calibration: the tests of the dispenser as found, in
// service, and those after it was adjusted, as left.
enum class Phase { AsFound, AsLeft };

// The limits a phase's results are held to. As found, a dispenser in service
// passes within the maintenance tolerance; both limits are kept, so that its
// verdict still says where an error stands against the acceptance tolerance. As
// left, just adjusted, it is held to the acceptance tolerance alone (or to the
// maintenance tolerance where no acceptance tolerance is set). A verdict other than
// Outside, against these limits, passes.
Tolerance phaseTolerance(const Tolerance& tolerance, Phase phase);

// Repeatability: the range of the errors of a phase's tests, held to a share of the
// maintenance tolerance (40 % by default). Judged exactly, as each error is.
struct Repeatability {
    std::string range;  // "0.412 %", with more decimals where three would stand on the other side of the limit
    std::string limit;  // "0.8 %", or empty when no maintenance tolerance is set
    Verdict verdict = Verdict::None;  // Within or Outside the limit; None without one
};
// None with fewer than two errors; share is the percent of the maintenance
// tolerance the range may take ("40").
std::optional<Repeatability> repeatability(const std::vector<ExactError>& errors, const Tolerance& tolerance,
                                           const std::string& share);
