#include "flowrate/flow_rate_report.h"
#include "flowrate/rate_window.h"
#include "printing/maker.h"
#include "printing/pdf_device.h"
#include "printing/print_failed.h"
#include "printing/print_report.h"
#include "printing/printer.h"
#include "print_checks.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The recording device's line is 17.5 high at 14 pt and 15 at 12 pt.
QStringList letterhead()
{
    return {"begin", "font 14 bold italic", "text 0 0 '" + fixed(maker::kName) + "'", "font 14 bold",
            "text 0 17.5 '" + fixed(maker::kStreet) + "'", "text 0 35 '" + fixed(maker::kCity) + "'",
            "text 0 52.5 '" + fixed(maker::kPhone) + "'", "font 14", "font 12"};
}

QStringList fieldTexts(const RateSheet& sheet)
{
    QStringList texts;
    for (std::size_t i = 0; i < sheet.fieldCount(); ++i)
        texts << QString::fromStdString(sheet.text(FieldId(i)));
    return texts;
}

void workedExample(RateSheet& sheet)
{
    sheet.type(sheet.texMrate, "10");
    sheet.type(sheet.texPpg, "1000");
    sheet.enter(sheet.texLbs);
}

// A printer that refuses the document at its start or when the page is handed over.
class RefusingDevice : public RecordingDevice {
public:
    RefusingDevice(std::vector<Document>& documents, bool atStart) : RecordingDevice(documents), m_atStart(atStart) {}
    void beginDocument() override
    {
        if (m_atStart)
            throw PrintFailed::refused("Office", "it is stopped or reports a fault");
        RecordingDevice::beginDocument();
    }
    void endDocument() override { throw PrintFailed::refused("Office", "Destination is not accepting jobs."); }

private:
    bool m_atStart;
};

} // namespace

class TestPrintReport : public QObject {
    Q_OBJECT

private slots:
    void flowRateReport_data();
    void flowRateReport();
    void noPrinterOffersPdf_data();
    void noPrinterOffersPdf();
    void refusedReportIsNamedAndDropped_data();
    void refusedReportIsNamedAndDropped();
    void filePrintOnTheWindow();
    void zonesOnThePdfPage();
};

void TestPrintReport::flowRateReport_data()
{
    QTest::addColumn<bool>("computed");
    QTest::addColumn<QStringList>("body");

    // Line 13 stands under 5 lines at 14 pt and 7 at 12 pt: 87.5 + 105.
    QTest::newRow("worked example") << true
                                    << QStringList{"text 0 192.5 '1000'", "text 24 192.5 '  PULSES per GALLON'",
                                                   "text 0 222.5 '5.66'", "text 24 222.5 '  Lbs per GALLON'",
                                                   "text 0 252.5 '29'", "text 12 252.5 '  FRQUENCY'",
                                                   "text 0 282.5 '9.8484'", "text 36 282.5 '  RATE'"};
    QTest::newRow("before any computation")
        << false
        << QStringList{"text 0 192.5 '  PULSES per GALLON'", "text 0 222.5 '5.66'",
                       "text 24 222.5 '  Lbs per GALLON'", "text 0 252.5 '  FRQUENCY'", "text 0 282.5 '  RATE'"};
}

void TestPrintReport::flowRateReport()
{
    QFETCH(bool, computed);
    QFETCH(QStringList, body);

    RateSheet sheet;
    if (computed)
        workedExample(sheet);
    const QStringList before = fieldTexts(sheet);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    printer.FontSize(9.0f);  // left over from another report
    printer.FontItalic(true);
    printFlowRateReport(sheet, printer);
    printFlowRateReport(sheet, printer);

    QCOMPARE(documents.size(), std::size_t(2));
    QCOMPARE(entries(documents[0]), letterhead() + body + QStringList{"end"});
    QCOMPARE(entries(documents[1]), entries(documents[0]));
    QCOMPARE(fieldTexts(sheet), before);
}

void TestPrintReport::noPrinterOffersPdf_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("declined") << false;
    QTest::newRow("saved as PDF") << true;
}

