#include "sheet_support.h"

using worked::Window;
Q_DECLARE_METATYPE(worked::Window)
Q_DECLARE_METATYPE(TableRow)

class TestWorksheets : public QObject {
    Q_OBJECT

private slots:
    void workedExamples();
    void stories_data();
    void stories();
    void resultsFollowTheReadings();
};

void TestWorksheets::workedExamples()
{
    std::vector<std::string> problems;
    worked::examples(&problems);
    std::string all;
    for (const std::string& problem : problems)
        all += '\n' + problem;
    QVERIFY2(problems.empty(), all.c_str());
    for (const worked::Example& example : worked::examples()) {
        const auto sheet = worked::makeSheet(example.window);
        worked::fill(*sheet, example);
        for (const auto& [name, text] : example.held)
            QCOMPARE(QString::fromStdString(name + '=' + sheet->text(sheet->find(name))),
                     QString::fromStdString(name + '=' + text));
        QCOMPARE(sheet->status(), std::string());
    }
}

void TestWorksheets::stories_data()
{
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<Window>("sheet");
    for (TableRow row : readTable("worksheets/stories.txt", 5)) {
        const worked::Example* example = checkedExample(row, {row[2], row[3]});
        QTest::addRow("%s: %s", row.cells[0].c_str(), row.cells[1].c_str())
            << row << (example ? example->window : Window::FlowRate);
    }
}

void TestWorksheets::stories()
{
    QFETCH(TableRow, row);
    QFETCH(Window, sheet);
    CHECK_TABLE_ROW(row);
    const auto played = worked::makeSheet(sheet);
    play(*played, row[2]);
    QCOMPARE(textsOf(*played, row[3]), row[3]);
    QCOMPARE(QString::fromStdString(played->status()), row[4]);
}

// Random typing, Enter and focus changes in any field, in any order, on every
// sheet: after each event every result is blank or what a new sheet shows with the
// readings now on screen typed into it in the tab order, each with Enter.
void TestWorksheets::resultsFollowTheReadings()
{
    const char* setting = "FLOWCAL_PROPERTY_SEED";
    const auto seed = quint32(qEnvironmentVariableIsSet(setting) ? qEnvironmentVariableIntValue(setting) : 20261207);
    qInfo("random events on every sheet, seed %u (set FLOWCAL_PROPERTY_SEED to repeat it)", seed);
    QRandomGenerator random(seed);
    const std::vector<std::string> texts = {"", "0", "5.66", "12", "100", "98.5", "20.12", "1,000", "12,5", "abc",
                                            "-3.5", "1e400", "1O", "100 kg", ".", "2e307", "70", "1\xe2\x80\x8b" "0"};
    for (Window window : {Window::FlowRate, Window::MassDisplay, Window::NoMassDisplay, Window::Temperature}) {
        const auto sheet = worked::makeSheet(window);
        const std::vector<FieldId> readings = sheet->readingsInOrder();
        for (int event = 0; event < 1500; ++event) {
            const FieldId field = readings.at(random.bounded(int(readings.size())));
            const int kind = random.bounded(10);
            QString done;
            if (kind < 5) {
                const std::string& text = texts.at(random.bounded(int(texts.size())));
                for (std::size_t keys = 1; keys <= text.size(); ++keys)  // key by key, or all at once
                    sheet->type(field, text.substr(0, kind < 2 ? keys : text.size()));
                if (text.empty())
                    sheet->type(field, text);
                done = QString::fromStdString("typed " + text);
            } else if (kind < 8) {
                sheet->enter(field);
                done = "Enter";
            } else {
                sheet->focus(field);
                done = "focus";
            }
            const auto fresh = worked::makeSheet(window);
            for (FieldId reading : readings) {
                fresh->focus(reading);
                fresh->type(reading, sheet->text(reading));
                fresh->enter(reading);
            }
            for (std::size_t i = 0; i < sheet->fieldCount(); ++i) {
                const FieldId result(i);
                if (!sheet->computed(result) || sheet->text(result).empty())
                    continue;
                if (sheet->text(result) != fresh->text(result))
                    QFAIL(qPrintable(QStringLiteral("event %1 (%2 in %3): %4 is %5, the readings give %6")
                                         .arg(event).arg(done, QString::fromStdString(sheet->name(field)),
                                                         QString::fromStdString(sheet->name(result)),
                                                         QString::fromStdString(sheet->text(result)),
                                                         QString::fromStdString(fresh->text(result)))));
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestWorksheets)
#include "test_worksheets.moc"
