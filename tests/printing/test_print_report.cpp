#include "calibration/calibration_mass_report.h"
#include "calibration/calibration_no_mass_report.h"
#include "calibration/calibration_phases.h"
#include "calibration/calibration_record.h"
#include "flowrate/flow_rate_report.h"
#include "layout/printer.h"
#include "output/message_box_print_dialogs.h"
#include "output/paper.h"
#include "output/pdf_file.h"
#include "output/pdf_page.h"
#include "shell/window_manager.h"
#include "print_checks.h"
#include "recording_device.h"
#include "sheet_support.h"
#include "table_file.h"
#include "widget_support.h"
#include "widgets/design.h"

#include <QtWidgets>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using worked::Window;
using widget_support::answer;
using widget_support::closeAll;
using widget_support::field;
Q_DECLARE_METATYPE(PrinterSystem::Answer)
Q_DECLARE_METATYPE(worked::Window)
Q_DECLARE_METATYPE(TableRow)
Q_DECLARE_METATYPE(ReportJob)
Q_DECLARE_METATYPE(KeptJob)

namespace {

// The report of the window's sheet, filled in with the steps.
Report report(Window window, const QString& steps)
{
    const std::shared_ptr<Sheet> sheet = worked::makeSheet(window);
    play(*sheet, steps);
    return [sheet, window](Printer& printer, const ReportJob& job) {
        if (window == Window::FlowRate)
            printFlowRateReport(static_cast<const FlowRateSheet&>(*sheet), job, printer);
        else if (window == Window::MassDisplay)
            printCalibrationMassReport(static_cast<const CalibrationMassSheet&>(*sheet), job, printer);
        else
            printCalibrationNoMassReport(static_cast<const CalibrationNoMassSheet&>(*sheet), job, printer);
    };
}

// Every detail at its longest, in wide capitals after its label, and a tolerance
// that judges the worked examples' errors each way.
ReportJob fullJob()
{
    ReportJob job{{}, "2026-12-07 14:32"};
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const JobDetails::About& about = JobDetails::about(JobDetails::Item(item));
        job.details.items[item] = (about.label + std::string(100, 'W')).substr(0, std::size_t(about.maxLength));
    }
    job.details.tolerance = {"0.7", "1.5"};
    return job;
}

// The job of the tables named so.
ReportJob namedJob(TableRow& row, const QString& name)
{
    const std::map<QString, ReportJob> jobs{{"", ReportJob()},
                                            {"every detail at its longest", fullJob()},
                                            {"a tolerance of 1.5 and 2 %",
                                             ReportJob{{{}, {"1.5", "2"}}, "2026-12-07 14:32"}}};
    if (!jobs.contains(name))
        row.fault("no job \"" + name.toStdString() + "\" in the test's list");
    return jobs.contains(name) ? jobs.at(name) : ReportJob();
}

// A kept job of that worksheet whose phases hold the readings given, " / " between
// them; "left as found" records No Adjustment.
KeptJob recordJob(Window window, const QString& phases, const JobDetails& details)
{
    const Worksheet& worksheet = worksheets().at(window == Window::MassDisplay ? 0 : 1);
    KeptJob job;
    job.kind = worksheet.kind;
    job.tested = "2026-12-07T14:30:00.000";
    job.details = details;
    const QStringList each = phases.split(" / ");
    for (int phase = 0; phase < each.size(); ++phase) {
        if (each[phase] == "left as found") {
            job.readings[leftAsFoundName(worksheet.name)] = leftAsFoundMark();
            continue;
        }
        for (const QString& reading : each[phase].split(';'))
            job.readings[phaseName(worksheet.name, phase)][reading.section('=', 0, 0).toStdString()] =
                reading.section('=', 1).toStdString();
    }
    return job;
}

