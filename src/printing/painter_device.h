#pragma once

#include "printing/page_device.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

class QPaintDevice;

// A device painted with QPainter: a printer or a PDF file. The page is kept until
// the document ends and only then painted, so a document that is abandoned halfway
// never reaches the printer or leaves a half-written file.
class PainterDevice : public PageDevice {
public:
    void setFont(const PrintFont& font) override;
    double textWidth(const std::string& text) override;
    double averageCharWidth() override;
    double lineHeight() override;
    void drawText(double x, double top, const std::string& text) override;
    void endDocument() override;
    void abortDocument() override;

protected:
    // Valid from beginDocument until the document ends.
    virtual QPaintDevice& paintDevice() = 0;
    // The printer or file, as the messages name it.
    virtual QString name() const = 0;
    // Called once the page is painted and the painter has ended; raises PrintFailed
    // when the page did not get through after all.
    virtual void delivered() {}

private:
    struct Placed {
        QFont font;
        QPointF baseline;
        QString text;
    };

    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;
    std::vector<Placed> m_page;
};
