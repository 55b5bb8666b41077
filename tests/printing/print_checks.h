#pragma once

// Shared by the tests that print: dialogs that answer for the user, a printer system
// that answers as told, the windows printing through both, the kept pages, and the
// words of a printed PDF page as poppler's pdftotext sees them.

#include "output/print_dialogs.h"
#include "output/printer_system.h"
#include "shell/window_manager.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <map>
#include <optional>
#include <tuple>

// Takes the offer of a PDF file, and chooses pdfAnswer, when there is one; chooses
// printerAnswer when asked for a printer, replaces a file when replace says so;
// keeps what the user was offered, suggested, asked and told.
struct AnsweringDialogs : PrintDialogs {
    bool offerPdf(const QString& message) override { return offers << message, pdfAnswer.has_value(); }
    PrinterChoice choosePrinter(const QString& message, const QStringList& printers) override
    {
        return choices << message + ' ' + printers.join(','), printerAnswer;
    }
    std::optional<QString> choosePdfFile(const QString& suggestedPath) override
    {
        return suggested << suggestedPath, pdfAnswer;
    }
    bool confirmReplace(const QString& path) override { return replacing << path, replace; }
    void tell(const QString& message) override { told << message; }
    std::optional<QString> pdfAnswer;
    PrinterChoice printerAnswer;
    bool replace = true;
    QStringList offers, suggested, told, choices, replacing;
};

// A printer system that answers as the test says, a moment later as the real one
// does: each look-up with lookUps' answer for the queue asked (the default's
// under ""), each submission with sent, numbering the jobs; or, hanging, only when
// answerLate is called. It keeps the queues the documents went to, and the last page.
struct ScriptedPrinterSystem : PrinterSystem {
    using Kind = Answer::Kind;
    static Answer answer(Kind kind, std::string queue = {}, std::string reason = {})
    {
        Answer a;
        std::tie(a.kind, a.queue, a.reason) = std::tuple(kind, std::move(queue), std::move(reason));
        return a;
    }
    Cancel lookUp(const std::string& queue, Answered answered) override
    {
        return later(lookUps.count(queue) ? lookUps.at(queue) : answer(Kind::NoSuchQueue, queue), std::move(answered));
    }
    Cancel submit(const std::string& queue, const QString&, const QByteArray& pdf, Answered answered) override
    {
        Answer a = sent;
        a.queue = queue;
        if (a.kind == Kind::Sent) {
            a.job = ++jobs;
            queues << QString::fromStdString(queue);
            lastPage = pdf;
        }
        return later(a, std::move(answered));
    }
    std::string server() const override { return "localhost:631"; }
    int bound() const override { return 5; }

    Cancel later(const Answer& a, Answered answered)
    {
        auto once = std::make_shared<Answered>(std::move(answered));  // emptied once answered
        const auto give = [once](const Answer& given) {
            if (*once)
                std::exchange(*once, nullptr)(given);
        };
        if (!hang)
            QTimer::singleShot(0, [give, a] { give(a); });
        else
            answerLate = give;
        return [give] { give(answer(Kind::Cancelled)); };
    }

    std::map<std::string, Answer> lookUps{{"", answer(Kind::Ready, "Office")}};
    Answer sent = answer(Kind::Sent);
    bool hang = false;  // answers only when cancelled or told to answer late
    Answered answerLate;
    int jobs = 0;
    QStringList queues;
    QByteArray lastPage;
};

// The windows, printing through answering dialogs and a scripted printer system.
struct ScriptedPrinting {
    AnsweringDialogs* asked = new AnsweringDialogs;  // both owned by the manager
    ScriptedPrinterSystem* printers = new ScriptedPrinterSystem;
    WindowManager manager{[] {}, std::unique_ptr<PrintDialogs>(asked), std::unique_ptr<PrinterSystem>(printers)};
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

// What PDF/A-1b requires that the file lacks, one line each (check-pdfa); empty
// when it has it all.
inline QString pdfaProblems(const QString& path)
{
    return run(QStringLiteral(FLOWCAL_TESTS_DIR "/printing/check-pdfa"), {path});
}

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // points from the top left corner of the page
};
using Line = QList<Word>;

// The words of the page gathered into lines, top to bottom and left to right
// (pdftotext may read a page column by column).
inline QList<Line> lines(const QString& path)
{
    const QRegularExpression tag("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                 "yMax=\"([\\d.]+)\">([^<]*)</word>");
    std::map<double, std::map<double, Word>> byLine;  // by the line's bottom, then from the left
    for (const QRegularExpressionMatch& m : tag.globalMatch(run("pdftotext", {"-bbox", path, "-"}))) {
        const Word word{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                        m.captured(4).toDouble()};
        auto line = byLine.lower_bound(word.yMax - 1.0);
        if (line == byLine.end() || line->first > word.yMax + 1.0)
            line = byLine.emplace(word.yMax, std::map<double, Word>()).first;
        line->second.emplace(word.xMin, word);
    }
    QList<Line> result;
    for (const auto& [bottom, words] : byLine) {
        result.append(Line());
        for (const auto& [left, word] : words)
            result.last().append(word);
    }
    return result;
}

inline QString text(const Line& line)
{
    QStringList words;
    for (const Word& word : line)
        words << word.text;
    return words.join(' ');
}

}  // namespace pdf
