#include "printing/pdf_device.h"

#include "printing/print_failed.h"

PdfDevice::PdfDevice(QString path, QPageLayout layout, DocumentInfo info)
    : m_path(std::move(path)), m_layout(std::move(layout)), m_info(std::move(info))
{
}

void PdfDevice::beginDocument()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly))
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    startPdf(m_layout, m_info);
}

std::string PdfDevice::delivered(const QByteArray& pdf)
{
    if (m_file->write(pdf) != pdf.size() || !m_file->commit())
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    return "Report saved as " + m_path.toStdString() + ".";
}
