#include "printing/print_checks.h"
#include "widget_support.h"

#include <QDir>
#include <QMenuBar>
#include <QtTest>

#include <cmath>

using namespace widget_support;

namespace {

// A line of a printed page read by print zone, the words of each zone joined by
// blanks and the zones by " | ". A word that begins neither on a zone's boundary
// nor one blank after it (the leading blank of a number) is marked with "?".
QString zoned(const pdf::Line& line, double left, double zone, double blank)
{
    QStringList cells;
    for (const pdf::Word& word : line) {
        const double offset = word.xMin - left;
        const auto k = qsizetype(std::floor(offset / zone + 0.01));
        while (cells.size() <= k)
            cells << "";
        const double into = offset - double(k) * zone;
        const bool onBoundary = qAbs(into) < 0.1 || qAbs(into - blank) < 0.1;
        cells[k] += (cells[k].isEmpty() ? (onBoundary ? "" : "?") : " ") + word.text;
    }
    return cells.join(" | ");
}

// The same of a kept page's line: its items by the zones of the recording device.
QString zoned(const KeptLine& line)
{
    QStringList cells;
    for (const auto& [x, text] : line) {
        const auto k = qsizetype(x / 84);
        while (cells.size() <= k)
            cells << "";
        cells[k] = (cells[k] + ' ' + text).simplified();
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
    // Prints from the window's File menu and returns the document of the one job
    // that reached the queue.
    QString printed(QWidget* window);
    QStringList jobs() const { return m_captured.entryList({"job-*"}, QDir::Files, QDir::Name); }

    QDir m_captured;
    QByteArray m_queue;
    AnsweringDialogs* m_dialogs = nullptr;
    WindowManager* m_manager = nullptr;
};

void TestPrintE2E::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("FLOWCAL_CAPTURE_DIR"))
        QSKIP("needs the CUPS capture queue that ./scripts/test sets up when it runs as root");
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    m_captured.setPath(qEnvironmentVariable("FLOWCAL_CAPTURE_DIR"));
    m_queue = qgetenv("PRINTER");
}

void TestPrintE2E::init()
{
    auto dialogs = std::make_unique<AnsweringDialogs>();
    m_dialogs = dialogs.get();
    m_manager = new WindowManager([] {}, std::move(dialogs));
    QApplication::setActiveWindow(m_manager->start());
}

void TestPrintE2E::cleanup()
{
    qputenv("PRINTER", m_queue);
    closeAll();
    delete m_manager;
}

QString TestPrintE2E::printed(QWidget* window)
{
    const QStringList before = jobs();
    window->findChild<QMenuBar*>()->findChild<QMenu*>()->actions().value(0)->trigger();
    if (!m_dialogs->told.isEmpty() || !QTest::qWaitFor([&] { return jobs().size() > before.size(); }, 10000))
        return {};
    QStringList added = jobs();
    added.removeIf([&](const QString& name) { return before.contains(name); });
    return added.size() == 1 ? m_captured.filePath(added[0]) : QString();
}

void TestPrintE2E::reportsReachThePrinter_data()
{
    QTest::addColumn<int>("example");
    QTest::addColumn<QString>("page");
    QTest::newRow("flow rate") << 0 << "flow-rate";
    QTest::newRow("with a mass display") << 1 << "mass-display";
    QTest::newRow("without a mass display") << 2 << "no-mass-display";
}

// Each window's worked example, printed: one job of one page that reads as the
// page kept for it, zone by zone, in 14 pt over 12 pt lines.
void TestPrintE2E::reportsReachThePrinter()
{
    QFETCH(int, example);
    QFETCH(QString, page);
    const worked::Example& typed = worked::examples().at(example);
    auto* window = qobject_cast<SheetWindow*>(windowOf(*m_manager, typed.window));
    for (const auto& [name, text] : typed.typed)
        typeIn(window, name, QString::fromStdString(text));
    const QString job = printed(window);
    QVERIFY2(!job.isEmpty(), qPrintable("no single job reached the queue " + m_dialogs->told.join('\n')));
    QVERIFY2(window->statusText().startsWith("Report sent to " + m_queue + " as job "), qPrintable(window->statusText()));
    QCOMPARE(pdf::pages(job), 1);

    const QList<pdf::Line> lines = pdf::lines(job);
    const QList<KeptLine> kept = keptPage(page);
    QCOMPARE(lines.size(), kept.size());
    // The second line under the letterhead: a value at 12 pt, then its caption after
    // the two blanks the caption begins with.
    const pdf::Line& value = lines[5];
    const double blank = value[3].xMin - value[2].xMax;
    QVERIFY(qAbs(value[1].xMin - value[0].xMax - 2 * blank) < 0.1);
    QVERIFY(pdf::height(value) < pdf::height(lines[3]));
    const double zone = example == 0 ? 0 : lines[7][1].xMin - lines[7][0].xMin;  // Scale, Display
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const bool table = std::any_of(kept[i].begin(), kept[i].end(), [](auto& item) { return item.first >= 84; });
        QString expected;
        for (const auto& item : kept[i])
            expected += ' ' + item.second;
        QCOMPARE(table && zone > 0 ? zoned(lines[i], lines[0][0].xMin, zone, blank) : pdf::text(lines[i]),
                 table && zone > 0 ? zoned(kept[i]) : expected.simplified());
    }
}

void TestPrintE2E::printerThatTakesNothingIsReported_data()
{
    QTest::addColumn<QByteArray>("printer");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not accepting jobs") << qgetenv("FLOWCAL_REFUSING_PRINTER") << "is not accepting jobs.";
    QTest::newRow("stopped") << qgetenv("FLOWCAL_STOPPED_PRINTER") << "it is stopped (stopped for the end-to-end tests).";
}

// The reason is CUPS's own; the program goes on, and with the capture queue back
// the next report prints.
void TestPrintE2E::printerThatTakesNothingIsReported()
{
    QFETCH(QByteArray, printer);
    QFETCH(QString, reason);
    qputenv("PRINTER", printer);
    QVERIFY(printed(m_manager->mainWindow()).isEmpty());
    QCOMPARE(m_dialogs->told.size(), 1);
    QVERIFY2(m_dialogs->told[0].contains('"' + printer + '"') && m_dialogs->told[0].contains(reason),
             qPrintable(m_dialogs->told[0]));
    qputenv("PRINTER", m_queue);
    m_dialogs->told.clear();
    QVERIFY(!printed(m_manager->mainWindow()).isEmpty());
}

QTEST_MAIN(TestPrintE2E)
#include "test_print_e2e.moc"
