#include "sheet/tolerance.h"

#include "sheet/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// A limit in percent, when it is one: above 0 and below 100.
std::optional<Decimal> limitOf(const std::string& percent)
{
    try {
        const double value = strictNumber(percent);
        if (!(value > 0.0 && value < 100.0))
            return std::nullopt;
        return Decimal::of(percent);
    } catch (const StepFailed&) {
        return std::nullopt;
    }
}

std::string limitText(const std::string& percent, const char* name)
{
    return numberText(strictNumber(percent)) + " % " + name;
}

// The verdict on the error |difference| / |base|: within a limit L when
// 100 |difference| <= L |base|, which needs no division and so no rounding.
Verdict verdictOf(const Decimal& difference, const Decimal& base, const Tolerance& tolerance)
{
    if (!tolerance.isSet() || toleranceFault(tolerance) != ToleranceFault::None || base.isZero())
        return Verdict::None;
    const Decimal error = difference.magnitude() * Decimal(100);
    const Decimal scale = base.magnitude();
    const auto within = [&](const std::string& limit) {
        return !limit.empty() && error.compare(*limitOf(limit) * scale) <= 0;
    };
    if (within(tolerance.acceptance))
        return Verdict::Within;
    if (within(tolerance.maintenance))
        return Verdict::MaintenanceOnly;
    return Verdict::Outside;
}

}  // namespace

double ExactError::percent() const
{
    const double base = scale.value();
    if (base == 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    return 100.0 * ((scale - display).value() / base);
}

ToleranceFault toleranceFault(const Tolerance& tolerance)
{
    if (!tolerance.acceptance.empty() && !limitOf(tolerance.acceptance))
        return ToleranceFault::Acceptance;
    if (!tolerance.maintenance.empty() && !limitOf(tolerance.maintenance))
        return ToleranceFault::Maintenance;
    if (!tolerance.acceptance.empty() && !tolerance.maintenance.empty()
        && limitOf(tolerance.acceptance)->compare(*limitOf(tolerance.maintenance)) > 0)
        return ToleranceFault::Wider;
    return ToleranceFault::None;
}

std::string toleranceProblem(const Tolerance& tolerance)
{
    const ToleranceFault fault = toleranceFault(tolerance);
    switch (fault) {
    case ToleranceFault::Acceptance:
    case ToleranceFault::Maintenance:
        return std::string("The ") + (fault == ToleranceFault::Acceptance ? "acceptance" : "maintenance")
               + " tolerance must be a number of percent above 0 and below 100.";
    case ToleranceFault::Wider: return "The acceptance tolerance must not be wider than the maintenance tolerance.";
    case ToleranceFault::None: break;
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
    try {
        return verdictOf(Decimal::of(errorFraction), Decimal(1), tolerance);
    } catch (const StepFailed&) {
        return Verdict::None;
    }
}

Verdict judge(const ExactError& error, const Tolerance& tolerance)
{
    return verdictOf(error.scale - error.display, error.scale, tolerance);
}

namespace {

// A percentage to three decimals, or with as many more as it takes for standsRight
// to hold of its text (at most twelve).
template <typename StandsRight>
std::string percentStanding(double percent, StandsRight standsRight)
{
    std::string text;
    for (int decimals = 3; decimals <= 12; ++decimals) {
        char buffer[400];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, percent, std::chars_format::fixed, decimals).ptr;
        text.assign(buffer, end);
        if (text.find_first_not_of("-0.") == std::string::npos)
            text.erase(0, text[0] == '-' ? 1 : 0);  // no negative zero
        if (standsRight(text))
            break;
    }
    return text + " %";
}

}  // namespace

std::string percentText(const ExactError& error, const Tolerance& tolerance)
{
    const double percent = error.percent();
    if (!std::isfinite(percent))
        return {};
    const Verdict verdict = judge(error, tolerance);
    return percentStanding(percent, [&](const std::string& text) {
        return verdictOf(Decimal::of(text), Decimal(100), tolerance) == verdict;
    });
}

Tolerance phaseTolerance(const Tolerance& tolerance, Phase phase)
{
    if (phase == Phase::AsFound || tolerance.acceptance.empty())
        return tolerance;
    return {tolerance.acceptance, {}};
}

std::optional<Repeatability> repeatability(const std::vector<ExactError>& errors, const Tolerance& tolerance,
                                           const std::string& share)
{
    // Each error is n / s, n = scale - display, s = scale; a / b is above c / d when
    // (a d - c b) has the sign of b d.
    const auto above = [](const ExactError& one, const ExactError& other) {
        const Decimal cross = (one.scale - one.display) * other.scale - (other.scale - other.display) * one.scale;
        return cross.compare(Decimal()) * (one.scale * other.scale).compare(Decimal()) > 0;
    };
    std::vector<ExactError> judged;
    for (const ExactError& error : errors) {
        if (!error.scale.isZero())
            judged.push_back(error);
    }
    if (judged.size() < 2)
        return std::nullopt;
    const ExactError high =
        *std::max_element(judged.begin(), judged.end(), [&](auto& a, auto& b) { return above(b, a); });
    const ExactError low =
        *std::min_element(judged.begin(), judged.end(), [&](auto& a, auto& b) { return above(b, a); });
    // The range is numerator / denominator, both of one sign.
    const Decimal numerator = (high.scale - high.display) * low.scale - (low.scale - low.display) * high.scale;
    const Decimal denominator = high.scale * low.scale;
    const double percent = 100.0 * numerator.value() / denominator.value();

    Repeatability result;
    const std::optional<Decimal> maintenance = toleranceFault(tolerance) == ToleranceFault::None
                                                       && !tolerance.maintenance.empty()
                                                   ? limitOf(tolerance.maintenance)
                                                   : std::nullopt;
    const std::optional<Decimal> part = limitOf(share);
    if (!maintenance || !part) {
        result.range = percentStanding(percent, [](const std::string&) { return true; });
        return result;
    }
    // Within when 100 x range <= share x maintenance / 100, all in whole products.
    const Decimal allowed = *part * *maintenance;
    const auto within = [&](const Decimal& hundredTimesRange, const Decimal& per) {
        return (hundredTimesRange * Decimal(100)).compare(allowed * per) <= 0;
    };
    result.verdict = within(numerator.magnitude() * Decimal(100), denominator.magnitude()) ? Verdict::Within
                                                                                           : Verdict::Outside;
    result.limit = numberText(strictNumber(share) * strictNumber(tolerance.maintenance) / 100.0) + " %";
    result.range = percentStanding(percent, [&](const std::string& text) {
        return within(Decimal::of(text), Decimal(1)) == (result.verdict == Verdict::Within);
    });
    return result;
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
    case Verdict::Within: return "within " + limitText(tolerance.acceptance, "acceptance");
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
