#include "printing/maker.h"
#include "printing/print_checks.h"
#include "widget_support.h"

#include <QDir>
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
            cells << "_";
        const double into = offset - double(k) * zone;
        if (cells[k] != "_")
            cells[k] += ' ' + word.text;
        else
            cells[k] = (qAbs(into) < 0.1 || qAbs(into - blank) < 0.1 ? "" : "?") + word.text;
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
    void reportsReachThePrinter_data();
    void reportsReachThePrinter();
    void printerThatTakesNothingIsReported_data();
    void printerThatTakesNothingIsReported();

private:
    // Types the steps ("field=text") into the window, prints from its File menu and
    // returns the document of the one job that reached the queue.
    QString printed(QWidget* window, const QStringList& steps);
    QStringList jobs() const { return m_captured.entryList({"job-*"}, QDir::Files, QDir::Name); }

    QDir m_captured;
    QByteArray m_queue;
    AnsweringDialogs* m_dialogs = nullptr;
    WindowManager* m_manager = nullptr;
    FlowRateWindow* m_main = nullptr;
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
    m_main = m_manager->start();
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
}

void TestPrintE2E::cleanup()
{
    qputenv("PRINTER", m_queue);
    widget_support::closeAll();
    delete m_manager;
}

QString TestPrintE2E::printed(QWidget* window, const QStringList& steps)
{
    for (const QString& step : steps)
        widget_support::typeIn(window, step.section('=', 0, 0).toStdString(), step.section('=', 1));
    const QStringList before = jobs();
    window->findChild<QMenuBar*>()->findChild<QMenu*>()->actions().value(0)->trigger();
    if (!m_dialogs->told.isEmpty() || !QTest::qWaitFor([&] { return jobs().size() > before.size(); }, 10000))
        return {};
    QStringList added = jobs();
    added.removeIf([&](const QString& name) { return before.contains(name); });
    return added.size() == 1 ? m_captured.filePath(added[0]) : QString();
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
    QVERIFY(printed(m_main, {"pulsesPerGallon=1000"}).isEmpty());
    QCOMPARE(m_dialogs->told.size(), 1);
    QVERIFY2(m_dialogs->told[0].contains('"' + printer + '"') && m_dialogs->told[0].contains(reason),
             qPrintable(m_dialogs->told[0]));

    // The program goes on: with the capture queue back, the next report prints.
    qputenv("PRINTER", m_queue);
    m_dialogs->told.clear();
    QVERIFY(!printed(m_main, {}).isEmpty());
}

void TestPrintE2E::reportsReachThePrinter_data()
{
    QTest::addColumn<int>("window");  // -1: the main window
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines");

    // The page below the letterhead; blank lines leave no words, pdftotext shows any
    // gap between words as one blank. A line with "|" is read zone by zone.
    QTest::newRow("flow rate") << -1 << QStringList{"maximumFlow=10", "pulsesPerGallon=1000", "density=5.66"}
        << QStringList{"1000 PULSES per GALLON", "5.66 Lbs per GALLON", "29 FRQUENCY", "9.8484 RATE"};
    QTest::newRow("with a mass display") << int(FlowRateWindow::Opens::MassDisplay)
        << QStringList{"scale1=100", "display1=98", "scale2=101", "display2=100", "scale3=102", "display3=103"}
        << QStringList{"DISPENSER CALIBRATION WITH A MASS DISPLAY", "49.023 Existing Flow Cal. Factor",
                       "_ | Mass | Percent", "Scale | Display | of Error", "100 | 98 | 2 % | Batch #1",
                       "101 | 100 | 0.99 % | Batch #2", "102 | 103 | -0.98 % | Batch #3", "_ | Average | Average",
                       "Average | Mass | Percent", "Scale | Display | of Error", "101 | 100.3333 | 0.66 %",
                       "49.3487 New Flow Cal. Factor"};
    QTest::newRow("without a mass display") << int(FlowRateWindow::Opens::NoMassDisplay)
        << QStringList{"scale1=100", "gallons1=17.5", "scale2=120", "gallons2=21", "scale3=81", "gallons3=14.3"}
        << QStringList{"DISPENSER CALIBRATION WITH OUT A MASS DISPLAY", "43.023 Existing Flow Cal. Factor",
                       "_ | Gallon | Percent", "Scale | Display | of Error | Mass",
                       "100 | 17.5 | 0.95 % | 99.05 | Batch #1", "120 | 21 | 0.95 % | 118.86 | Batch #2",
                       "81 | 14.3 | 0.08 % | 80.938 | Batch #3", "_ | Average | Average", "Average | Mass | Percent",
                       "Scale | Display | of Error", "100.3333 | 99.616 | 0.71 %", "43.3328 New Flow Cal. Factor"};
}

void TestPrintE2E::reportsReachThePrinter()
{
    QFETCH(int, window);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, lines);
    QWidget* shown = window < 0 ? m_main : m_manager->open(FlowRateWindow::Opens(window));
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QString job = printed(shown, steps);
    QVERIFY2(!job.isEmpty(), qPrintable("no single job reached the queue " + m_dialogs->told.join('\n')));
    // Qt's CUPS path sends PDF, which the raw queue passes on unchanged.
    QCOMPARE(pdf::pages(job), 1);
    const QList<pdf::Line> page = pdf::lines(job);
    QCOMPARE(page.size(), 4 + lines.size());
    QCOMPARE(pdf::text(page[0]), fixed(maker::kName));
    QCOMPARE(pdf::text(page[3]), fixed(maker::kPhone).simplified());
    // The second line under the letterhead: a value at 12 pt, then its caption
    // with the two blanks the caption begins with.
    const pdf::Line& value = page[5];
    const double blank12 = value[3].xMin - value[2].xMax;
    QVERIFY(qAbs(value[1].xMin - value[0].xMax - 2 * blank12) < 0.1);
    QVERIFY(pdf::height(value) < pdf::height(page[3]));  // 12 pt under 14 pt
    const double zone = page[7][1].xMin - page[7][0].xMin;  // Scale, Display
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const pdf::Line& line = page[4 + i];
        QCOMPARE(lines[i].contains(" | ") ? zoned(line, page[0][0].xMin, zone, blank12) : pdf::text(line), lines[i]);
    }
    if (window < 0) {
        // From the telephone line down to the first value: two 14 pt lines (its own
        // and the blank fifth) and seven blank 12 pt lines; the values stand two
        // 12 pt lines apart.
        const double gap = (page[4][0].yMin - page[3][0].yMin) / (page[5][0].yMin - page[4][0].yMin);
        QVERIFY2(qAbs(gap - (2 * 14.0 / 12.0 + 7) / 2) < 0.05, qPrintable(QString::number(gap)));
        return;
    }
    QVERIFY2(zone > 70 && zone < 100, qPrintable(QString::number(zone)));
    // The new factor's caption follows it with its own seven blanks, at 14 pt.
    const pdf::Line& newFactor = page.last();
    const double blank14 = newFactor[3].xMin - newFactor[2].xMax;
    QVERIFY(blank14 > blank12);
    QVERIFY(qAbs(newFactor[1].xMin - newFactor[0].xMax - 7 * blank14) < 0.1);
    QVERIFY(pdf::height(newFactor) > pdf::height(value));
}

QTEST_MAIN(TestPrintE2E)
#include "test_print_e2e.moc"
