// Opening and closing the windows again and again, and printing every report again
// and again, leaves nothing behind: the resident memory after many cycles stays
// where it was after the first one (and, under LeakSanitizer, nothing leaks).

#include "printing/print_checks.h"
#include "shell/window_manager.h"
#include "widget_support.h"

#include <QMenuBar>

#include <QtTest>

#include <cstdio>

#include <unistd.h>

namespace {

using Opens = RateWindow::Opens;

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
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return -1;
    const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
    std::fclose(statm);
    return read == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

} // namespace

class TestNoGrowth : public QObject {
    Q_OBJECT

private slots:
    void openingAndClosingWindows();
    void printingReports();
};

void TestNoGrowth::openingAndClosingWindows()
{
    WindowManager manager([] {});
    manager.start();
    const auto cycle = [&] {
        for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About}) {
            manager.open(which)->close();
            widget_support::settle();
        }
    };
    cycle();
    const long after_first = residentKb();
    for (int i = 1; i < kCycles; ++i)
        cycle();
    const long after_all = residentKb();
    std::printf("%d cycles: resident %ld kB after the first, %ld kB after all\n", kCycles, after_first, after_all);
    if (!kSanitized)
        QVERIFY2(after_all - after_first <= 2048, "the resident set grew by more than 2 MiB");
    manager.mainWindow()->close();
    widget_support::settle();
}

void TestNoGrowth::printingReports()
{
    std::vector<RecordingDevice::Document> printed;
    WindowManager manager([] {}, std::make_unique<AnsweringDialogs>(), RecordingDevice::source(printed));
    QList<QWidget*> printing = {manager.start(), manager.open(Opens::MassDisplay), manager.open(Opens::NoMassDisplay)};
    const auto cycle = [&] {
        for (QWidget* window : printing)
            print(window);
        printed.clear();
    };
    cycle();
    const long after_first = residentKb();
    for (int i = 1; i < kPrints; ++i)
        cycle();
    const long after_all = residentKb();
    std::printf("%d prints of each report: resident %ld kB after the first, %ld kB after all\n", kPrints, after_first,
                after_all);
    if (!kSanitized)
        QVERIFY2(after_all - after_first <= 2048, "the resident set grew by more than 2 MiB");
    for (QWidget* window : printing)
        window->close();
    widget_support::settle();
}

QTEST_MAIN(TestNoGrowth)
#include "test_no_growth.moc"
