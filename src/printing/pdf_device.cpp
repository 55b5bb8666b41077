#include "printing/pdf_device.h"

#include "printing/print_failed.h"

PdfDevice::PdfDevice(QString path, QPageLayout layout) : m_path(std::move(path)), m_layout(std::move(layout)) {}

void PdfDevice::beginDocument()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly))
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    startPdf(*m_file, m_layout);
}

std::string PdfDevice::delivered()
{
    if (!m_file->commit())
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    return "Report saved as " + m_path.toStdString() + ".";
}
