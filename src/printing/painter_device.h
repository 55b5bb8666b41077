#pragma once

#include "printing/page_device.h"
#include "printing/report_page.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPointF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// A device that paints the page with QPainter as a PDF document, for a printer or a
// file. The page is kept until the document ends and only then painted, so a
// document that is abandoned halfway never reaches the printer or leaves a
// half-written file. The document is PDF/A-1b, and its title, author, subject and
// creation date are the report's.
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
    // Starts the document: a PDF of that page.
    void startPdf(const QPageLayout& layout, const DocumentInfo& info);
    // The printer or file, as the messages name it.
    virtual QString name() const = 0;
    // Called with the whole PDF once it is painted; says what became of it, or
    // raises PrintFailed when it did not get through after all.
    virtual std::string delivered(const QByteArray& pdf) = 0;

private:
    struct Placed {
        QFont font;
        QPointF baseline;
        QString text;
    };

    std::unique_ptr<QPdfWriter> m_writer;
    QBuffer m_pdf;
    DocumentInfo m_info;
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;
    std::vector<Placed> m_page;
};
