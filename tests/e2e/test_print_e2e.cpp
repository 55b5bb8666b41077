#include "printing/maker.h"
#include "printing/print_checks.h"
#include "shell/window_manager.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QtTest>

#include <cmath>

namespace {

// A table line of a calibration report read by print zone: the words of each zone
// joined by blanks, "_" for an empty zone, the zones joined by " | ". The first
// word of a zone begins on its boundary, or one blank after it (the leading blank
// of a number); a first word anywhere else is marked with "?".
QString zoned(const pdf::Line& line, double left, double zone, double blank)
{
    QStringList cells;
    for (const pdf::Word& word : line) {
        const double offset = word.xMin - left;
        const auto k = qsizetype(std::floor(offset / zone + 0.01));
        while (cells.size() <= k)
            cells << QString();
        if (!cells[k].isEmpty()) {
            cells[k] += ' ' + word.text;
            continue;
        }
        const double into = offset - double(k) * zone;
        cells[k] = (qAbs(into) < 0.1 || qAbs(into - blank) < 0.1 ? "" : "?") + word.text;
    }
    for (QString& cell : cells) {
        if (cell.isEmpty())
            cell = "_";
    }
    return cells.join(" | ");
}

} // namespace

// Prints through File > Print of the program's windows on the system's default
// printer: a CUPS queue whose backend keeps each job's document (with-capture-queue).
class TestPrintE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void filePrintReachesThePrinter();
    void printerThatTakesNothingIsReported_data();
    void printerThatTakesNothingIsReported();
    void calibrationReportColumns_data();
    void calibrationReportColumns();

private:
    void typeAndEnter(const char* field, const char* text) { typeAndEnter(m_rate, field, text); }
    void typeAndEnter(QWidget* window, const char* field, const char* text);
    void filePrint() { filePrint(m_rate, "&Print"); }
    void filePrint(QWidget* window, const char* caption);
    // The document of the one job printed since before was taken.
    QString printedJob(const QStringList& before);
    QStringList jobs() const { return m_captured.entryList({"job-*"}, QDir::Files, QDir::Name); }

    QDir m_captured;
    QByteArray m_queue;
    AnsweringDialogs* m_dialogs = nullptr;
    WindowManager* m_manager = nullptr;
    RateWindow* m_rate = nullptr;
};

void TestPrintE2E::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("FLOWCAL_CAPTURE_DIR"))
        QSKIP("needs the CUPS capture queue that ./scripts/test sets up when it runs as root");
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    m_captured.setPath(qEnvironmentVariable("FLOWCAL_CAPTURE_DIR"));
    m_queue = qgetenv("PRINTER");
    QCOMPARE(QPrinterInfo::defaultPrinterName(), QString(m_queue));  // never a real printer
}

void TestPrintE2E::init()
{
    auto dialogs = std::make_unique<AnsweringDialogs>();
    m_dialogs = dialogs.get();
    m_manager = new WindowManager([] {}, std::move(dialogs));
    m_rate = m_manager->start();
    QApplication::setActiveWindow(m_rate);
    QVERIFY(QTest::qWaitForWindowActive(m_rate));
}

void TestPrintE2E::cleanup()
{
    qputenv("PRINTER", m_queue);
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::processEvents();
    delete m_manager;
}

