#include "printing/print_failed.h"

PrintFailed::PrintFailed(Kind kind, std::string printer, std::string reason)
    : std::runtime_error(printer.empty() ? reason : printer + ": " + reason),
      m_kind(kind),
      m_printer(std::move(printer)),
      m_reason(std::move(reason))
{
}

PrintFailed PrintFailed::noPrinter()
{
    return PrintFailed(Kind::NoPrinter, {}, "no printer is set up");
}

PrintFailed PrintFailed::refused(std::string printer, std::string reason)
{
    return PrintFailed(Kind::Refused, std::move(printer), std::move(reason));
}
