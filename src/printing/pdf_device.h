#pragma once

#include "printing/painter_device.h"

#include <QSaveFile>

#include <memory>

// A PDF file standing in for the printer, on the page a printer would give. A file
// of that name is replaced only once the whole report is written; a failed write
// leaves no file behind.
class PdfDevice : public PainterDevice {
public:
    PdfDevice(QString path, QPageLayout layout, DocumentInfo info);

    void beginDocument() override;

protected:
    QString name() const override { return m_path; }
    std::string delivered(const QByteArray& pdf) override;

private:
    QString m_path;
    QPageLayout m_layout;
    DocumentInfo m_info;
    std::unique_ptr<QSaveFile> m_file;
};
