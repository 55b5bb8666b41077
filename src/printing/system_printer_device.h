#pragma once

#include "printing/cups_destination.h"
#include "printing/painter_device.h"

#include <QBuffer>

#include <optional>

// The system's default printer as it is when the document opens, on its own
// default paper; no dialog is shown. The page goes to CUPS as one PDF job, and
// CUPS's answer for that job is the outcome.
class SystemPrinterDevice : public PainterDevice {
public:
    static std::unique_ptr<PageDevice> create();

    void beginDocument() override;

protected:
    QString name() const override;
    std::string delivered() override;

private:
    std::optional<CupsDestination> m_printer;
    QBuffer m_pdf;
};