void TestPrintReport::noPrinterOffersPdf()
{
    QFETCH(bool, save);

    QTemporaryDir folder;
    AnsweringDialogs dialogs;
    if (save)
        dialogs.pdfAnswer = folder.filePath("report.pdf");
    Printer printer([] { return std::unique_ptr<PageDevice>(); });
    RateSheet sheet;
    workedExample(sheet);
    const auto report = [&sheet](Printer& p) { printFlowRateReport(sheet, p); };

    QCOMPARE(printReport(printer, dialogs, "flow-rate-report.pdf", report),
             save ? ReportOutcome::SavedAsPdf : ReportOutcome::NotPrinted);
    QCOMPARE(dialogs.offers.size(), 1);
    QVERIFY2(dialogs.offers[0].startsWith("No printer") && dialogs.offers[0].endsWith("/flow-rate-report.pdf"),
             qPrintable(dialogs.offers[0]));
    QVERIFY(dialogs.told.isEmpty() && !printer.documentOpen());
    QCOMPARE(QFile::exists(folder.filePath("report.pdf")), save);

    // The file was for that report only: the next one looks for a printer again.
    dialogs.pdfAnswer.reset();
    QCOMPARE(printReport(printer, dialogs, "flow-rate-report.pdf", report), ReportOutcome::NotPrinted);
    QCOMPARE(dialogs.offers.size(), 2);

    if (save && pdf::toolsInstalled()) {
        QCOMPARE(pdf::pages(folder.filePath("report.pdf")), 1);
        const QList<pdf::Line> lines = pdf::lines(folder.filePath("report.pdf"));
        QCOMPARE(lines.size(), 8);
        QCOMPARE(pdf::text(lines[0]), fixed(maker::kName));
        QCOMPARE(pdf::text(lines[7]), QString("9.8484 RATE"));
    }
}

void TestPrintReport::refusedReportIsNamedAndDropped_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<QString>("message");
    QTest::newRow("at the start") << true
                                  << "The printer \"Office\" did not take the report: it is stopped or reports a "
                                     "fault.\nNothing was printed.";
    QTest::newRow("when handed over") << false
                                      << "The printer \"Office\" did not take the report: Destination is not "
                                         "accepting jobs.\nNothing was printed.";
}

void TestPrintReport::refusedReportIsNamedAndDropped()
{
    QFETCH(bool, atStart);
    QFETCH(QString, message);

    std::vector<RecordingDevice::Document> documents;
    bool refusing = true;
    Printer printer([&]() -> std::unique_ptr<PageDevice> {
        if (refusing)
            return std::make_unique<RefusingDevice>(documents, atStart);
        return std::make_unique<RecordingDevice>(documents);
    });
    AnsweringDialogs dialogs;
    RateSheet sheet;
    const auto report = [&sheet](Printer& p) { printFlowRateReport(sheet, p); };

    QCOMPARE(printReport(printer, dialogs, "flow-rate-report.pdf", report), ReportOutcome::NotPrinted);
    QCOMPARE(dialogs.told, QStringList{message});
    QVERIFY(dialogs.offers.isEmpty() && !printer.documentOpen());

    // Nothing of the refused report is left over: the next one is whole.
    refusing = false;
    documents.clear();
    QCOMPARE(printReport(printer, dialogs, "flow-rate-report.pdf", report), ReportOutcome::Printed);
    QCOMPARE(entries(documents.at(0)).mid(0, 9), letterhead());
}

void TestPrintReport::filePrintOnTheWindow()
{
    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    AnsweringDialogs dialogs;
    RateWindow window(printer, dialogs);
    workedExample(window.sheet());

    QAction* print = window.menuBar()->findChild<QMenu*>()->actions().value(0);
    QCOMPARE(print->text(), QString("&Print"));
    print->trigger();
    QCOMPARE(documents.size(), std::size_t(1));
    QVERIFY(entries(documents[0]).contains("text 0 282.5 '9.8484'"));
}

void TestPrintReport::zonesOnThePdfPage()
{
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    QTemporaryDir folder;
    Printer printer([] { return std::unique_ptr<PageDevice>(); });
    printer.divertNextDocument(std::make_unique<PdfDevice>(folder.filePath("page.pdf")));
    printer.FontSize(12.0f);
    printer.Print({"7", nextZone, "alpha"});
    printer.Print({"1234567", nextZone, "beta"});
    printer.Print({nextZone, "gamma"});
    printer.EndDoc();

    const QList<pdf::Line> lines = pdf::lines(folder.filePath("page.pdf"));
    QCOMPARE(lines.size(), 3);
    // One zone is 14 average characters of the 12 pt face: some 80 points.
    const double zone = lines[0][1].xMin - lines[0][0].xMin;
    QVERIFY2(zone > 70 && zone < 100, qPrintable(QString::number(zone)));
    QCOMPARE(lines[1][1].xMin, lines[0][1].xMin);
    QCOMPARE(lines[2][0].xMin, lines[0][1].xMin);
}

QTEST_MAIN(TestPrintReport)
#include "test_print_report.moc"
