#include "printing/system_printer_device.h"

void SystemPrinterDevice::beginDocument()
{
    m_page.pdf.clear();
    startPdf(m_page.layout, m_page.info);
}

std::string SystemPrinterDevice::delivered(const QByteArray& pdf)
{
    m_page.pdf = pdf;
    return {};
}
