#pragma once

// Shared by the printing tests: readable recordings, pages read line by line,
// dialogs that answer for the user, and the words of a printed PDF page as
// poppler's pdftotext sees them.

#include "maker/maker.h"
#include "printing/print_dialogs.h"
#include "printing/printer_system.h"
#include "recording_device.h"

#include <QTimer>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <utility>

inline QString fixed(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Takes the offer of a PDF file, and chooses pdfAnswer, when there is one; chooses
// printerAnswer when asked for a printer, replaces a file when replace says so;
// keeps what the user was offered, suggested, asked and told.
struct AnsweringDialogs : PrintDialogs {
    bool offerPdf(const QString& message) override
    {
        offers << message;
        return pdfAnswer.has_value();
    }
    PrinterChoice choosePrinter(const QString& message, const QStringList& printers) override
    {
        choices << message + ' ' + printers.join(',');
        return printerAnswer;
    }
    std::optional<QString> choosePdfFile(const QString& suggestedPath) override
    {
        suggested << suggestedPath;
        return pdfAnswer;
    }
    bool confirmReplace(const QString& path) override
    {
        replacing << path;
        return replace;
    }
    void tell(const QString& message) override { told << message; }
    std::optional<QString> pdfAnswer;
    PrinterChoice printerAnswer;
    bool replace = true;
    QStringList offers, suggested, told, choices, replacing;
};

// A printer system that answers as the test says, a moment later as the real one
// does: each look-up with lookUps' answer for the queue asked (the default's
// under ""), each submission with sent, numbering the jobs. It keeps the queues the
// documents went to.
struct ScriptedPrinterSystem : PrinterSystem {
    using Kind = Answer::Kind;
    ScriptedPrinterSystem()
    {
        lookUps[""] = answer(Kind::Ready, "Office");
        sent = answer(Kind::Sent);
    }
    static Answer answer(Kind kind, std::string queue = {}, std::string reason = {})
    {
        Answer a;
        a.kind = kind;
        a.queue = std::move(queue);
        a.reason = std::move(reason);
        return a;
    }
    Cancel lookUp(const std::string& queue, Answered answered) override
    {
        Answer a = lookUps.count(queue) ? lookUps.at(queue) : answer(Kind::NoSuchQueue, queue);
        return later(a, std::move(answered));
    }
    Cancel submit(const std::string& queue, const QByteArray&, Answered answered) override
    {
        Answer a = sent;
        a.queue = queue;
        if (a.kind == Kind::Sent) {
            a.job = ++jobs;
            queues << QString::fromStdString(queue);
        }
        return later(a, std::move(answered));
    }
    std::string server() const override { return "localhost:631"; }
    int bound() const override { return 5; }

    Cancel later(const Answer& a, Answered answered)
    {
        auto done = std::make_shared<bool>(false);
        auto once = std::make_shared<Answered>(std::move(answered));
        if (!hang) {
            QTimer::singleShot(0, [done, once, a] {
                if (!std::exchange(*done, true))
                    (*once)(a);
            });
        }
        return [done, once] {
            if (!std::exchange(*done, true))
                (*once)(answer(Kind::Cancelled));
        };
    }

    std::map<std::string, Answer> lookUps;
    Answer sent;
    bool hang = false;  // never answers, as a printer system that hangs, until cancelled
    int jobs = 0;
    QStringList queues;
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
