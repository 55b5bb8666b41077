#include "printing/printer.h"
#include "print_checks.h"

#include <QtTest>

using Items = std::vector<PrintItem>;
Q_DECLARE_METATYPE(Items)

// One line at 12 pt on the recording device: a character is 6 wide, a zone 84.
class TestPrinter : public QObject {
    Q_OBJECT

private slots:
    void lineLayout_data();
    void lineLayout();
};

void TestPrinter::lineLayout_data()
{
    QTest::addColumn<Items>("items");
    QTest::addColumn<QStringList>("drawn");

    QTest::newRow("adjacent, blanks kept") << Items{"  ab", "cd"}
                                           << QStringList{"text 0 0 '  ab'", "text 24 0 'cd'"};
    QTest::newRow("leading step") << Items{nextZone, "A"} << QStringList{"text 84 0 'A'"};
    QTest::newRow("two leading steps") << Items{nextZone, nextZone, "A"} << QStringList{"text 168 0 'A'"};
    QTest::newRow("empty item still steps") << Items{"A", nextZone, "", nextZone, "C"}
                                            << QStringList{"text 0 0 'A'", "text 168 0 'C'"};
    QTest::newRow("item ending on a boundary") << Items{"exactly14chars", nextZone, "B"}
                                               << QStringList{"text 0 0 'exactly14chars'", "text 168 0 'B'"};
    QTest::newRow("wide item pushes the rest") << Items{"fifteen chars..", nextZone, "B", nextZone, "C"}
                                               << QStringList{"text 0 0 'fifteen chars..'", "text 168 0 'B'",
                                                              "text 252 0 'C'"};
    // A number is its printer text and one blank, which the next item follows.
    QTest::newRow("one and a half") << Items{PrintItem::number(1.5), "|"}
                                    << QStringList{"text 0 0 ' 1.5 '", "text 30 0 '|'"};
    QTest::newRow("minus one and a half") << Items{PrintItem::number(-1.5), "|"}
                                          << QStringList{"text 0 0 '-1.5 '", "text 30 0 '|'"};
    QTest::newRow("a quarter") << Items{PrintItem::number(0.25), "|"}
                               << QStringList{"text 0 0 ' 0.25 '", "text 36 0 '|'"};
    QTest::newRow("zero") << Items{PrintItem::number(0), nextZone, "|"}
                          << QStringList{"text 0 0 ' 0 '", "text 84 0 '|'"};
}

void TestPrinter::lineLayout()
{
    QFETCH(Items, items);
    QFETCH(QStringList, drawn);

    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    printer.FontSize(12.0f);
    printer.Print(items);
    printer.Print({"next"});  // the zones are the line's own
    printer.EndDoc();

    QCOMPARE(entries(documents.at(0)),
             (QStringList{"begin", "font 12"} + drawn + QStringList{"text 0 15 'next'", "end"}));
}

QTEST_APPLESS_MAIN(TestPrinter)
#include "test_printer.moc"
