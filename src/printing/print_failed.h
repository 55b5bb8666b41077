#pragma once

#include <stdexcept>
#include <string>

// Raised when a document cannot reach paper: there is no printer to send it to, or
// the printer (or the file standing in for it) does not take it. Nothing of that
// document is left open.
class PrintFailed : public std::runtime_error {
public:
    enum class Kind { NoPrinter, Refused };

    static PrintFailed noPrinter();
    // printer names the printer or file; reason says why, e.g. "it is not accepting jobs".
    static PrintFailed refused(std::string printer, std::string reason);

    Kind kind() const { return m_kind; }
    const std::string& printer() const { return m_printer; }
    const std::string& reason() const { return m_reason; }

private:
    PrintFailed(Kind kind, std::string printer, std::string reason);

    Kind m_kind;
    std::string m_printer;
    std::string m_reason;
};
