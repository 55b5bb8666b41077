#include "printing/pdf_device.h"

#include "printing/print_failed.h"
#include "printing/report_page.h"

PdfDevice::PdfDevice(QString path) : m_path(std::move(path)) {}

void PdfDevice::beginDocument()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly))
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    startPdf(*m_file, reportPageLayout());
}

std::string PdfDevice::delivered()
{
    if (!m_file->commit())
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    return "Report saved as " + m_path.toStdString() + ".";
}
