#include "printing/system_printer_device.h"

#include "printing/print_failed.h"
#include "printing/report_page.h"

#include <QCoreApplication>

std::unique_ptr<PageDevice> SystemPrinterDevice::create()
{
    return std::make_unique<SystemPrinterDevice>();
}

void SystemPrinterDevice::beginDocument()
{
    m_printer = CupsDestination::systemDefault();
    if (!m_printer)
        throw PrintFailed::noPrinter();
    // CUPS would take the job and hold it without a word.
    if (const std::string held = m_printer->holdReason(); !held.empty())
        throw PrintFailed::refused(m_printer->name(), held);
    m_pdf.setData({});
    m_pdf.open(QIODevice::WriteOnly);
    startPdf(m_pdf, reportPageLayout());
}

QString SystemPrinterDevice::name() const { return QString::fromStdString(m_printer->name()); }

std::string SystemPrinterDevice::delivered()
{
    m_pdf.close();
    const int job = m_printer->submitPdf(m_pdf.data(), QCoreApplication::applicationName().toStdString());
    return "Report sent to " + m_printer->name() + " as job " + std::to_string(job) + ".";
}