void TestPrintE2E::typeAndEnter(QWidget* window, const char* field, const char* text)
{
    auto* edit = window->findChild<QLineEdit*>(field);
    QVERIFY2(edit, field);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void TestPrintE2E::filePrint(QWidget* window, const char* caption)
{
    QAction* print = window->findChild<QMenuBar*>()->findChild<QMenu*>()->actions().value(0);
    QCOMPARE(print->text(), QString(caption));
    print->trigger();
}

QString TestPrintE2E::printedJob(const QStringList& before)
{
    if (!QTest::qWaitFor([&] { return jobs().size() > before.size(); }, 10000))
        return {};
    QStringList added = jobs();
    added.removeIf([&](const QString& name) { return before.contains(name); });
    return added.size() == 1 ? m_captured.filePath(added[0]) : QString();
}

void TestPrintE2E::filePrintReachesThePrinter()
{
    const QStringList before = jobs();
    typeAndEnter("texMrate", "10");
    typeAndEnter("texPpg", "1000");
    typeAndEnter("texLbs", "5.66");
    filePrint();
    QVERIFY2(m_dialogs->told.isEmpty(), qPrintable(m_dialogs->told.join('\n')));
    const QString job = printedJob(before);
    QVERIFY2(!job.isEmpty(), "no single job reached the queue");

    // Qt's CUPS path sends PDF, which the raw queue passes on unchanged.
    QFile document(job);
    QVERIFY(document.open(QIODevice::ReadOnly));
    QCOMPARE(document.read(5), QByteArray("%PDF-"));
    QCOMPARE(pdf::pages(job), 1);
    // pdftotext shows any gap between words as one blank; the two blanks that
    // begin each caption are measured below.
    const QStringList expected{fixed(maker::kName),   fixed(maker::kStreet), fixed(maker::kCity),
                               fixed(maker::kPhone).simplified(), "1000 PULSES per GALLON",
                               "5.66 Lbs per GALLON", "29 FRQUENCY",        "9.8484 RATE"};
    QCOMPARE(pdf::run("pdftotext", {"-layout", job, "-"}).simplified(), expected.join(' '));

    const QList<pdf::Line> lines = pdf::lines(job);
    QStringList texts;
    for (const pdf::Line& line : lines)
        texts << pdf::text(line);
    QCOMPARE(texts, expected);
    const double blank = lines[4][2].xMin - lines[4][1].xMax;  // between PULSES and per
    for (int value = 4; value < 8; ++value) {
        QVERIFY(pdf::height(lines[value]) < pdf::height(lines[value - 4]));  // 12 pt under 14 pt
        QCOMPARE(lines[value][0].xMin, lines[0][0].xMin);
        QVERIFY2(qAbs(lines[value][1].xMin - lines[value][0].xMax - 2 * blank) < 0.1, qPrintable(texts[value]));
    }
    // From the telephone line down to the first value: two 14 pt lines (its own
    // and the blank fifth) and seven blank 12 pt lines; the values stand two
    // 12 pt lines apart.
    const double gap = (lines[4][0].yMin - lines[3][0].yMin) / (lines[5][0].yMin - lines[4][0].yMin);
    QVERIFY2(qAbs(gap - (2 * 14.0 / 12.0 + 7) / 2) < 0.05, qPrintable(QString::number(gap)));
}

void TestPrintE2E::printerThatTakesNothingIsReported_data()
{
    QTest::addColumn<QByteArray>("printer");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not accepting jobs") << qgetenv("FLOWCAL_REFUSING_PRINTER") << "is not accepting jobs.";
    QTest::newRow("stopped") << qgetenv("FLOWCAL_STOPPED_PRINTER") << "it is stopped or reports a fault.";
}

void TestPrintE2E::printerThatTakesNothingIsReported()
{
    QFETCH(QByteArray, printer);
    QFETCH(QString, reason);

    qputenv("PRINTER", printer);
    QCOMPARE(QPrinterInfo::defaultPrinterName(), QString(printer));
    const QStringList before = jobs();
    typeAndEnter("texPpg", "1000");
    filePrint();
    QCOMPARE(m_dialogs->told.size(), 1);
    QVERIFY2(m_dialogs->told[0].contains('"' + printer + '"') && m_dialogs->told[0].contains(reason),
             qPrintable(m_dialogs->told[0]));
    QCOMPARE(m_rate->findChild<QLineEdit*>("texPpg")->text(), QString("1000"));

    // The program goes on: with the capture queue back, the next report prints.
    qputenv("PRINTER", m_queue);
    filePrint();
    QCOMPARE(m_dialogs->told.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), before.size() + 1, 10000);
}

