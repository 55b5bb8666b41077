#include "printing/maker.h"
#include "printing/print_checks.h"
#include "shell/window_manager.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QtTest>

// Prints through File > Print of the program's main window on the system's default
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

private:
    void typeAndEnter(const char* field, const char* text);
    void filePrint();
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

void TestPrintE2E::typeAndEnter(const char* field, const char* text)
{
    auto* edit = m_rate->findChild<QLineEdit*>(field);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void TestPrintE2E::filePrint()
{
    QAction* print = m_rate->menuBar()->findChild<QMenu*>()->actions().value(0);
    QCOMPARE(print->text(), QString("&Print"));
    print->trigger();
}

void TestPrintE2E::filePrintReachesThePrinter()
{
    const QStringList before = jobs();
    typeAndEnter("texMrate", "10");
    typeAndEnter("texPpg", "1000");
    typeAndEnter("texLbs", "5.66");
    filePrint();
    QVERIFY2(m_dialogs->told.isEmpty(), qPrintable(m_dialogs->told.join('\n')));
    QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), before.size() + 1, 10000);
    QStringList added = jobs();
    added.removeIf([&](const QString& name) { return before.contains(name); });
    const QString job = m_captured.filePath(added.value(0));

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

QTEST_MAIN(TestPrintE2E)
#include "test_print_e2e.moc"
