#include "printing/painter_device.h"

#include "widgets/design.h"
#include "printing/print_failed.h"

#include <QCoreApplication>
#include <QPainter>
#include <QRegularExpression>

namespace {

QString xmlText(const QString& text)
{
    return text.toHtmlEscaped();
}

// A text string of the document information: UTF-16 with its byte order mark.
QByteArray pdfText(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

// The document's metadata as PDF/A wants it, the same as its information
// dictionary says.
QByteArray xmp(const DocumentInfo& info, const QString& created, const QString& producer)
{
    const QString xml = QStringLiteral(
        "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
        "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
        "<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator>\n"
        "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%3</rdf:li></rdf:Alt></dc:description>\n"
        "</rdf:Description>\n"
        "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmp:CreatorTool=\"%4\" "
        "xmp:CreateDate=\"%5\" xmp:ModifyDate=\"%5\"/>\n"
        "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" pdf:Producer=\"%6\"/>\n"
        "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" pdfaid:part=\"1\" "
        "pdfaid:conformance=\"B\"/>\n"
        "</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>");
    return xml.arg(xmlText(info.title), xmlText(info.author), xmlText(info.subject),
                   xmlText(QCoreApplication::applicationName()), created, xmlText(producer))
        .toUtf8();
}

// Qt writes no author or subject into the information dictionary, so the
// finished PDF gets a new one as an incremental update: the same object again,
// and a cross-reference section for it that points back to Qt's.
QByteArray withInfo(const QByteArray& pdf, const DocumentInfo& info, const QByteArray& created,
                    const QString& producer)
{
    const QRegularExpression trailer(QStringLiteral("trailer\\s*<<(.*)>>\\s*startxref\\s*(\\d+)\\s*%%EOF\\s*$"),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch end = trailer.match(QString::fromLatin1(pdf.right(1024)));
    const QRegularExpressionMatch infoObject =
        QRegularExpression(QStringLiteral("/Info (\\d+) 0 R")).match(end.captured(1));
    if (!end.hasMatch() || !infoObject.hasMatch())
        return pdf;  // not as Qt writes it: left with the information Qt gave it
    QByteArray updated = pdf;
    if (!updated.endsWith('\n'))
        updated += '\n';
    const qsizetype offset = updated.size();
    const QByteArray number = infoObject.captured(1).toLatin1();
    updated += number + " 0 obj\n<<\n/Title " + pdfText(info.title) + "\n/Author " + pdfText(info.author)
               + "\n/Subject " + pdfText(info.subject) + "\n/Creator "
               + pdfText(QCoreApplication::applicationName()) + "\n/Producer " + pdfText(producer)
               + "\n/CreationDate (D:" + created + ")\n/ModDate (D:" + created + ")\n>>\nendobj\n";
    const qsizetype xref = updated.size();
    updated += "xref\n" + number + " 1\n" + QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    updated += "trailer\n<<" + end.captured(1).toLatin1().trimmed() + "\n/Prev " + end.captured(2).toLatin1()
               + "\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return updated;
}

QString producer()
{
    return QStringLiteral("Qt " QT_VERSION_STR);
}

} // namespace

void PainterDevice::startPdf(const QPageLayout& layout, const DocumentInfo& info)
{
    m_info = info;
    if (!m_info.created.isValid())
        m_info.created = QDateTime::currentDateTime();
    m_pdf.setData({});
    m_pdf.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_pdf);
    m_writer->setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    m_writer->setTitle(info.title);
    m_writer->setCreator(QCoreApplication::applicationName());
    m_writer->setDocumentXmpMetadata(xmp(m_info, m_info.created.toUTC().toString(Qt::ISODate), producer()));
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
    m_metrics.reset();

    QPainter painter;
    if (!painter.begin(writer.get()))
        throw PrintFailed::refused(name().toStdString(), "the document could not be started");
    for (const Placed& placed : page) {
        painter.setFont(placed.font);
        painter.drawText(placed.baseline, placed.text);
    }
    if (!painter.end())
        throw PrintFailed::refused(name().toStdString(), "the document could not be finished");
    const QByteArray created = m_info.created.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + 'Z';
    const QByteArray pdf = withInfo(m_pdf.data(), m_info, created, producer());
    m_pdf.close();
    m_pdf.setData({});
    return delivered(pdf);
}

void PainterDevice::abortDocument()
{
    m_page.clear();
    m_metrics.reset();
    m_writer.reset();
    m_pdf.close();
    m_pdf.setData({});
}
