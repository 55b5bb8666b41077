#include "printing/system_printer_device.h"

#include "printing/print_failed.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QPrinterInfo>

namespace {

// IPP status codes from 0x0400 on are errors.
constexpr int kFirstIppError = 0x0400;

} // namespace

std::unique_ptr<PageDevice> SystemPrinterDevice::create()
{
    return std::make_unique<SystemPrinterDevice>();
}

void SystemPrinterDevice::beginDocument()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintFailed::noPrinter();
    m_name = info.printerName();
    // A stopped printer would hold the report in its queue without a word.
    if (info.state() == QPrinter::Error)
        throw PrintFailed::refused(m_name.toStdString(), "it is stopped or reports a fault");
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    m_printer->setDocName(QCoreApplication::applicationName());
    if (!m_printer->isValid())
        throw PrintFailed::refused(m_name.toStdString(), "it cannot be opened");
}

void SystemPrinterDevice::delivered()
{
    if (m_printer->printerState() == QPrinter::Error || m_printer->printerState() == QPrinter::Aborted)
        throw PrintFailed::refused(m_name.toStdString(), "the document did not get through");

    // Qt hands the finished document to CUPS but drops CUPS's answer, so a queue
    // that does not accept jobs would pass for a printed report. The answer is
    // still CUPS's last error on this thread.
    QLibrary cups(QStringLiteral("cups"), 2);
    const auto lastError = reinterpret_cast<int (*)()>(cups.resolve("cupsLastError"));
    const auto lastErrorString = reinterpret_cast<const char* (*)()>(cups.resolve("cupsLastErrorString"));
    if (lastError && lastErrorString && lastError() >= kFirstIppError)
        throw PrintFailed::refused(m_name.toStdString(), lastErrorString());
}
