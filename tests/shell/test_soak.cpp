// Long use of the real windows. Random keystrokes, clicks on fields, opening and
// closing windows and printing, with a fixed seed that is printed, never show a
// number that no text could give, and every report is ended. Opening and closing
// the windows and printing every report again and again leave nothing behind: the
// resident memory after many cycles stays where it was after the first one (and,
// under LeakSanitizer, nothing leaks).

#include "printing/print_checks.h"
#include "widget_support.h"

#include <QMenuBar>
#include <QRandomGenerator>
#include <QtTest>

#include <unistd.h>

using namespace widget_support;

namespace {

constexpr Opens kOthers[] = {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About};
#if defined(__SANITIZE_ADDRESS__)
constexpr int kCycles = 50;  // the sanitizer's own bookkeeping grows the heap, so no limit is checked
#else
constexpr int kCycles = 1000;
#endif

// File > Print: the first item of the first menu in each window that prints.
void print(QWidget* window) { window->findChild<QMenuBar*>()->actions().at(0)->menu()->actions().at(0)->trigger(); }

long residentKb()
{
    QFile statm("/proc/self/statm");
    const QList<QByteArray> pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
    return pages.size() > 1 ? pages[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// The resident set after all the cycles may exceed the one after the first by 2 MiB at most.
void expectNoGrowth(const char* what, int cycles, const std::function<void()>& cycle)
{
    cycle();
    const long afterFirst = residentKb();
    for (int i = 1; i < cycles; ++i)
        cycle();
    qInfo("%d %s: resident %ld kB after the first, %ld kB after all", cycles, what, afterFirst, residentKb());
#if !defined(__SANITIZE_ADDRESS__)
    QVERIFY2(residentKb() - afterFirst <= 2048, "the resident set grew by more than 2 MiB");
#endif
}

}  // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    // The memory is measured first, in a process that has done little else.
    void openingClosingAndPrintingLeaveNothing();
    void randomUseLeavesEveryWindowWorking();
};

void TestSoak::openingClosingAndPrintingLeaveNothing()
{
    ScriptedPrinting printing;
    WindowManager& manager = printing.manager;
    manager.start();
    expectNoGrowth("openings and closings of every window", kCycles, [&] {
        for (Opens which : kOthers) {
            manager.open(which)->close();
            settle();
        }
    });
    const QList<QWidget*> reports{manager.mainWindow(), manager.open(Opens::MassDisplay),
                                  manager.open(Opens::NoMassDisplay)};
    expectNoGrowth("prints of every report", kCycles / 5, [&] {
        const int before = printing.printers->jobs;
        for (QWidget* window : reports) {
            print(window);
            settle();
        }
        QCOMPARE(printing.printers->jobs, before + 3);  // each window's File > Print sent one page
    });
    closeAll();
}

void TestSoak::randomUseLeavesEveryWindowWorking()
{
    const char* setting = "FLOWCAL_SOAK_SEED";
    const auto seed = quint32(qEnvironmentVariableIsSet(setting) ? qEnvironmentVariableIntValue(setting) : 20261206);
    qInfo("soak: 20000 events, seed %u (set FLOWCAL_SOAK_SEED to repeat it)", seed);
    QRandomGenerator random(seed);
    const QList<int> keys = {Qt::Key_0, Qt::Key_1,         Qt::Key_5,      Qt::Key_9,     Qt::Key_A,
                             Qt::Key_K, Qt::Key_X,         Qt::Key_Period, Qt::Key_Comma, Qt::Key_Minus,
                             Qt::Key_E, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Tab};
    ScriptedPrinting printing;  // a refused report is told to dialogs that answer for the user
    WindowManager& manager = printing.manager;
    manager.start();
    for (int event = 0; event < 20000; ++event) {
        QWidgetList open{manager.mainWindow()};
        for (Opens which : kOthers)
            open << manager.window(which);
        open.removeAll(nullptr);
        QPointer<QWidget> window = open.at(random.bounded(open.size()));
        const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
        const int kind = random.bounded(100);
        QApplication::setActiveWindow(window);
        if (kind < 3)
            manager.open(kOthers[random.bounded(4)]);
        else if (kind < 5 && window != manager.mainWindow())
            window->close();
        else if (kind < 7 && window->findChild<QMenuBar*>())
            print(window);
        else if (kind < 25 && !fields.isEmpty())
            QTest::mouseClick(fields.at(random.bounded(fields.size())), Qt::LeftButton, {}, QPoint(3, 5));
        else
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.get(),
                            Qt::Key(keys.at(random.bounded(keys.size()))));
        settle();
        // The keys above cannot spell "inf" or "nan": any such text was computed.
        const QRegularExpression computedNonsense("inf|nan", QRegularExpression::CaseInsensitiveOption);
        for (QLineEdit* field : window ? window->findChildren<QLineEdit*>() : QList<QLineEdit*>())
            QVERIFY2(!field->text().contains(computedNonsense),
                     qPrintable(QString("event %1: %2 shows %3").arg(event).arg(field->objectName(), field->text())));
    }
    QVERIFY(printing.printers->jobs > 0);
    closeAll();
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
