#include "sheet_support.h"
#include "table_file.h"

using worked::Window;
Q_DECLARE_METATYPE(worked::Window)

class TestWorksheets : public QObject {
    Q_OBJECT

private slots:
    void workedExamples();
    void stories_data();
    void stories();
    void writesRunDepthFirst();
};

void TestWorksheets::workedExamples()
{
    for (const worked::Example& example : worked::examples()) {
        const auto sheet = worked::makeSheet(example.window);
        worked::fill(*sheet, example);
        for (const auto& [name, text] : example.held)
            QCOMPARE(name + '=' + sheet->text(sheet->find(name)), name + '=' + text);
        QCOMPARE(sheet->status(), std::string());
    }
}

void TestWorksheets::stories_data()
{
    QTest::addColumn<Window>("sheet");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");
    for (const QStringList& row : readTable("worksheets/stories.txt", 5)) {
        QTest::addRow("%s: %s", qPrintable(row[0]), qPrintable(row[1]))
            << worked::named(row[0].toStdString()).window << row[2] << row[3] << row[4];
    }
}

void TestWorksheets::stories()
{
    QFETCH(Window, sheet);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    const auto played = worked::makeSheet(sheet);
    play(*played, steps);
    QCOMPARE(textsOf(*played, expected), expected);
    QCOMPARE(QString::fromStdString(played->status()), status);
}

// A write runs the field's reaction, and the writes of that reaction theirs, before
// the writer goes on: the order in which a window sees its fields change.
void TestWorksheets::writesRunDepthFirst()
{
    CalibrationMassSheet sheet;
    play(sheet, "scale1=100!;display1=98!;scale2=100!");
    QStringList written;
    sheet.setObserver([&](FieldId field) { written << QString::fromStdString(sheet.name(field)); });
    play(sheet, "display2=9");
    const QStringList change{"displaySum", "sumDifference", "sumError", "newFactor", "averageDisplay"};
    QCOMPARE(written, change);
    play(sheet, "display2!");
    QCOMPARE(written.mid(5), change + QStringList({"difference2", "percentError2"}));
}

QTEST_APPLESS_MAIN(TestWorksheets)
#include "test_worksheets.moc"