// The page line by line as the recording device takes it, against the one kept in
// pages/ (which FLOWCAL_WRITE_PAGES keeps anew).
void checkKeptPage(const Report& print, const ReportJob& job, const QString& name)
{
    RecordingDevice device;
    Printer printer(device);
    print(printer, job);
    QStringList printed;
    for (std::size_t line = 0; line < device.lines.size(); ++line)
        printed << QString::number(line + 1) + ':'
                       + (device.lines[line].empty() ? "" : " " + qText(device.lines[line]));
    QFile kept(keptPagePath(name));
    if (qEnvironmentVariableIsSet("FLOWCAL_WRITE_PAGES") && kept.open(QIODevice::WriteOnly))
        kept.write(printed.join('\n').toUtf8() + '\n');
    kept.close();
    QVERIFY2(kept.open(QIODevice::ReadOnly), qPrintable(kept.fileName()));
    QCOMPARE(printed, QString::fromUtf8(kept.readAll()).split('\n', Qt::SkipEmptyParts));
}

// File > Print, and the printer system's answers let in.
void printFrom(QWidget* window)
{
    window->findChild<QMenuBar*>()->actions().at(0)->menu()->actions().at(0)->trigger();
    for (int answers = 0; answers < 3; ++answers)
        widget_support::settle();
}

void press(QDialogButtonBox::StandardButton button, QWidget* box)
{
    box->findChild<QDialogButtonBox*>()->button(button)->click();
}

QString said(QWidget* box, const char* part) { return box->findChild<QLabel*>(part)->text(); }

}  // namespace

class TestPrintReport : public QObject {
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void printerSystemAnswers_data();
    void printerSystemAnswers();
    void choosingWaitingAndCancelling();
    void savedAsPdf();
    void aFullJobStaysOnItsPage();
    void recordPages_data();
    void recordPages();
    void messageBoxesAskTheUser();
};

// The whole page, line by line, against the one kept in pages/: every cell in its
// zone, every line at its height, every font change where it happens.
void TestPrintReport::pages_data()
{
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<ReportJob>("job");
    for (TableRow row : readTable("printing/reports.txt", 4)) {
        const ReportJob job = namedJob(row, row[3]);
        const bool worked = row[2] == "worked example";
        const worked::Example* example = checkedExample(row, {worked ? QString() : row[2]});
        if (!QFileInfo::exists(keptPagePath(row[1])) && !qEnvironmentVariableIsSet("FLOWCAL_WRITE_PAGES"))
            row.fault("no kept page " + keptPagePath(row[1]).toStdString());
        QTest::newRow(row.cells[1].c_str()) << row << (example ? example->window : Window::FlowRate)
                                            << (example && worked ? stepsOf(*example) : row[2]) << job;
    }
}

void TestPrintReport::pages()
{
    QFETCH(TableRow, row);
    QFETCH(Window, window);
    QFETCH(QString, steps);
    QFETCH(ReportJob, job);
    CHECK_TABLE_ROW(row);
    checkKeptPage(report(window, steps), job, row[1]);
}

void TestPrintReport::printerSystemAnswers_data()
{
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<PrinterSystem::Answer>("lookUp");
    QTest::addColumn<PrinterSystem::Answer>("sent");
    const QStringList kinds{"Ready",    "Held", "Unreachable", "NoAnswer", "NoSuchQueue", "NoDefault",
                            "NoQueues", "Sent", "Refused",     "Dropped",  "MayHaveGone", "Cancelled"};
    for (TableRow row : readTable("printing/printer_answers.txt", 6)) {
        PrinterSystem::Answer answers[2];
        for (int i : {0, 1}) {  // "Kind queue: reason"
            const QString cell = row[i + 1], named = cell.section(": ", 0, 0), kind = named.section(' ', 0, 0);
            if (!kinds.contains(kind))
                row.fault("no answer \"" + kind.toStdString() + "\" (" + kinds.join(' ').toStdString() + ')');
            answers[i] = ScriptedPrinterSystem::answer(PrinterSystem::Answer::Kind(kinds.indexOf(kind)),
                                                       named.section(' ', 1).toStdString(),
                                                       cell.section(": ", 1).toStdString());
        }
        QTest::newRow(row.cells[0].c_str()) << row << answers[0] << answers[1];
    }
}

