#include "calibration_mass/calibration_mass_report.h"
#include "calibration_nomass/calibration_no_mass_report.h"
#include "fields/design.h"
#include "flowrate/flow_rate_report.h"
#include "printing/message_box_print_dialogs.h"
#include "printing/print_failed.h"
#include "printing/print_report.h"
#include "print_checks.h"
#include "sheet_support.h"
#include "table_file.h"
#include "widget_support.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>

#include <csignal>

#include <sys/resource.h>

using worked::Window;
using widget_support::answer;
Q_DECLARE_METATYPE(worked::Window)

namespace {

// The report of the window's sheet, filled in with the steps.
std::function<void(Printer&)> report(Window window, const QString& steps)
{
    const std::shared_ptr<Sheet> sheet = worked::makeSheet(window);
    play(*sheet, steps);
    return [sheet, window](Printer& printer) {
        if (window == Window::FlowRate)
            printFlowRateReport(static_cast<const FlowRateSheet&>(*sheet), printer);
        else if (window == Window::MassDisplay)
            printCalibrationMassReport(static_cast<const CalibrationMassSheet&>(*sheet), printer);
        else
            printCalibrationNoMassReport(static_cast<const CalibrationNoMassSheet&>(*sheet), printer);
    };
}

// A printer that takes the page, then refuses the document.
struct RefusingDevice : RecordingDevice {
    using RecordingDevice::RecordingDevice;
    std::string endDocument() override { throw PrintFailed::refused("Office", "Destination is not accepting jobs."); }
};

void press(QMessageBox::StandardButton button, QWidget* box)
{
    qobject_cast<QMessageBox*>(box)->button(button)->click();
}

} // namespace

class TestPrintReport : public QObject {
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void notPrinted_data();
    void notPrinted();
    void savedAsPdf();
    void messageBoxesAskTheUser();
};

// The whole page, line by line, against the one kept in pages/: every cell in its
// zone, every line at its height, every font change where it happens.
void TestPrintReport::pages_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("page");
    for (const QStringList& row : readTable("printing/reports.txt", 3)) {
        const worked::Example& example = worked::named(row[0].toStdString());
        QTest::newRow(qPrintable(row[1])) << example.window << (row[2] == "worked example" ? stepsOf(example) : row[2])
                                          << row[1];
    }
}

// Each report is printed twice after another left its own face set: the pages are alike.
void TestPrintReport::pages()
{
    QFETCH(Window, window);
    QFETCH(QString, steps);
    QFETCH(QString, page);
    const auto print = report(window, steps);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    printer.setFontName("Courier");
    print(printer);
    print(printer);
    QCOMPARE(documents.size(), std::size_t(2));
    QCOMPARE(documents[1], documents[0]);

    QStringList printed;
    for (std::size_t line = 1; line + 1 < documents[0].size(); ++line)
        printed << QString::number(line) + ':' + (documents[0][line].empty() ? "" : " " + qText(documents[0][line]));
    QFile kept(keptPagePath(page));
    if (qEnvironmentVariableIsSet("FLOWCAL_WRITE_PAGES") && kept.open(QIODevice::WriteOnly))
        kept.write(printed.join('\n').toUtf8() + '\n');
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(printed, QString::fromUtf8(kept.readAll()).split('\n', Qt::SkipEmptyParts));
}

void TestPrintReport::notPrinted_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("refusing");  // 1: at the start, 2: when handed over
    QTest::addColumn<QString>("message");
    for (const QStringList& row : readTable("printing/refusals.txt", 5)) {
        QTest::newRow(qPrintable(row[1])) << worked::named(row[0].toStdString()).window << row[2]
                                          << int(QStringList{"not", "at the start", "when handed over"}.indexOf(row[3]))
                                          << row[4];
    }
}

void TestPrintReport::notPrinted()
{
    QFETCH(Window, window);
    QFETCH(QString, steps);
    QFETCH(int, refusing);
    QFETCH(QString, message);
    const auto print = report(window, steps);
    std::vector<RecordingDevice::Document> documents;
    Printer printer([&]() -> std::unique_ptr<PageDevice> {
        if (refusing == 1)
            throw PrintFailed::refused("Office", "it is stopped or reports a fault");
        if (refusing == 2)
            return std::make_unique<RefusingDevice>(documents);
        return std::make_unique<RecordingDevice>(documents);
    });
    AnsweringDialogs dialogs;
    QCOMPARE(printReport(printer, dialogs, "report", print).kind, ReportOutcome::Kind::NotPrinted);
    QCOMPARE(dialogs.told, QStringList{message});
    QVERIFY(dialogs.offers.isEmpty() && !printer.documentOpen());
    if (!refusing)
        return;
    refusing = 0;
    const ReportOutcome printed = printReport(printer, dialogs, "report", print);
    QCOMPARE(printed.kind, ReportOutcome::Kind::Printed);
    QCOMPARE(printed.status, QString("Report recorded."));
    QVERIFY(documents.back().at(1).starts_with("{14 bold italic} 0 0 'Vantrel") && documents.back().back() == "end");
}

