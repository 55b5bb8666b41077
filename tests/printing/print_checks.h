#pragma once

// Shared by the printing tests: readable recordings, pages read line by line,
// worksheets filled in for a report, dialogs that answer for the user, and the
// words of a printed PDF page as poppler's pdftotext sees them.

#include "fields/sheet.h"
#include "printing/maker.h"
#include "printing/print_dialogs.h"
#include "printing/recording_device.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>

inline QString fixed(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline QStringList entries(const RecordingDevice::Document& document)
{
    QStringList list;
    for (const std::string& entry : document)
        list << QString::fromStdString(entry);
    return list;
}

// A recording device that also writes "line" where each line ends, blank lines
// included, so that a report's page can be read line by line.
class LineMarkingDevice : public RecordingDevice {
public:
    explicit LineMarkingDevice(std::vector<Document>& documents) : RecordingDevice(documents), m_documents(documents)
    {
    }
    static Printer::DeviceSource source(std::vector<Document>& documents)
    {
        return [&documents] { return std::make_unique<LineMarkingDevice>(documents); };
    }
    double lineHeight() override
    {
        m_documents.back().push_back("line");
        return RecordingDevice::lineHeight();
    }

private:
    std::vector<Document>& m_documents;
};

// A document of LineMarkingDevice with one entry per printed line, its items as
// "x 'text'" joined by blanks ("" for a blank line). The other entries ("begin",
// "font 12 bold", "end") stay where they were, before the line they came with.
inline QStringList pageLines(const RecordingDevice::Document& document)
{
    QStringList page;
    QStringList items;
    for (const std::string& entry : document) {
        const QString e = QString::fromStdString(entry);
        if (e == "line") {
            page << items.join(' ');
            items.clear();
        } else if (e.startsWith("text ")) {
            items << e.section(' ', 1, 1) + ' ' + e.section(' ', 3);
        } else {
            page << e;
        }
    }
    return page;
}

// The printed lines alone: line n of the page is at n - 1.
inline QStringList linesOnly(QStringList page)
{
    page.removeIf([](const QString& entry) { return entry.startsWith("font ") || entry == "begin" || entry == "end"; });
    return page;
}

// The letterhead as pageLines shows it: a document begun, five lines at 14 pt.
inline QStringList letterheadLines()
{
    return {"begin", "font 14 bold italic", "0 '" + fixed(maker::kName) + "'", "font 14 bold",
            "0 '" + fixed(maker::kStreet) + "'", "0 '" + fixed(maker::kCity) + "'",
            "0 '" + fixed(maker::kPhone) + "'", "font 14", ""};
}

// Fills a worksheet as the user would: each step types a text into the named field
// and presses Enter there ("Text1=100"); a field without an Enter reaction just
// keeps what was typed.
inline void fill(Sheet& sheet, const QStringList& steps)
{
    for (const QString& step : steps) {
        const FieldId field = sheet.find(step.section('=', 0, 0).toStdString());
        QVERIFY2(field != FieldId(), qPrintable(step));
        sheet.type(field, step.section('=', 1).toStdString());
        sheet.enter(field);
    }
}

// Every field's text, hidden work fields included: a report changes none.
inline QStringList fieldTexts(const Sheet& sheet)
{
    QStringList texts;
    for (std::size_t i = 0; i < sheet.fieldCount(); ++i)
        texts << QString::fromStdString(sheet.text(FieldId(i)));
    return texts;
}

class AnsweringDialogs : public PrintDialogs {
public:
    std::optional<QString> offerPdf(const QString& message, const QString& suggestedPath) override
    {
        offers << message + " | " + suggestedPath;
        return pdfAnswer;
    }
    void tell(const QString& message) override { told << message; }

    std::optional<QString> pdfAnswer;
    QStringList offers;
    QStringList told;
};

namespace pdf {

inline bool toolsInstalled() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pages(const QString& path)
{
    return QRegularExpression("Pages:\\s+(\\d+)").match(run("pdfinfo", {path})).captured(1).toInt();
}

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // points from the top left corner of the page
};
using Line = QList<Word>;

// The words of the page gathered into lines, top to bottom and left to right.
inline QList<Line> lines(const QString& path)
{
    const QRegularExpression tag("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                 "yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<Line> result;
    for (const QRegularExpressionMatch& m : tag.globalMatch(run("pdftotext", {"-bbox", path, "-"}))) {
        const Word word{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                        m.captured(3).toDouble(), m.captured(4).toDouble()};
        // pdftotext may read a page column by column.
        auto line = std::find_if(result.begin(), result.end(),
                                 [&](const Line& l) { return std::abs(l.first().yMax - word.yMax) < 1.0; });
        if (line == result.end())
            result.append(Line{word});
        else
            line->append(word);
    }
    std::sort(result.begin(), result.end(), [](const Line& a, const Line& b) { return a[0].yMax < b[0].yMax; });
    for (Line& line : result)
        std::sort(line.begin(), line.end(), [](const Word& a, const Word& b) { return a.xMin < b.xMin; });
    return result;
}

inline QString text(const Line& line)
{
    QStringList words;
    for (const Word& word : line)
        words << word.text;
    return words.join(' ');
}

inline double height(const Line& line) { return line.first().yMax - line.first().yMin; }

} // namespace pdf