// Print in a window against each answer of the printer system: what the user is
// told, offered and shown on the status line; a PDF declined saves nothing.
void TestPrintReport::printerSystemAnswers()
{
    QFETCH(TableRow, row);
    QFETCH(PrinterSystem::Answer, lookUp);
    QFETCH(PrinterSystem::Answer, sent);
    CHECK_TABLE_ROW(row);
    ScriptedPrinting printing;
    AnsweringDialogs& asked = *printing.asked;
    printing.printers->lookUps[""] = lookUp;
    printing.printers->sent = sent;
    FlowRateWindow* window = printing.manager.start();
    QApplication::setActiveWindow(window);  // a dialog opens only over the window that asked
    QVERIFY(QTest::qWaitForWindowActive(window));
    printFrom(window);
    const auto listed = [](const QString& message) { return message.isEmpty() ? QStringList() : QStringList{message}; };
    QCOMPARE(asked.told, listed(row[3]));
    QCOMPARE(asked.offers, listed(row[4]));
    QCOMPARE(window->statusText(), row[5]);
    QCOMPARE(printing.printers->queues, listed(row[5].startsWith("Report sent") ? "Office" : QString()));
    QVERIFY(asked.suggested.isEmpty() && !window->waitingForPrinterSystem());
    closeAll();
}

// There are printers but none is the default: the user chooses one this once, or
// a PDF file; the window waits for the printer system without freezing, Esc gives
// up the wait, and typing on meanwhile keeps the keys from a late dialog.
void TestPrintReport::choosingWaitingAndCancelling()
{
    using S = ScriptedPrinterSystem;
    using Kind = PrinterSystem::Answer::Kind;
    QTemporaryDir folder;
    ScriptedPrinting printing;
    AnsweringDialogs& asked = *printing.asked;
    ScriptedPrinterSystem& printers = *printing.printers;
    PrinterSystem::Answer none = S::answer(Kind::NoDefault);
    none.queues = {"Lab", "Office"};
    printers.lookUps[""] = none;
    printers.lookUps["Lab"] = S::answer(Kind::Ready, "Lab");
    FlowRateWindow* window = printing.manager.start();
    QApplication::setActiveWindow(window);  // a dialog opens only over the window that asked
    QVERIFY(QTest::qWaitForWindowActive(window));
    asked.printerAnswer = {PrintDialogs::PrinterChoice::Kind::Printer, "Lab"};
    printFrom(window);
    QCOMPARE(asked.choices, QStringList{"No printer is set as the default. Print on one of these this once, or save "
                                        "the report as a PDF file: Lab,Office"});
    QCOMPARE(window->statusText(), QString("Report sent to Lab as job 1."));
    asked.printerAnswer = {PrintDialogs::PrinterChoice::Kind::Pdf, {}};
    asked.pdfAnswer = folder.filePath("chosen.pdf");
    printFrom(window);
    QCOMPARE(window->statusText(), "Report saved as " + folder.filePath("chosen.pdf") + ".");
    QCOMPARE(printers.jobs, 1);

    // A printer system that does not answer: the fields still take keys, the
    // status line says why after a second, and Esc ends the wait.
    printers.hang = true;
    printers.lookUps[""] = S::answer(Kind::Ready, "Office");
    printFrom(window);
    QVERIFY(window->waitingForPrinterSystem());
    QTest::keyClicks(field(window, "maximumFlow"), "12");
    QCOMPARE(field(window, "maximumFlow")->text(), QString("12"));
    QTRY_COMPARE_WITH_TIMEOUT(window->statusText(), QString("Waiting for the printer system... Esc cancels."), 3000);
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->waitingForPrinterSystem());
    QCOMPARE(window->statusText(), QString("Printing cancelled. Nothing was printed."));
    QCOMPARE(printers.jobs, 1);

    // An answer that comes while the technician types opens no dialog: the status
    // line says it, and which command takes the offer, as long as the typing goes on.
    printFrom(window);
    QTest::keyClicks(field(window, "maximumFlow"), "3");
    printers.answerLate(S::answer(Kind::NoAnswer));
    QVERIFY(asked.offers.isEmpty());
    QCOMPARE(window->statusText(), QString("The printer system did not answer within 5 seconds (localhost:631), so the "
                                           "report cannot be printed. Save as PDF in the File menu saves the report "
                                           "instead."));
    QTest::keyClicks(field(window, "maximumFlow"), "4");  // the note stays while the technician types on
    QCOMPARE(field(window, "maximumFlow")->text(), QString("1234"));
    QVERIFY(window->statusText().startsWith("The printer system did not answer within 5 seconds"));

    // The page is the one the readings and the job gave at the command, whatever is
    // typed while the printer system is asked.
    JobDetails details = printing.manager.job().details();
    details.items[JobDetails::Customer] = "Acme";
    printing.manager.job().setDetails(details);
    printFrom(window);
    QTest::keyClicks(field(window, "maximumFlow"), "9");
    details.items[JobDetails::Customer] = "Other";
    printing.manager.job().setDetails(details);
    printers.answerLate(S::answer(Kind::Ready, "Office"));
    printers.answerLate(S::answer(Kind::Sent, "Office"));
    QTemporaryFile page;
    QVERIFY(page.open() && page.write(printers.lastPage) == printers.lastPage.size() && page.flush());
    const QString printed = pdf::run("pdftotext", {page.fileName(), "-"});
    QVERIFY2(printed.contains("Maximum flow: 1234 Lbs/MIN.") && printed.contains("Customer: Acme"),
             qPrintable(printed));
    closeAll();
}

