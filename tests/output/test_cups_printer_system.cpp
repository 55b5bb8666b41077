// The program's CUPS printer system against a print server of the test's own that
// answers as a server would, hangs, drops the connection mid-job or answers late.
#include "output/cups_printer_system.h"
#include "output/fake_print_server.h"

#include <QtTest>

#include <optional>

namespace {

using Answer = PrinterSystem::Answer;
using Kind = Answer::Kind;
using Faults = FakePrintServer::Faults;

const QByteArray kPage = QByteArray("%PDF-1.4\n").append(200000, 'x');  // more than the library holds back

// The answer to the question, waited for; cancelAfter, when given, gives up on it
// then, as Esc does.
Answer asked(const std::function<PrinterSystem::Cancel(PrinterSystem::Answered)>& question,
             std::optional<int> cancelAfterMs = std::nullopt)
{
    std::optional<Answer> answer;
    const PrinterSystem::Cancel cancel = question([&](const Answer& a) {
        QVERIFY2(!answer, "answered twice");
        answer = a;
    });
    if (cancelAfterMs)
        QTimer::singleShot(*cancelAfterMs, cancel);
    for (QDeadlineTimer unanswered(15000); !answer && !unanswered.hasExpired();)
        QTest::qWait(20);
    QTest::qWait(200);  // a second answer would come now
    return answer.value_or(Answer());
}

Answer printed(CupsPrinterSystem& printers, std::optional<int> cancelAfterMs = std::nullopt)
{
    return asked([&](auto answered) { return printers.submit("Office", "flow-rate-report", kPage, answered); },
                 cancelAfterMs);
}

}  // namespace

class TestCupsPrinterSystem : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qunsetenv("PRINTER");  // the queue that the end-to-end tests print on is no queue here
        qunsetenv("LPDEST");
    }
    void sentOnlyWhenTheJobHoldsThePage();
    void givingUpTakesTheJobBack();
    void whereThePrinterSystemIsNot();
};

// "Sent" once the job holds the whole page; a connection cut in the page, or in the
// answer that numbers the job, leaves no job waiting and says nothing printed.
void TestCupsPrinterSystem::sentOnlyWhenTheJobHoldsThePage()
{
    FakePrintServer server;
    qputenv("CUPS_SERVER", QByteArray::fromStdString(server.address()));
    CupsPrinterSystem printers(3);
    const Answer ready = asked([&](auto answered) { return printers.lookUp({}, answered); });
    QCOMPARE(int(ready.kind), int(Kind::Ready));
    QCOMPARE(ready.queue, std::string("Office"));
    const Answer sent = printed(printers);
    QCOMPARE(int(sent.kind), int(Kind::Sent));
    QCOMPARE(server.jobs().back().documents, 1);
    QCOMPARE(sent.job, server.jobs().back().id);
    QVERIFY(server.jobs().back().name.starts_with("flow-rate-report #"));

    for (const Faults faults : {Faults{.dropInDocument = true}, Faults{.cutCreateJobAnswer = true}}) {
        server.setFaults(faults);
        const Answer dropped = printed(printers);
        QCOMPARE(int(dropped.kind), int(Kind::Dropped));
        QVERIFY(server.jobs().back().cancelled);
        QCOMPARE(server.jobs().back().documents, 0);
    }
}

// Given up on, by the technician or by the bound, while the page is on its way: a
// job still waiting is taken back and nothing printed; one printed already is said
// to be so.
void TestCupsPrinterSystem::givingUpTakesTheJobBack()
{
    FakePrintServer server({.documentAnswerDelayMs = 4000});
    qputenv("CUPS_SERVER", QByteArray::fromStdString(server.address()));
    CupsPrinterSystem printers(2);
    const Answer cancelled = printed(printers, 1000);
    QCOMPARE(int(cancelled.kind), int(Kind::Cancelled));
    QVERIFY(server.jobs().back().cancelled);

    const Answer late = printed(printers);
    QCOMPARE(int(late.kind), int(Kind::NoAnswer));
    QVERIFY(server.jobs().back().cancelled);

    server.setFaults({.documentAnswerDelayMs = 4000, .completeOnDocument = true});
    const Answer printedAnyway = printed(printers, 1000);
    QCOMPARE(int(printedAnyway.kind), int(Kind::MayHaveGone));
    QVERIFY(printedAnyway.cancelled);
    QVERIFY(!server.jobs().back().cancelled);
}

// A server that never answers is given up on within the bound, and the printer
// system goes without waiting on it; nothing listening, and a default of the
// user's lpoptions that names no queue, are each said as what they are.
void TestCupsPrinterSystem::whereThePrinterSystemIsNot()
{
    {
        FakePrintServer server({.neverAnswer = true});
        qputenv("CUPS_SERVER", QByteArray::fromStdString(server.address()));
        QElapsedTimer clock;
        clock.start();
        {
            CupsPrinterSystem printers(1);
            QCOMPARE(int(asked([&](auto answered) { return printers.lookUp({}, answered); }).kind),
                     int(Kind::NoAnswer));
        }
        QVERIFY2(clock.elapsed() < 8000, "the printer system went without waiting on the server");
    }
    {
        const int closed = FakePrintServer().port();
        qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(closed));
        CupsPrinterSystem printers(2);
        const Answer unreachable = asked([&](auto answered) { return printers.lookUp({}, answered); });
        QCOMPARE(int(unreachable.kind), int(Kind::Unreachable));
        QVERIFY2(unreachable.reason.find("the connection was refused") != std::string::npos,
                 unreachable.reason.c_str());
    }
    FakePrintServer server;
    qputenv("CUPS_SERVER", QByteArray::fromStdString(server.address()));
    QTemporaryDir home;
    QDir(home.path()).mkpath(".cups");
    QFile options(home.filePath(".cups/lpoptions"));
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write("Default Gone\n");
    options.close();
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    CupsPrinterSystem printers(2);
    const Answer missing = asked([&](auto answered) { return printers.lookUp({}, answered); });
    qputenv("HOME", realHome);
    QCOMPARE(int(missing.kind), int(Kind::NoSuchQueue));
    QCOMPARE(missing.queue, std::string("Gone"));
    QCOMPARE(QString::fromStdString(missing.namedIn), options.fileName());
}

QTEST_MAIN(TestCupsPrinterSystem)
#include "test_cups_printer_system.moc"
