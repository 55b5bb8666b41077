#include "calibration_mass/cal2_report.h"
#include "calibration_mass/cal2_sheet.h"
#include "calibration_nomass/cal_no_mas_report.h"
#include "calibration_nomass/cal_no_mas_sheet.h"
#include "flowrate/flow_rate_report.h"
#include "flowrate/rate_sheet.h"
#include "printing/print_failed.h"
#include "printing/print_report.h"
#include "print_checks.h"
#include "sheet_support.h"

#include <QTemporaryDir>

using Items = std::vector<PrintItem>;
Q_DECLARE_METATYPE(Items)

namespace {

template <typename S>
std::function<void(Printer&)> filled(void (*print)(const S&, Printer&), const QString& steps)
{
    auto sheet = std::make_shared<S>();
    play(*sheet, steps);
    return [sheet, print](Printer& printer) { print(*sheet, printer); };
}

// The report of the worksheet the tag names up to its colon, filled in with the steps.
std::function<void(Printer&)> report(const QString& steps, QString name = QTest::currentDataTag())
{
    name = name.section(':', 0, 0);
    if (name == "flow rate")
        return filled(printFlowRateReport, steps);
    return name == "mass display" ? filled(printCal2Report, steps) : filled(printCalNoMasReport, steps);
}

// A printer that takes the page, then refuses the document.
struct RefusingDevice : RecordingDevice {
    using RecordingDevice::RecordingDevice;
    void endDocument() override { throw PrintFailed::refused("Office", "Destination is not accepting jobs."); }
};

} // namespace

class TestPrintReport : public QObject {
    Q_OBJECT

private slots:
    void lineLayout_data();
    void lineLayout();
    void pages_data();
    void pages();
    void notPrinted_data();
    void notPrinted();
    void noPrinterOffersPdf();
};

// At 12 pt on the recording device a character is 6 wide, a zone 84, a line 15
// high; at 14 pt a line is 17.5 high.
void TestPrintReport::lineLayout_data()
{
    QTest::addColumn<Items>("items");
    QTest::addColumn<QStringList>("drawn");
    QTest::newRow("empty item still steps") << Items{nextZone, "", nextZone, "C"} << QStringList{"text 168 0 'C'"};
    QTest::newRow("item ending on a boundary") << Items{"exactly14chars", nextZone, "B"}
                                               << QStringList{"text 0 0 'exactly14chars'", "text 168 0 'B'"};
    QTest::newRow("wide item pushes the rest")
        << Items{"fifteen chars..", nextZone, "B", nextZone, "C"}
        << QStringList{"text 0 0 'fifteen chars..'", "text 168 0 'B'", "text 252 0 'C'"};
    // A number is its printer text and one blank, which the next item follows.
    QTest::newRow("numbers") << Items{PrintItem::number(1.5), "|", PrintItem::number(-1.5), "|"}
                             << QStringList{"text 0 0 ' 1.5 '", "text 30 0 '|'", "text 36 0 '-1.5 '", "text 66 0 '|'"};
}

void TestPrintReport::lineLayout()
{
    QFETCH(Items, items);
    QFETCH(QStringList, drawn);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    printer.FontSize(12.0f);
    printer.Print(items);
    printer.Print({"next"});  // the zones are the line's own
    printer.FontSize(14.0f);
    printer.Print({"big"});
    printer.Print({"last"});
    printer.EndDoc();
    const QStringList after{"text 0 15 'next'", "font 14", "text 0 30 'big'", "text 0 47.5 'last'", "end"};
    QCOMPARE(entries(documents.at(0)), QStringList({"begin", "font 12"}) + drawn + after);
}

