#pragma once

#include "printing/page_device.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPointF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;

// A device that paints the page with QPainter as a PDF document, for a printer or a
// file. The page is kept until the document ends and only then painted, so a
// document that is abandoned halfway never reaches the printer or leaves a
// half-written file.
class PainterDevice : public PageDevice {
public:
    void setFont(const PrintFont& font) override;
    double textWidth(const std::string& text) override;
    double averageCharWidth() override;
    double lineHeight() override;
    void drawText(double x, double top, const std::string& text) override;
    std::string endDocument() override;
    void abortDocument() override;

protected:
    // Starts the document: a PDF of that page, written into output as it ends.
    void startPdf(QIODevice& output, const QPageLayout& layout);
    // The printer or file, as the messages name it.
    virtual QString name() const = 0;
    // Called once the PDF is written; says what became of it, or raises PrintFailed
    // when it did not get through after all.
    virtual std::string delivered() = 0;

private:
    struct Placed {
        QFont font;
        QPointF baseline;
        QString text;
    };

    std::unique_ptr<QPdfWriter> m_writer;
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;
    std::vector<Placed> m_page;
};