// Saved as PDF, from the menu or when there is no printer, the page is the one a
// printer would give. What goes wrong is said on the status line and leaves no
// file: a cancel, a folder that cannot be written, a full disk.
void TestPrintReport::savedAsPdf()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("report.pdf");
    AnsweringDialogs dialogs;
    const auto print = report(Window::MassDisplay, "scale1=100!;display1=98!");
    ReportJob job{{}, "2026-12-07 14:32"};
    const auto outcome = [&](const std::optional<QString>& answer) {
        dialogs.pdfAnswer = answer;
        return savePdf(dialogs, suggestedPdfPath("cal", job), renderReport(print, "cal", job, localePageLayout()));
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
    QVERIFY2(dialogs.suggested.last().endsWith("/cal-2026-12-07-1432.pdf"), qPrintable(dialogs.suggested.last()));
    // A scanner's control characters and a pasted direction override: the metadata
    // stay XML, and the serial reads in the order typed.
    job.details.items[JobDetails::DispenserModel] = "A\x01"
                                                    "B\x07"
                                                    "C\x1b"
                                                    "D";
    job.details.items[JobDetails::DispenserSerial] = "SN\u200b12\u202e34AB";
    QCOMPARE(outcome(path), "Report saved as " + path + ".");
    QCOMPARE(pdf::pdfaProblems(path), QString());
    QVERIFY2(pdf::run("pdfinfo", {path}).contains("Cal of dispenser A?B?C?D serial no. SN?12?34AB"),
             qPrintable(pdf::run("pdfinfo", {path})));
    QVERIFY(pdf::run("pdftotext", {path, "-"}).contains("Dispenser serial no.: SN?12?34AB"));
    job = ReportJob{{}, "2026-12-07 14:32"};

    // Only documents are written: a pipe or a folder is refused, a link writes the
    // file it names, asking about that file.
    const QString pipe = folder.filePath("pipe.pdf");
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QCOMPARE(outcome(pipe), "The report was not saved: \"" + pipe
                                + "\" is not a file but a device or pipe. Nothing "
                                  "was written.");
    QCOMPARE(outcome(folder.path()), "The report was not saved: \"" + folder.path()
                                         + "\" is not a file but a "
                                           "folder. Nothing was written.");
    if (geteuid() == 0) {  // a device node, as /dev/null is, only root can make
        const QString device = folder.filePath("null.pdf");
        QCOMPARE(mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
        QVERIFY(outcome(device).endsWith("is not a file but a device or pipe. Nothing was written."));
        QFile::remove(device);
    }
    const QString link = folder.filePath("link.pdf");
    QVERIFY(QFile::link(path, link));
    dialogs.replace = false;
    QCOMPARE(outcome(link), QString("The report was not saved."));
    QCOMPARE(dialogs.replacing.last(), path);
    dialogs.replace = true;
    QCOMPARE(outcome(link), "Report saved as " + path + ".");
    QVERIFY(QFileInfo(link).isSymLink());
    const QString dangling = folder.filePath("gone.pdf");
    QVERIFY(QFile::link(folder.filePath("no such file"), dangling));
    QCOMPARE(outcome(dangling),
             "The report was not saved: \"" + dangling + "\" is a link to a file that does not exist.");
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::System).size(), 5);  // the link named no new file
    // Without a usable home the file is suggested in the current folder.
    const QByteArray home = qgetenv("HOME");
    qunsetenv("HOME");
    QCOMPARE(QFileInfo(suggestedPdfPath("cal", job)).absolutePath(), QDir::currentPath());
    qputenv("HOME", "/nonexistent/home");
    QCOMPARE(QFileInfo(suggestedPdfPath("cal", job)).absolutePath(), QDir::currentPath());
    qputenv("HOME", home);
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    // A4 under the C locale, the text a quarter inch (18 points) from its edges.
    const QString info = pdf::run("pdfinfo", {path});
    QVERIFY2(info.contains(QRegularExpression("Pages: +1\\n.*Page size: +595 x 842 pts \\(A4\\)",
                                              QRegularExpression::DotMatchesEverythingOption)),
             qPrintable(info));
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

