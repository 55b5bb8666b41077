#include "sheet/tolerance.h"

#include "sheet/number_text.h"

#include <cmath>
#include <optional>

namespace {

// A percentage in millionths of a percent; the errors are held to four decimals
// of a fraction and the limits are typed with a few, so the counts are exact.
std::optional<long long> millionths(const std::string& percent)
{
    try {
        const double value = strictNumber(percent);
        if (!(value > 0.0 && value < 100.0))
            return std::nullopt;
        return std::llround(value * 1e6);
    } catch (const StepFailed&) {
        return std::nullopt;
    }
}

std::string limitText(const std::string& percent, const char* name)
{
    return numberText(strictNumber(percent)) + " % " + name;
}

} // namespace

std::string toleranceProblem(const Tolerance& tolerance)
{
    for (const auto& [limit, name] : {std::pair{&tolerance.acceptance, "acceptance"},
                                      std::pair{&tolerance.maintenance, "maintenance"}}) {
        if (!limit->empty() && !millionths(*limit))
            return std::string("The ") + name + " tolerance must be a number of percent above 0 and below 100.";
    }
    return {};
}

std::string toleranceText(const Tolerance& tolerance)
{
    const bool acceptance = !tolerance.acceptance.empty(), maintenance = !tolerance.maintenance.empty();
    return (acceptance ? limitText(tolerance.acceptance, "acceptance") : std::string())
           + (acceptance && maintenance ? ", " : "")
           + (maintenance ? limitText(tolerance.maintenance, "maintenance") : std::string());
}

Verdict judge(const std::string& errorFraction, const Tolerance& tolerance)
{
    if (!tolerance.isSet() || !toleranceProblem(tolerance).empty())
        return Verdict::None;
    double error = 0.0;
    try {
        error = strictNumber(errorFraction);
    } catch (const StepFailed&) {
        return Verdict::None;
    }
    if (!std::isfinite(error * 1e8) || std::fabs(error) > 1e9)
        return Verdict::Outside;
    const long long size = std::llround(std::fabs(error) * 1e8);  // millionths of a percent
    const auto within = [size](const std::string& limit) { return !limit.empty() && size <= *millionths(limit); };
    if (within(tolerance.acceptance))
        return Verdict::Within;
    if (within(tolerance.maintenance))
        return Verdict::MaintenanceOnly;
    return Verdict::Outside;
}

std::string verdictWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Within: return "OK";
    case Verdict::MaintenanceOnly: return "maint.";
    case Verdict::Outside: return "OUT";
    case Verdict::None: break;
    }
    return {};
}

std::string verdictSentence(Verdict verdict, const Tolerance& tolerance)
{
    const bool acceptance = !tolerance.acceptance.empty(), maintenance = !tolerance.maintenance.empty();
    switch (verdict) {
    case Verdict::Within:
        return "within " + limitText(tolerance.acceptance, "acceptance");
    case Verdict::MaintenanceOnly:
        return (acceptance ? "outside " + limitText(tolerance.acceptance, "acceptance") + ", " : std::string())
               + "within " + limitText(tolerance.maintenance, "maintenance");
    case Verdict::Outside:
        return "outside " + (acceptance ? limitText(tolerance.acceptance, "acceptance") : std::string())
               + (acceptance && maintenance ? " and " : "")
               + (maintenance ? limitText(tolerance.maintenance, "maintenance") : std::string());
    case Verdict::None: break;
    }
    return {};
}