// Some lines of the page as pageLines gives them, "13: ..." for line 13; the last
// one listed is the last of the page.
void TestPrintReport::pages_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("flow rate: worked example") << "texMrate=10;texPpg=1000;texLbs=5.66!"
        << QStringList{"1: {14 bold italic} 0 '" + fixed(maker::kName) + "'",
                       "2: {14 bold} 0 '" + fixed(maker::kStreet) + "'",
                       "5: {14}", "6: {12}", "13: 0 '1000' 24 '  PULSES per GALLON'", "17: 0 '29' 12 '  FRQUENCY'",
                       "19: 0 '9.8484' 36 '  RATE'", "32: "};
    QTest::newRow("mass display: three tests")
        << "Text1=100!;Text2=98!;Text5=101!;Text6=100!;Text9=102!;Text10=103!"
        << QStringList{"6: {12 bold}", "10: {12} 0 '49.023' 36 '  Existing Flow Cal. Factor'",
                       "15: 0 'Scale' 84 'Display' 168 'of Error'",
                       "17: 0 '100' 84 '98' 168 ' 2 ' 186 '%' 252 'Batch #1'",
                       "21: 0 '102' 84 '103' 168 '-0.98 ' 204 '%' 252 'Batch #3'", "24: 84 'Average' 168 'Average'",
                       "28: 0 '101' 84 '100.3333' 168 ' 0.66 ' 204 '%'",
                       "31: {14 bold} 0 '49.3487' 49 '       New Flow Cal. Factor'", "34: "};
    // A percentage prints as the held fraction times 100, a number item, then "%".
    QTest::newRow("mass display: odd values")
        << "MaskedEdit1=0.0123;MaskedEdit2=0.0007;MaskedEdit3=-0.005;MaskedEdit4=0;Text21=49.0230000000000000001"
        << QStringList{"10: {12} 0 '49.0230000000000000001' 132 '  Existing Flow Cal. Factor'",
                       "17: 168 ' 1.23 ' 204 '%' 252 'Batch #1'", "19: 168 ' 0.07 ' 204 '%' 252 'Batch #2'",
                       "21: 168 '-0.5 ' 198 '%' 252 'Batch #3'", "28: 168 ' 0 ' 186 '%'", "34: "};
    QTest::newRow("no mass display: worked example")
        << "Text1=100!;Text24=17.5!;Text5=120!;Text25=21!;Text9=81!;Text26=14.3!"
        << QStringList{"15: 0 'Scale' 84 'Display' 168 'of Error' 252 'Mass'",
                       "17: 0 '100' 84 '17.5' 168 ' 0.95 ' 204 '%' 252 '99.05' 336 'Batch #1'",
                       "28: 0 '100.3333' 84 '99.616' 168 ' 0.71 ' 204 '%'",
                       "31: {14 bold} 0 '43.3328' 49 '       New Flow Cal. Factor'", "34: "};
    // The average printed is the one from the sums, not the one the window shows.
    QTest::newRow("no mass display: empty cells")
        << "MaskedEdit1=  ;MaskedEdit4=0.0071;MaskedEdit5=0.0099"
        << QStringList{"17: 336 'Batch #1'", "28: 168 ' 0.71 ' 204 '%'", "34: "};
}

// Each report is printed twice after another left its own face set: the pages are alike.
void TestPrintReport::pages()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, lines);
    const auto print = report(steps);
    std::vector<RecordingDevice::Document> documents;
    Printer printer([&] { return std::make_unique<LineMarkingDevice>(documents); });
    printer.FontName("Courier");
    print(printer);
    print(printer);

    QCOMPARE(documents.size(), std::size_t(2));
    QCOMPARE(documents[1], documents[0]);
    const QStringList page = pageLines(documents[0]);
    QCOMPARE(page.size(), lines.last().section(": ", 0, 0).toInt());
    for (const QString& line : lines)
        QCOMPARE(line.section(": ", 0, 0) + ": " + page.value(line.section(": ", 0, 0).toInt() - 1), line);
}