// Every detail at its longest, in wide capitals, under the tallest report: the page
// is still one page of the smallest papers, Letter (the shortest) and A4 (the
// narrowest), nothing beyond its margins. The file says which report it is, for
// which dispenser, by whom and when, and holds what PDF/A-1b requires.
void TestPrintReport::aFullJobStaysOnItsPage()
{
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    QTemporaryDir folder;
    AnsweringDialogs dialogs;
    dialogs.pdfAnswer = folder.filePath("full.pdf");
    const ReportJob job = fullJob();
    // Each line on Letter and on A4 within a quarter-inch margin, the last one last.
    const auto staysOnItsPage = [&](const Report& print, const QString& name, const QString& last) {
        for (const QPageSize::PageSizeId paper : {QPageSize::Letter, QPageSize::A4}) {
            const QPageLayout layout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25),
                                     QPageLayout::Inch);
            QCOMPARE(savePdf(dialogs, suggestedPdfPath(name, job), renderReport(print, name, job, layout)),
                     "Report saved as " + *dialogs.pdfAnswer + ".");
            const QSizeF page = layout.fullRect(QPageLayout::Point).size();
            const QList<pdf::Line> lines = pdf::lines(*dialogs.pdfAnswer);
            QVERIFY(!lines.isEmpty());
            QCOMPARE(pdf::text(lines.last()), last);
            for (const pdf::Line& line : lines) {
                QVERIFY2(line.last().xMax <= page.width() - 18 && line.last().yMax <= page.height() - 18,
                         qPrintable(pdf::text(line)));
            }
        }
    };
    // The record of a job adjusted twice, every detail at its longest.
    staysOnItsPage(recordReport(recordJob(Window::MassDisplay,
                                          "scale1=20.40;display1=19.87;scale2=20.21;display2=20.05;scale3=20.33;"
                                          "display3=20.28 / existingFactor=1.012;scale1=1;display1=1 / "
                                          "existingFactor=1.0155;scale1=20.10;display1=20.12;scale2=20.30;"
                                          "display2=20.29;scale3=20.20;display3=20.25",
                                          job.details),
                                {"40", "2027-12-07"}),
                   "calibration-record", "Printed name: ________________________________");
    staysOnItsPage(report(Window::NoMassDisplay, stepsOf(worked::example(Window::NoMassDisplay))),
                   "calibration-without-mass-display", "43.3328 New Flow Cal. Factor");
    const QList<pdf::Line> lines = pdf::lines(*dialogs.pdfAnswer);
    QVERIFY(std::any_of(lines.begin(), lines.end(), [](const pdf::Line& line) {
        return pdf::text(line) == "Test 1: 0.950 % maint., outside 0.7 % acceptance, within 1.5 % maintenance";
    }));
    QVERIFY2(dialogs.suggested.last().endsWith(
                 "/calibration-without-mass-display-Dispenser-serial-no.WWWWWWWWWW-2026-12-07-1432.pdf"),
             qPrintable(dialogs.suggested.last()));
    const QString info = pdf::run("pdfinfo", {"-isodates", *dialogs.pdfAnswer});
    const QString created = QDateTime::fromString("2026-12-07 14:32", "yyyy-MM-dd HH:mm").toUTC().toString(Qt::ISODate);
    for (const QString& expected : QStringList{
             "Title: +Calibration without mass display\n", "Author: +TechnicianW{40}\n",
             "Subject: +Calibration without mass display of dispenser Dispenser makeW{16} Dispenser modelW{15} serial "
             "no. Dispenser serial no.W{10}\n",
             "CreationDate: +" + created + "\n", "Pages: +1\n"})
        QVERIFY2(info.contains(QRegularExpression(expected)), qPrintable(expected + " in:\n" + info));
    QCOMPARE(pdf::pdfaProblems(*dialogs.pdfAnswer), QString());
}

