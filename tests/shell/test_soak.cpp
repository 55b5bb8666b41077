// Long use of the real windows. Random keystrokes, clicks on fields, opening and
// closing windows and printing, with a fixed seed that is printed, leave every
// window, opened afresh, computing its worked example. Opening and closing the
// windows and printing every report again and again leave nothing behind: the
// resident memory after many cycles stays where it was after the first one (and,
// under LeakSanitizer, nothing leaks).

#include "printing/print_checks.h"
#include "widget_support.h"

#include <QMenuBar>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>
#include <deque>
#include <functional>

#include <unistd.h>

using namespace widget_support;

namespace {

constexpr Opens kOthers[] = {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the sanitizer's own bookkeeping grows the heap
constexpr int kCycles = 50;
constexpr int kPrints = 20;
#else
constexpr bool kSanitized = false;
constexpr int kCycles = 1000;
constexpr int kPrints = 200;
#endif

// File > Print: the first item of the first menu in each window that prints.
void print(QWidget* window) { window->findChild<QMenuBar*>()->actions().at(0)->menu()->actions().at(0)->trigger(); }

long residentKb()
{
    QFile statm("/proc/self/statm");
    const QList<QByteArray> pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
    return pages.size() > 1 ? pages[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// Runs the cycle the given number of times; the resident set after all of them may
// exceed the one after the first by 2 MiB at most.
void expectNoGrowth(const char* what, int cycles, const std::function<void()>& cycle)
{
    cycle();
    const long afterFirst = residentKb();
    for (int i = 1; i < cycles; ++i)
        cycle();
    const long afterAll = residentKb();
    std::printf("%d %s: resident %ld kB after the first, %ld kB after all\n", cycles, what, afterFirst, afterAll);
    if (!kSanitized)
        QVERIFY2(afterAll - afterFirst <= 2048, "the resident set grew by more than 2 MiB");
}

QWidget* topWindowOf(WindowManager& manager, QRandomGenerator& random)
{
    QList<QWidget*> open{manager.mainWindow()};
    for (Opens which : kOthers)
        open << manager.window(which);
    open.removeAll(nullptr);
    return open.isEmpty() ? nullptr : open.at(random.bounded(open.size()));
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    // The memory is measured first, in a process that has done little else.
    void openingAndClosingWindowsLeavesNothing();
    void printingReportsLeavesNothing();
    void randomUseLeavesEveryWindowWorking();

private:
    void randomEvent(WindowManager& manager, QRandomGenerator& random);
    std::deque<QString> m_recent;
    std::vector<RecordingDevice::Document> m_printed;
};

void TestSoak::randomEvent(WindowManager& manager, QRandomGenerator& random)
{
    static const QList<int> keys = {Qt::Key_0, Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_A, Qt::Key_K, Qt::Key_X,
                                    Qt::Key_Period, Qt::Key_Comma, Qt::Key_Minus, Qt::Key_E, Qt::Key_Backspace,
                                    Qt::Key_Return, Qt::Key_Tab};
    QWidget* window = topWindowOf(manager, random);
    const int kind = random.bounded(100);
    QString what;
    if (!window || kind < 3) {
        const Opens which = kOthers[random.bounded(4)];
        manager.open(which);
        what = QString("open window %1").arg(int(which));
    } else if (kind < 5 && window != manager.mainWindow()) {
        what = "close " + window->windowTitle();
        window->close();
    } else if (kind < 7) {
        if (window->findChild<QMenuBar*>()) {
            what = "print " + window->windowTitle();
            print(window);
        }
    } else if (kind < 25) {
        const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
        if (!fields.isEmpty()) {
            QLineEdit* field = fields.at(random.bounded(fields.size()));
            what = "click " + field->objectName();
            QApplication::setActiveWindow(window);
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
        }
    } else {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        const int key = keys.at(random.bounded(keys.size()));
        what = QString("key %1 in %2").arg(QKeySequence(key).toString(), target->objectName());
        QApplication::setActiveWindow(window);
        QTest::keyClick(target, Qt::Key(key));
    }
    settle();
    m_recent.push_back(what);
    if (m_recent.size() > 50)
        m_recent.pop_front();
}

void TestSoak::randomUseLeavesEveryWindowWorking()
{
    const auto setting = [](const char* name, int fallback) {
        return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
    };
    const auto seed = quint32(setting("FLOWCAL_SOAK_SEED", 20261206));
    const int events = setting("FLOWCAL_SOAK_EVENTS", 20000);
    qInfo("soak: %d events, seed %u (set FLOWCAL_SOAK_SEED to repeat it)", events, seed);
    QRandomGenerator random(seed);

    // Reports go to a recording device; a report stopped by a percent typed over by
    // hand is told to dialogs that answer for the user.
    WindowManager manager([] {}, std::make_unique<AnsweringDialogs>(), RecordingDevice::source(m_printed));
    manager.start();
    for (Opens which : kOthers)
        manager.open(which);
    for (int i = 0; i < events; ++i) {
        randomEvent(manager, random);
        if (i % 200 != 0)
            continue;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
                // The keys above cannot spell "inf" or "nan": any such text was computed.
                const QString text = field->text().toLower();
                const QString recent = QStringList(m_recent.begin(), m_recent.end()).join("\n  ");
                QVERIFY2(!text.contains("inf") && !text.contains("nan"),
                         qPrintable(QString("after event %1 (seed %2), %3 shows \"%4\"; the last events:\n  %5")
                                        .arg(i)
                                        .arg(seed)
                                        .arg(field->objectName(), text, recent)));
            }
        }
    }

    QVERIFY(!m_printed.empty());
    for (const RecordingDevice::Document& document : m_printed)
        QCOMPARE(document.back(), std::string("end"));  // every report was ended, none left open

    // Every window, opened afresh, computes its worked example.
    for (Opens which : kOthers)
        delete manager.window(which);
    for (const worked::Example& example : worked::examples()) {
        QWidget* window = windowOf(manager, example.window);
        for (const auto& [name, text] : example.typed)
            typeIn(window, name, QString::fromStdString(text));
        QCOMPARE(shownTexts(window, example.shown), expectedTexts(example.shown));
    }
    closeAll();
}

void TestSoak::openingAndClosingWindowsLeavesNothing()
{
    WindowManager manager([] {});
    manager.start();
    expectNoGrowth("cycles", kCycles, [&] {
        for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About}) {
            manager.open(which)->close();
            settle();
        }
    });
    closeAll();
}

void TestSoak::printingReportsLeavesNothing()
{
    std::vector<RecordingDevice::Document> printed;
    WindowManager manager([] {}, std::make_unique<AnsweringDialogs>(), RecordingDevice::source(printed));
    QList<QWidget*> printing = {manager.start(), manager.open(Opens::MassDisplay), manager.open(Opens::NoMassDisplay)};
    expectNoGrowth("prints of each report", kPrints, [&] {
        for (QWidget* window : printing)
            print(window);
        QCOMPARE(printed.size(), std::size_t(3));  // each window's File > Print printed its report
        printed.clear();
    });
    closeAll();
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