// Nothing is printed, the user is told why, and the next report is whole.
void TestPrintReport::notPrinted_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("refusing");  // 1: at the start, 2: when handed over
    QTest::addColumn<QString>("message");
    QTest::newRow("flow rate: refused at the start") << "" << 1
        << "The printer \"Office\" did not take the report: it is stopped or reports a fault.\nNothing was printed.";
    QTest::newRow("flow rate: refused when handed over") << "" << 2
        << "The printer \"Office\" did not take the report: Destination is not accepting jobs.\nNothing was printed.";
    QTest::newRow("mass display: percentage typed by hand") << "MaskedEdit1=2%" << 0
        << "Percent of error of Test 1 holds \"2%\", which is not a number.\nNothing was printed.";
    QTest::newRow("mass display: average beyond the range") << "MaskedEdit4=1e307" << 0
        << "Average error holds \"1e307\", which is too large to print.\nNothing was printed.";
    QTest::newRow("no mass display: letters") << "MaskedEdit3=abc" << 0
        << "Percent of error of Test 3 holds \"abc\", which is not a number.\nNothing was printed.";
}

void TestPrintReport::notPrinted()
{
    QFETCH(QString, steps);
    QFETCH(int, refusing);
    QFETCH(QString, message);
    const auto print = report(steps);
    std::vector<RecordingDevice::Document> documents;
    Printer printer([&]() -> std::unique_ptr<PageDevice> {
        if (refusing == 1)
            throw PrintFailed::refused("Office", "it is stopped or reports a fault");
        if (refusing == 2)
            return std::make_unique<RefusingDevice>(documents);
        return std::make_unique<RecordingDevice>(documents);
    });
    AnsweringDialogs dialogs;
    QCOMPARE(printReport(printer, dialogs, "report.pdf", print), ReportOutcome::NotPrinted);
    QCOMPARE(dialogs.told, QStringList{message});
    QVERIFY(dialogs.offers.isEmpty() && !printer.documentOpen());
    if (!refusing)
        return;
    refusing = 0;
    QCOMPARE(printReport(printer, dialogs, "report.pdf", print), ReportOutcome::Printed);
    QCOMPARE(entries(documents.back()).mid(0, 2), QStringList({"begin", "font 14 bold italic"}));
}

// Without a printer the user may save the report as a PDF file instead, that once.
void TestPrintReport::noPrinterOffersPdf()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("report.pdf");
    AnsweringDialogs dialogs;
    Printer printer([] { return std::unique_ptr<PageDevice>(); });
    const auto print = report("Text1=100!;Text2=98!", "mass display");
    QCOMPARE(printReport(printer, dialogs, "cal.pdf", print), ReportOutcome::NotPrinted);
    dialogs.pdfAnswer = path;
    QCOMPARE(printReport(printer, dialogs, "cal.pdf", print), ReportOutcome::SavedAsPdf);
    dialogs.pdfAnswer.reset();
    QCOMPARE(printReport(printer, dialogs, "cal.pdf", print), ReportOutcome::NotPrinted);
    QCOMPARE(dialogs.offers.size(), 3);
    QVERIFY2(dialogs.offers[0].startsWith("No printer") && dialogs.offers[0].endsWith("/cal.pdf"),
             qPrintable(dialogs.offers[0]));
    QVERIFY(dialogs.told.isEmpty() && !printer.documentOpen());
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");

    // The page in the PDF face: one zone is 14 average characters at 12 pt, some
    // 80 points; Batch #2 stands alone three zones in.
    QCOMPARE(pdf::pages(path), 1);
    const QList<pdf::Line> lines = pdf::lines(path);
    QCOMPARE(lines.size(), 16);
    QCOMPARE(pdf::text(lines[0]), fixed(maker::kName));
    QCOMPARE(pdf::text(lines[7]), QString("Scale Display of Error"));
    const double zone = lines[7][1].xMin - lines[7][0].xMin;
    QVERIFY2(zone > 70 && zone < 100, qPrintable(QString::number(zone)));
    QCOMPARE(lines[7][2].xMin - lines[7][1].xMin, zone);
    QVERIFY(qAbs(lines[9][0].xMin - lines[7][0].xMin - 3 * zone) < 0.1);
}

QTEST_MAIN(TestPrintReport)
#include "test_print_report.moc"
