// What a keystroke costs: the conversions every step uses, each window's heaviest
// user event on its sheet, a keystroke through the real widgets, a report laid
// out as a PDF page, a change kept in the jobs file, and the jobs window over ten
// thousand jobs.

#include "calibration/calibration_mass_report.h"
#include "calibration/calibration_no_mass_report.h"
#include "calibration/jobs_csv.h"
#include "job/jobs_window.h"
#include "job/sqlite_job_store.h"
#include "flowrate/flow_rate_report.h"
#include "output/paper.h"
#include "output/pdf_page.h"
#include "shell/window_manager.h"
#include "worked_examples.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

const std::array<double, 8> kValues = {29.4464075382803, 0.984840000000001, 100.333333333333, -0.0245,
                                       1766.78445229682, 1.25e-5,           3042.56864,       43.3328};
// Texts as the sheets read them: typed readings (some with blanks or thousands
// commas, which the plain form leaves to the scanner) and the texts the steps wrote.
const std::array<std::string, 8> kTyped = {"10",   "1,000", "5.66",     " 98.5 ",
                                           "17.5", "1 000", "1.25E-05", "176.678445229682"};
const std::array<std::string, 8> kWritten = {"10",   "1000",    "5.66",     "298.848",
                                             "17.5", "-0.0245", "1.25E-05", "176.678445229682"};

void NumberTextMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(numberText(kValues[i++ % kValues.size()]));
}
BENCHMARK(NumberTextMix);

void TypedReadingMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(strictNumber(kTyped[i++ % kTyped.size()]));
}
BENCHMARK(TypedReadingMix);

void StrictNumberMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(strictNumber(kWritten[i++ % kWritten.size()]));
}
BENCHMARK(StrictNumberMix);

void FourDecimalsMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(fourDecimals(kValues[i++ % kValues.size()]));
}
BENCHMARK(FourDecimalsMix);

template <typename S>
S& filled(S& sheet, worked::Window window)
{
    worked::fill(sheet, worked::example(window));
    return sheet;
}

void FlowRateEnterInDensity(benchmark::State& state)
{
    FlowRateSheet sheet;
    filled(sheet, worked::Window::FlowRate);
    for (auto _ : state)
        sheet.enter(sheet.density);
}
BENCHMARK(FlowRateEnterInDensity);

void MassDisplayEnterInTest2Display(benchmark::State& state)
{
    CalibrationMassSheet sheet;
    filled(sheet, worked::Window::MassDisplay);
    for (auto _ : state)
        sheet.enter(sheet.tests[1].display);
}
BENCHMARK(MassDisplayEnterInTest2Display);

void MassDisplayKeystrokeInDisplay(benchmark::State& state)
{
    CalibrationMassSheet sheet;
    filled(sheet, worked::Window::MassDisplay);
    const std::string texts[] = {"98", "98.5"};
    std::size_t i = 0;
    for (auto _ : state)
        sheet.type(sheet.tests[1].display, texts[i++ % 2]);
}
BENCHMARK(MassDisplayKeystrokeInDisplay);

void NoMassDisplayEnterInTest1Gallons(benchmark::State& state)
{
    CalibrationNoMassSheet sheet;
    filled(sheet, worked::Window::NoMassDisplay);
    for (auto _ : state)
        sheet.enter(sheet.gallons[0]);
}
BENCHMARK(NoMassDisplayEnterInTest1Gallons);

void TemperatureEnter(benchmark::State& state)
{
    TempCompSheet sheet;
    filled(sheet, worked::Window::Temperature);
    for (auto _ : state)
        sheet.enter(sheet.temperature);
}
BENCHMARK(TemperatureEnter);

// From the key event to every changed widget updated and repainted.
void WidgetKeystrokeInMassDisplay(benchmark::State& state)
{
    WindowManager windows([] {});
    windows.start();
    QWidget* calibration = windows.open(FlowRateWindow::Opens::MassDisplay);
    auto* scale = calibration->findChild<QLineEdit*>("scale2");
    auto* display = calibration->findChild<QLineEdit*>("display2");
    scale->setText("101");
    display->setFocus();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        const bool erase = i++ % 2;
        const int key = erase ? Qt::Key_Backspace : Qt::Key_5;
        const QString text = erase ? QString() : QStringLiteral("5");
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(display, &press);
        QCoreApplication::sendEvent(display, &release);
        QCoreApplication::processEvents();
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::processEvents();
}
BENCHMARK(WidgetKeystrokeInMassDisplay)->Unit(benchmark::kMicrosecond);

