#pragma once

// Shared by the printing tests: readable recordings, pages read line by line,
// dialogs that answer for the user, and the words of a printed PDF page as
// poppler's pdftotext sees them.

#include "printing/maker.h"
#include "printing/print_dialogs.h"
#include "printing/recording_device.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <optional>

inline QString fixed(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Takes the offer of a PDF file, and chooses pdfAnswer, when there is one; keeps
// what the user was offered, suggested and told.
struct AnsweringDialogs : PrintDialogs {
    bool offerPdf(const QString& message) override
    {
        offers << message;
        return pdfAnswer.has_value();
    }
    std::optional<QString> choosePdfFile(const QString& suggestedPath) override
    {
        suggested << suggestedPath;
        return pdfAnswer;
    }
    void tell(const QString& message) override { told << message; }
    std::optional<QString> pdfAnswer;
    QStringList offers, suggested, told;
};

// A report's page as it is kept, line by line, in tests/printing/pages.
inline QString keptPagePath(const QString& name)
{
    return QStringLiteral(FLOWCAL_TESTS_DIR "/printing/pages/") + name + ".txt";
}

namespace pdf {

inline bool toolsInstalled() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
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

} // namespace pdf
