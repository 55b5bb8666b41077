#pragma once

#include "printing/painter_device.h"

#include <QPdfWriter>
#include <QSaveFile>

#include <memory>

// A PDF file standing in for the printer: the page size of the user's locale
// (Letter or A4) with half-inch margins. A file of that name is replaced only once
// the whole report is written.
class PdfDevice : public PainterDevice {
public:
    explicit PdfDevice(QString path);

    void beginDocument() override;

protected:
    QPaintDevice& paintDevice() override { return *m_writer; }
    QString name() const override { return m_path; }
    void delivered() override;

private:
    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;  // declared after m_file: it writes into it
};