// The first report pays for loading the fonts; the ones after it are what a
// technician waits for.
template <typename Sheet, typename Print>
void reportToPdf(benchmark::State& state, worked::Window window, Print report)
{
    Sheet sheet;
    filled(sheet, window);
    const Report page = [&](Printer& printer, const ReportJob& job) { report(sheet, job, printer); };
    const QPageLayout paper = localePageLayout();
    renderReport(page, QStringLiteral("report"), ReportJob(), paper);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderReport(page, QStringLiteral("report"), ReportJob(), paper));
}

void ReportFlowRateToPdf(benchmark::State& state)
{
    reportToPdf<FlowRateSheet>(state, worked::Window::FlowRate, printFlowRateReport);
}
BENCHMARK(ReportFlowRateToPdf)->Unit(benchmark::kMillisecond);

void ReportMassDisplayToPdf(benchmark::State& state)
{
    reportToPdf<CalibrationMassSheet>(state, worked::Window::MassDisplay, printCalibrationMassReport);
}
BENCHMARK(ReportMassDisplayToPdf)->Unit(benchmark::kMillisecond);

void ReportNoMassDisplayToPdf(benchmark::State& state)
{
    reportToPdf<CalibrationNoMassSheet>(state, worked::Window::NoMassDisplay, printCalibrationNoMassReport);
}
BENCHMARK(ReportNoMassDisplayToPdf)->Unit(benchmark::kMillisecond);

// A job of three tests with every detail filled in, as a technician leaves it: a
// dispenser among 2,500, each calibrated once a year.
KeptJob typicalJob(int number)
{
    KeptJob job;
    for (int item = 0; item < JobDetails::kItems; ++item)
        job.details.items[item] = JobDetails::about(JobDetails::Item(item)).label + std::to_string(number % 97);
    job.details.items[JobDetails::DispenserSerial] = "MX22-" + std::to_string(number % 2500);
    job.tested = std::to_string(2023 + number / 2500) + "-06-01T10:00:00.000";
    job.kind = "Calibration with a mass display";
    job.readings["calibration-with-mass-display"] = {{"existingFactor", "1.0021"}, {"scale1", "20.12"},
                                                     {"display1", "20.41"},        {"scale2", "19.87"},
                                                     {"display2", "19.58"},        {"scale3", "20.05"},
                                                     {"display3", "20.38"}};
    return job;
}

// One reading changed and kept, as the job does within half a second of a key.
void KeepOneChange(benchmark::State& state)
{
    QTemporaryDir folder;
    SqliteJobStore store(folder.filePath(QStringLiteral("jobs.sqlite")));
    KeptJob job = typicalJob(1);
    int reading = 0;
    for (auto _ : state) {
        job.readings["calibration-with-mass-display"]["scale1"] = std::to_string(20 + ++reading % 10);
        store.keep(job);
    }
}
BENCHMARK(KeepOneChange)->Unit(benchmark::kMicrosecond);

// The jobs window opening over ten thousand jobs, and a search as it is typed.
void JobsWindowOver10000Jobs(benchmark::State& state)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("jobs.sqlite"));
    if (!QFileInfo::exists(path)) {
        SqliteJobStore store(path);
        for (int number = 0; number < 10000; ++number) {
            KeptJob job = typicalJob(number);
            store.keep(job);
        }
    }
    Job job(std::make_unique<SqliteJobStore>(path));
    for (auto _ : state) {
        JobsWindow window(job, jobsCsv, nullptr);
        if (state.range(0))
            window.findChild<QLineEdit*>(QStringLiteral("search"))->setText(QStringLiteral("MX22-417"));
    }
}
BENCHMARK(JobsWindowOver10000Jobs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