// Saved as PDF, from the menu or when there is no printer, the page is the one a
// printer would give. What goes wrong is said on the status line and leaves no
// file: a cancel, a folder that cannot be written, a full disk.
void TestPrintReport::savedAsPdf()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("report.pdf");
    AnsweringDialogs dialogs;
    Printer printer([] { return std::unique_ptr<PageDevice>(); });
    const auto print = report(Window::MassDisplay, "scale1=100!;display1=98!");
    const auto outcome = [&](const std::optional<QString>& answer) {
        dialogs.pdfAnswer = answer;
        return saveReportAsPdf(printer, dialogs, "cal", print).status;
    };
    QCOMPARE(outcome(std::nullopt), QString("The report was not saved."));
    // A folder that is a file, which even root cannot write in.
    const QString blocked = folder.filePath("a file/report.pdf");
    QFile(folder.filePath("a file")).open(QIODevice::WriteOnly);
    QVERIFY(outcome(blocked).startsWith("The report could not be saved as \"" + blocked + "\": "));
    {
        // Writing more than a few bytes fails as on a full disk.
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY}, full{2000, RLIM_INFINITY};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        const QString status = outcome(path);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QVERIFY2(status.startsWith("The report could not be saved as \"" + path + "\": "), qPrintable(status));
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a file"});
    QCOMPARE(outcome(path), "Report saved as " + path + ".");
    QVERIFY2(dialogs.suggested.last().endsWith("/cal-" + QDate::currentDate().toString(Qt::ISODate) + ".pdf"),
             qPrintable(dialogs.suggested.last()));

    // Without a printer, Print offers the same.
    dialogs.pdfAnswer = path;
    QCOMPARE(printReport(printer, dialogs, "cal", print).kind, ReportOutcome::Kind::SavedAsPdf);
    QCOMPARE(dialogs.offers, QStringList{"No printer is set up on this computer, so the report cannot be printed."});
    QVERIFY(dialogs.told.isEmpty() && !printer.documentOpen());
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    // A4 under the C locale, the text a quarter inch (18 points) from its edges.
    const QString info = pdf::run("pdfinfo", {path});
    QVERIFY2(info.contains(QRegularExpression("Pages: +1\\n.*Page size: +595 x 842 pts \\(A4\\)",
                                              QRegularExpression::DotMatchesEverythingOption)), qPrintable(info));
    const QList<pdf::Line> lines = pdf::lines(path);
    QCOMPARE(pdf::text(lines.value(7)), QString("Scale Display of Error"));
    // A zone is 14 average characters at 12 pt, some 80 points: Batch #1 stands three zones in.
    const double zone = lines[7][1].xMin - lines[7][0].xMin;
    QVERIFY2(zone > 70 && zone < 100, qPrintable(QString::number(zone)));
    QCOMPARE(lines[7][2].xMin - lines[7][1].xMin, zone);
    QCOMPARE(pdf::text(lines[8]), QString("100 98 2 % Batch #1"));
    QVERIFY(qAbs(lines[8][1].xMin - lines[7][1].xMin) < 0.1);
    QVERIFY(qAbs(lines[8][4].xMin - lines[7][0].xMin - 3 * zone) < 0.1);
    QVERIFY2(qAbs(lines[0][0].xMin - 18) < 1 && qAbs(lines[0][0].yMin - 18) < 1,
             qPrintable(QString("%1, %2").arg(lines[0][0].xMin).arg(lines[0][0].yMin)));
}

// The program's own dialogs: the offer's Cancel declines and its Save accepts; the
// file dialog opens at the suggested file, adds the suffix to a name typed
// without it, and may be cancelled.
void TestPrintReport::messageBoxesAskTheUser()
{
    QTemporaryDir folder;
    MessageBoxPrintDialogs dialogs;
    answer({[](QWidget* box) { press(QMessageBox::Cancel, box); }});
    QVERIFY(!dialogs.offerPdf("No printer."));
    answer({[](QWidget* box) {
        QCOMPARE(qobject_cast<QMessageBox*>(box)->informativeText(), "Save the report as a PDF file instead?");
        press(QMessageBox::Save, box);
    }});
    QVERIFY(dialogs.offerPdf("No printer."));
    answer({[&](QWidget* files) {
        auto* dialog = qobject_cast<QFileDialog*>(files);
        QCOMPARE(dialog->directory().absolutePath(), folder.path());
        QCOMPARE(dialog->selectedFiles(), QStringList{folder.filePath("cal.pdf")});
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("typed");  // as typed over the name suggested
        static_cast<QDialog*>(dialog)->accept();
    }});
    QCOMPARE(dialogs.choosePdfFile(folder.filePath("cal.pdf")), folder.filePath("typed.pdf"));
    answer({[](QWidget* files) { files->close(); }});
    QCOMPARE(dialogs.choosePdfFile(folder.filePath("cal.pdf")), std::optional<QString>());
    answer({[](QWidget* box) { QCOMPARE(qobject_cast<QMessageBox*>(box)->text(), "Told."); box->close(); }});
    dialogs.tell("Told.");
}

QTEST_MAIN(TestPrintReport)
#include "test_print_report.moc"
