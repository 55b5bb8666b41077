#include "sheet_events.h"
#include "sheet_support.h"

using worked::Window;
Q_DECLARE_METATYPE(worked::Window)
Q_DECLARE_METATYPE(TableRow)

class TestWorksheets : public QObject {
    Q_OBJECT

private slots:
    void stories_data();
    void stories();
    void resultsFollowTheReadings();
};

// The stories of stories.txt, and each worked example typed in: what the sheet then holds.
void TestWorksheets::stories_data()
{
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<Window>("sheet");
    std::vector<TableRow> rows = readTable("worksheets/stories.txt", 5);
    std::vector<std::string> problems;
    for (const worked::Example& example : worked::examples(&problems)) {
        std::string held;
        for (const auto& [name, text] : example.held)
            held += (held.empty() ? "" : ";") + name + '=' + text;
        rows.push_back({"", "", {example.name, "its worked example", stepsOf(example).toStdString(), held, ""}, ""});
    }
    for (const std::string& problem : problems)
        rows.push_back({"", "", {"worked_examples.txt", problem, "", "", ""}, problem});
    for (TableRow row : rows) {
        const worked::Example* example = row.problem.empty() ? checkedExample(row, {row[2], row[3]}) : nullptr;
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

// Random events on every sheet, as sheet_events.h plays them: every result stays
// in step with the readings on screen.
void TestWorksheets::resultsFollowTheReadings()
{
    const char* setting = "FLOWCAL_PROPERTY_SEED";
    const auto seed = quint32(qEnvironmentVariableIsSet(setting) ? qEnvironmentVariableIntValue(setting) : 20261207);
    qInfo("random events on every sheet, seed %u (set FLOWCAL_PROPERTY_SEED to repeat it)", seed);
    QRandomGenerator random(seed);
    std::vector<std::uint8_t> events(6000);
    for (std::uint8_t& byte : events)
        byte = std::uint8_t(random.bounded(256));
    const std::string problem = sheet_events::play(events.data(), events.size());
    QVERIFY2(problem.empty(), problem.c_str());
}

QTEST_APPLESS_MAIN(TestWorksheets)
#include "test_worksheets.moc"
