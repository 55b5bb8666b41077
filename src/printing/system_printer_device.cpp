#include "printing/system_printer_device.h"

void SystemPrinterDevice::beginDocument()
{
    m_page.pdf.clear();
    m_pdf.setData({});
    m_pdf.open(QIODevice::WriteOnly);
    startPdf(m_pdf, m_page.layout);
}

std::string SystemPrinterDevice::delivered()
{
    m_pdf.close();
    m_page.pdf = m_pdf.data();
    return {};
}