// Each calibration record's page against the one kept in pages/: both worksheets,
// every phase's verdicts against its own limits, the repeatability, the adjustment
// or none, a round between the first and the last in a line.
void TestPrintReport::recordPages_data()
{
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<KeptJob>("job");
    QTest::addColumn<ReportJob>("printed");
    const std::map<QString, Window> windows{{"with a mass display", Window::MassDisplay},
                                            {"without a mass display", Window::NoMassDisplay}};
    for (TableRow row : readTable("printing/records.txt", 4)) {
        const ReportJob printed = namedJob(row, row[3]);
        if (!windows.contains(row[1]))
            row.fault("no worksheet \"" + row.cells[1] + "\"");
        const Window window = windows.contains(row[1]) ? windows.at(row[1]) : Window::MassDisplay;
        QTest::newRow(row.cells[0].c_str()) << row << recordJob(window, row[2], printed.details) << printed;
    }
}

void TestPrintReport::recordPages()
{
    QFETCH(TableRow, row);
    QFETCH(KeptJob, job);
    QFETCH(ReportJob, printed);
    CHECK_TABLE_ROW(row);
    checkKeptPage(recordReport(job, {"40", "2027-12-07"}), printed, row[0]);
}

// The program's own dialogs: the offer's Cancel declines and its Save accepts; the
// file dialog opens at the suggested file, adds the suffix to a name typed
// without it, and may be cancelled.
void TestPrintReport::messageBoxesAskTheUser()
{
    QTemporaryDir folder;
    MessageBoxPrintDialogs dialogs;
    answer({[](QWidget* box) { press(QDialogButtonBox::Cancel, box); }});
    QVERIFY(!dialogs.offerPdf("No printer."));
    answer({[](QWidget* box) {
        QCOMPARE(said(box, "question"), "Save the report as a PDF file instead?");
        press(QDialogButtonBox::Save, box);
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
    answer({[](QWidget* box) {
        QCOMPARE(said(box, "message"), "Told.");
        box->close();
    }});
    dialogs.tell("Told.");
    answer({[](QWidget* box) { press(QDialogButtonBox::Yes, box); }});
    QVERIFY(dialogs.confirmReplace(folder.filePath("cal.pdf")));
    answer({[](QWidget* box) { press(QDialogButtonBox::No, box); }});
    QVERIFY(!dialogs.confirmReplace(folder.filePath("cal.pdf")));
    // The printer chosen from the list is printed on; Save as PDF chooses a file.
    using Choice = PrintDialogs::PrinterChoice;
    const auto click = [](const QString& text, int row) {
        return [text, row](QWidget* box) {
            QTimer::singleShot(2000, box, &QWidget::close);  // should the button leave it open
            box->findChild<QListWidget*>()->setCurrentRow(row);
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (button->text() == text)
                    return button->click();
        };
    };
    answer({click("&Print", 1)});
    const Choice chosen = dialogs.choosePrinter("None is the default.", {"Lab", "Office"});
    QVERIFY(chosen.kind == Choice::Kind::Printer && chosen.printer == "Office");
    answer({click("Save as P&DF...", 0)});
    QVERIFY(dialogs.choosePrinter("None is the default.", {"Lab"}).kind == Choice::Kind::Pdf);
    answer({[](QWidget* box) {  // a double click on a printer prints on it
        QTimer::singleShot(2000, box, &QWidget::close);
        auto* list = box->findChild<QListWidget*>();
        const QRect lab = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, lab.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, lab.center());
    }});
    QCOMPARE(dialogs.choosePrinter("None is the default.", {"Lab", "Office"}).printer, QString("Lab"));
}

QTEST_MAIN(TestPrintReport)
#include "test_print_report.moc"
