#pragma once

#include "printing/painter_device.h"

#include <QPrinter>

#include <memory>

// The system's default printer as it is when the document opens, with its own
// default page and margins; no dialog is shown.
class SystemPrinterDevice : public PainterDevice {
public:
    static std::unique_ptr<PageDevice> create();

    void beginDocument() override;

protected:
    QPaintDevice& paintDevice() override { return *m_printer; }
    QString name() const override { return m_name; }
    void delivered() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_name;
};
