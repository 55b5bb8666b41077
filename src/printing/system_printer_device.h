#pragma once

#include "printing/painter_device.h"
#include "printing/report_page.h"


// The page for the printer: painted on the printer's paper as a PDF in memory,
// which the window then hands to the printer system.
class SystemPrinterDevice : public PainterDevice {
public:
    explicit SystemPrinterDevice(PrintedPage& page) : m_page(page) {}

    void beginDocument() override;

protected:
    QString name() const override { return QStringLiteral("the printer"); }
    std::string delivered(const QByteArray& pdf) override;

private:
    PrintedPage& m_page;
};