void TestPrintE2E::calibrationReportColumns_data()
{
    QTest::addColumn<RateWindow::Opens>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines");

    // The page below the letterhead; blank lines leave no words. A line with "|"
    // is read zone by zone.
    const QStringList test1{"Text1=100", "Text2=98"};
    QTest::newRow("with a mass display, Test 1") << RateWindow::Opens::MassDisplay << "&Print" << test1
        << QStringList{"DISPENSER CALIBRATION WITH A MASS DISPLAY", "49.023 Existing Flow Cal. Factor",
                       "_ | Mass | Percent", "Scale | Display | of Error",
                       "100 | 98 | 2 % | Batch #1", "_ | _ | _ | Batch #2", "_ | _ | _ | Batch #3",
                       "_ | Average | Average", "Average | Mass | Percent", "Scale | Display | of Error",
                       "100 | 98 | 2 %", "50.0235 New Flow Cal. Factor"};
    QTest::newRow("with a mass display, three tests") << RateWindow::Opens::MassDisplay << "&Print"
        << test1 + QStringList{"Text5=101", "Text6=100", "Text9=102", "Text10=103"}
        << QStringList{"DISPENSER CALIBRATION WITH A MASS DISPLAY", "49.023 Existing Flow Cal. Factor",
                       "_ | Mass | Percent", "Scale | Display | of Error",
                       "100 | 98 | 2 % | Batch #1", "101 | 100 | 0.99 % | Batch #2",
                       "102 | 103 | -0.98 % | Batch #3",
                       "_ | Average | Average", "Average | Mass | Percent", "Scale | Display | of Error",
                       "101 | 100.3333 | 0.66 %", "49.3487 New Flow Cal. Factor"};
    QTest::newRow("without a mass display") << RateWindow::Opens::NoMassDisplay << "&Pirnt"
        << QStringList{"Text1=100", "Text24=17.5", "Text5=120", "Text25=21", "Text9=81", "Text26=14.3"}
        << QStringList{"DISPENSER CALIBRATION WITH OUT A MASS DISPLAY", "43.023 Existing Flow Cal. Factor",
                       "_ | Gallon | Percent", "Scale | Display | of Error | Mass",
                       "100 | 17.5 | 0.95 % | 99.05 | Batch #1", "120 | 21 | 0.95 % | 118.86 | Batch #2",
                       "81 | 14.3 | 0.08 % | 80.938 | Batch #3",
                       "_ | Average | Average", "Average | Mass | Percent", "Scale | Display | of Error",
                       "100.3333 | 99.616 | 0.71 %", "43.3328 New Flow Cal. Factor"};
}

void TestPrintE2E::calibrationReportColumns()
{
    QFETCH(RateWindow::Opens, which);
    QFETCH(QString, caption);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, lines);

    QWidget* window = m_manager->open(which);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (const QString& step : steps)
        typeAndEnter(window, qPrintable(step.section('=', 0, 0)), qPrintable(step.section('=', 1)));
    const QStringList before = jobs();
    filePrint(window, qPrintable(caption));
    QVERIFY2(m_dialogs->told.isEmpty(), qPrintable(m_dialogs->told.join('\n')));
    const QString job = printedJob(before);
    QVERIFY2(!job.isEmpty(), "no single job reached the queue");
    QCOMPARE(pdf::pages(job), 1);

    const QList<pdf::Line> page = pdf::lines(job);
    QCOMPARE(page.size(), 4 + lines.size());
    QCOMPARE(pdf::text(page[3]), fixed(maker::kPhone).simplified());
    const double left = page[0][0].xMin;
    const pdf::Line& factor = page[5];
    const pdf::Line& header = page[7];  // Scale, Display, of Error
    const double zone = header[1].xMin - header[0].xMin;
    QVERIFY2(zone > 70 && zone < 100, qPrintable(QString::number(zone)));
    const double blank12 = factor[3].xMin - factor[2].xMax;  // Flow Cal.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const pdf::Line& line = page[4 + i];
        QCOMPARE(lines[i].contains(" | ") ? zoned(line, left, zone, blank12) : pdf::text(line), lines[i]);
    }

    // The labels follow their factors directly, with their own leading blanks:
    // two at 12 pt, seven at 14 pt.
    QVERIFY(qAbs(factor[1].xMin - factor[0].xMax - 2 * blank12) < 0.1);
    const pdf::Line& newFactor = page.last();
    const double blank14 = newFactor[3].xMin - newFactor[2].xMax;
    QVERIFY(blank14 > blank12);
    QVERIFY(qAbs(newFactor[1].xMin - newFactor[0].xMax - 7 * blank14) < 0.1);
    QVERIFY(pdf::height(newFactor) > pdf::height(factor));
}

QTEST_MAIN(TestPrintE2E)
#include "test_print_e2e.moc"
