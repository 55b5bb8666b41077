#pragma once

#include <stdexcept>
#include <string>

// Raised by a report that finds, before its first line, something it cannot
// print. The message tells the user which field and why; nothing is printed.
class ReportStopped : public std::runtime_error {
public:
    explicit ReportStopped(const std::string& message) : std::runtime_error(message) {}
};
