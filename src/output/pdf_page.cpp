#include "output/pdf_page.h"

#include "layout/page_device.h"
#include "layout/printer.h"
#include "widgets/design.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <optional>

namespace {

constexpr const char* kPrintedAt = "yyyy-MM-dd HH:mm";

QString xmlText(const QString& text) { return text.toHtmlEscaped(); }

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
    return xml
        .arg(xmlText(info.title), xmlText(info.author), xmlText(info.subject),
             xmlText(QCoreApplication::applicationName()), created, xmlText(producer))
        .toUtf8();
}

// Qt writes no author or subject into the information dictionary, so the
// finished PDF gets a new one as an incremental update: the same object again,
// and a cross-reference section for it that points back to Qt's.
QByteArray withInfo(const QByteArray& pdf, const DocumentInfo& info, const QByteArray& created, const QString& producer)
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
               + "\n/Subject " + pdfText(info.subject) + "\n/Creator " + pdfText(QCoreApplication::applicationName())
               + "\n/Producer " + pdfText(producer) + "\n/CreationDate (D:" + created + ")\n/ModDate (D:" + created
               + ")\n>>\nendobj\n";
    const qsizetype xref = updated.size();
    updated += "xref\n" + number + " 1\n" + QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    updated += "trailer\n<<" + end.captured(1).toLatin1().trimmed() + "\n/Prev " + end.captured(2).toLatin1()
               + "\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return updated;
}

QString producer() { return QStringLiteral("Qt " QT_VERSION_STR); }

// The page painted as the report lays it out, in the sans-serif face the windows
// use where the report names no face.
class PdfPageDevice : public PageDevice {
public:
    explicit PdfPageDevice(QPainter& painter) : m_painter(painter) {}

    void setFont(const PrintFont& font) override
    {
        QFont face = font.face.empty() ? design::font(font.size, font.bold) : QFont(qText(font.face));
        face.setPointSizeF(font.size);
        face.setBold(font.bold);
        face.setItalic(font.italic);
        m_painter.setFont(face);
        m_metrics.emplace(face, m_painter.device());
    }
    double textWidth(const std::string& text) override { return m_metrics->horizontalAdvance(qText(text)); }
    double averageCharWidth() override { return m_metrics->averageCharWidth(); }
    double lineHeight() override { return m_metrics->lineSpacing(); }
    void drawText(double x, double top, const std::string& text) override
    {
        m_painter.drawText(QPointF(x, top + m_metrics->ascent()), qText(text));
    }

private:
    QPainter& m_painter;
    std::optional<QFontMetricsF> m_metrics;
};

}  // namespace

ReportJob reportJob(const JobDetails& details, const QDateTime& at)
{
    return {details, at.toString(QString::fromLatin1(kPrintedAt)).toStdString()};
}

QDateTime printedAt(const ReportJob& job)
{
    const QDateTime at = QDateTime::fromString(QString::fromStdString(job.printedAt), QString::fromLatin1(kPrintedAt));
    return at.isValid() ? at : QDateTime::currentDateTime();
}

DocumentInfo documentInfo(const QString& name, const ReportJob& job)
{
    QString title = name;
    title.replace('-', ' ');
    title[0] = title[0].toUpper();
    const auto detail = [&](JobDetails::Item item) {
        return QString::fromStdString(shownPlainly(job.details.items[item]));
    };
    QStringList dispenser;
    for (const auto item : {JobDetails::DispenserMake, JobDetails::DispenserModel})
        dispenser << detail(item);
    if (!detail(JobDetails::DispenserSerial).isEmpty())
        dispenser << "serial no. " + detail(JobDetails::DispenserSerial);
    dispenser.removeAll(QString());
    return {title, detail(JobDetails::Technician),
            dispenser.isEmpty() ? title : title + " of dispenser " + dispenser.join(' '), printedAt(job)};
}

QByteArray renderReport(const Report& report, const QString& name, const ReportJob& job, const QPageLayout& paper)
{
    const DocumentInfo info = documentInfo(name, job);
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setTitle(info.title);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setDocumentXmpMetadata(xmp(info, info.created.toUTC().toString(Qt::ISODate), producer()));
        writer.setPageLayout(paper);
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        PdfPageDevice device(painter);
        Printer printer(device);
        report(printer, job);
        if (!painter.end())
            return {};
    }
    const QByteArray created = info.created.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + 'Z';
    return withInfo(pdf.data(), info, created, producer());
}
