#include "printing/painter_device.h"

#include "widgets/design.h"
#include "printing/print_failed.h"

#include <QCoreApplication>
#include <QPainter>

void PainterDevice::startPdf(QIODevice& output, const QPageLayout& layout)
{
    m_writer = std::make_unique<QPdfWriter>(&output);
    m_writer->setTitle(QCoreApplication::applicationName());
    m_writer->setCreator(QCoreApplication::applicationName());
    m_writer->setPageLayout(layout);
}

void PainterDevice::setFont(const PrintFont& font)
{
    // Without a face name the reports print in the sans-serif face the windows use.
    m_font = font.face.empty() ? design::font(font.size, font.bold) : QFont(qText(font.face));
    m_font.setPointSizeF(font.size);
    m_font.setBold(font.bold);
    m_font.setItalic(font.italic);
    m_metrics.emplace(m_font, m_writer.get());
}

double PainterDevice::textWidth(const std::string& text)
{
    return m_metrics->horizontalAdvance(qText(text));
}

double PainterDevice::averageCharWidth()
{
    return m_metrics->averageCharWidth();
}

double PainterDevice::lineHeight()
{
    return m_metrics->lineSpacing();
}

void PainterDevice::drawText(double x, double top, const std::string& text)
{
    m_page.push_back({m_font, QPointF(x, top + m_metrics->ascent()), qText(text)});
}

std::string PainterDevice::endDocument()
{
    const std::vector<Placed> page = std::move(m_page);
    const std::unique_ptr<QPdfWriter> writer = std::move(m_writer);
    abortDocument();

    QPainter painter;
    if (!painter.begin(writer.get()))
        throw PrintFailed::refused(name().toStdString(), "the document could not be started");
    for (const Placed& placed : page) {
        painter.setFont(placed.font);
        painter.drawText(placed.baseline, placed.text);
    }
    if (!painter.end())
        throw PrintFailed::refused(name().toStdString(), "the document could not be finished");
    return delivered();
}

void PainterDevice::abortDocument()
{
    m_page.clear();
    m_metrics.reset();
    m_writer.reset();
}
