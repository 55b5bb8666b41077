// What a keystroke costs: the conversions every step uses, each window's heaviest
// user event on its sheet, a keystroke through the real widgets, and a report laid
// out and written as PDF.

#include "calibration_mass/cal2_report.h"
#include "calibration_mass/cal2_sheet.h"
#include "calibration_nomass/cal_no_mas_report.h"
#include "calibration_nomass/cal_no_mas_sheet.h"
#include "fields/number_text.h"
#include "flowrate/flow_rate_report.h"
#include "flowrate/rate_sheet.h"
#include "printing/pdf_device.h"
#include "printing/printer.h"
#include "shell/window_manager.h"
#include "tempcomp/tcomp_sheet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <tuple>
#include <string>

namespace {

const std::array<double, 8> kValues = {29.4464075382803, 0.984840000000001, 100.333333333333, -0.0245,
                                       1766.78445229682, 1.25e-5, 3042.56864, 43.3328};
// Texts as the sheets read them: typed readings (some with a unit after the number,
// which the lenient reading stops at) and the texts the steps wrote.
const std::array<std::string, 8> kTyped = {"10", "1000", "5.66", "100 kg", "17.5", "-0.0245", "1.25E-05",
                                           "176.678445229682"};
const std::array<std::string, 8> kWritten = {"10", "1000", "5.66", "298.848", "17.5", "-0.0245", "1.25E-05",
                                             "176.678445229682"};

void NumTextMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumText(kValues[i++ % kValues.size()]));
}
BENCHMARK(NumTextMix);

void NumValMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumVal(kTyped[i++ % kTyped.size()]));
}
BENCHMARK(NumValMix);

void NumStrictMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumStrict(kWritten[i++ % kWritten.size()]));
}
BENCHMARK(NumStrictMix);

void CurTextOfCurRoundMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(CurText(CurRound(kValues[i++ % kValues.size()])));
}
BENCHMARK(CurTextOfCurRoundMix);

void typeAndEnter(Sheet& sheet, FieldId field, const std::string& text)
{
    sheet.type(field, text);
    sheet.enter(field);
}

void RateEnterInDensity(benchmark::State& state)
{
    RateSheet sheet;
    typeAndEnter(sheet, sheet.texMrate, "10");
    typeAndEnter(sheet, sheet.texPpg, "1000");
    for (auto _ : state)
        sheet.enter(sheet.texLbs);
}
BENCHMARK(RateEnterInDensity);

void Cal2EnterInTest2Display(benchmark::State& state)
{
    Cal2Sheet sheet;
    for (auto [scale, display] : {std::pair{sheet.Text1, sheet.Text2}, {sheet.Text5, sheet.Text6},
                                  {sheet.Text9, sheet.Text10}}) {
        typeAndEnter(sheet, scale, "100");
        typeAndEnter(sheet, display, "98");
    }
    for (auto _ : state)
        sheet.enter(sheet.Text6);
}
BENCHMARK(Cal2EnterInTest2Display);

void Cal2KeystrokeInDisplay(benchmark::State& state)
{
    Cal2Sheet sheet;
    typeAndEnter(sheet, sheet.Text1, "100");
    typeAndEnter(sheet, sheet.Text5, "101");
    const std::string texts[] = {"98", "98.5"};
    std::size_t i = 0;
    for (auto _ : state)
        sheet.type(sheet.Text6, texts[i++ % 2]);
}
BENCHMARK(Cal2KeystrokeInDisplay);

void CalNoMasEnterInTest1Gallons(benchmark::State& state)
{
    CalNoMasSheet sheet;
    for (auto [scale, gallons, s, g] : {std::tuple{sheet.Text1, sheet.Text24, "100", "17.5"},
                                        {sheet.Text5, sheet.Text25, "120", "21"},
                                        {sheet.Text9, sheet.Text26, "81", "14.3"}}) {
        typeAndEnter(sheet, scale, s);
        typeAndEnter(sheet, gallons, g);
    }
    for (auto _ : state)
        sheet.enter(sheet.Text24);
}
BENCHMARK(CalNoMasEnterInTest1Gallons);

void TcompEnterInTemperature(benchmark::State& state)
{
    TcompSheet sheet;
    sheet.type(sheet.Text1, "59");
    for (auto _ : state)
        sheet.enter(sheet.Text1);
}
BENCHMARK(TcompEnterInTemperature);

// From the key event to every changed widget updated and repainted.
void WidgetKeystrokeInCal2Display(benchmark::State& state)
{
    WindowManager windows([] {});
    windows.start();
    QWidget* cal2 = windows.open(RateWindow::Opens::MassDisplay);
    auto* scale = cal2->findChild<QLineEdit*>("Text5");
    auto* display = cal2->findChild<QLineEdit*>("Text6");
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
BENCHMARK(WidgetKeystrokeInCal2Display)->Unit(benchmark::kMicrosecond);

// The first report pays for loading the fonts; the ones after it are what a
// technician waits for.
template <typename Sheet, typename Fill, typename Report>
void reportToPdf(benchmark::State& state, Fill fill, Report report)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    Printer printer([&] { return std::make_unique<PdfDevice>(path); });
    Sheet sheet;
    fill(sheet);
    report(sheet, printer);
    for (auto _ : state)
        report(sheet, printer);
}

void ReportFlowRateToPdf(benchmark::State& state)
{
    reportToPdf<RateSheet>(
        state,
        [](RateSheet& s) {
            typeAndEnter(s, s.texMrate, "10");
            typeAndEnter(s, s.texPpg, "1000");
            s.enter(s.texLbs);
        },
        printFlowRateReport);
}
BENCHMARK(ReportFlowRateToPdf)->Unit(benchmark::kMillisecond);

void ReportCal2ToPdf(benchmark::State& state)
{
    reportToPdf<Cal2Sheet>(
        state,
        [](Cal2Sheet& s) {
            typeAndEnter(s, s.Text1, "100");
            typeAndEnter(s, s.Text2, "98");
        },
        printCal2Report);
}
BENCHMARK(ReportCal2ToPdf)->Unit(benchmark::kMillisecond);

void ReportCalNoMasToPdf(benchmark::State& state)
{
    reportToPdf<CalNoMasSheet>(
        state,
        [](CalNoMasSheet& s) {
            typeAndEnter(s, s.Text1, "100");
            typeAndEnter(s, s.Text24, "17.5");
        },
        printCalNoMasReport);
}
BENCHMARK(ReportCalNoMasToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
