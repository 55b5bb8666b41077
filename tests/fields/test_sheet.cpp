#include "fields/sheet.h"
#include "qt_std.h"

#include <vector>

namespace {

// A small chain: typing in `a` writes `b` then `c`; writing `b` writes `d`, then `e`
// from the strict reading of `gate`. Enter in `a` runs three steps, the second of
// which can fail.
class ChainSheet : public Sheet {
public:
    ChainSheet()
        : a(add("a", "", "Reading")),
          b(add("b", "", "First result")),
          c(add("c", "", "Second result")),
          d(add("d", "", "Nested result")),
          e(add("e", "", "Gated result")),
          gate(add("gate", "", "Gate reading")),
          plain(add("plain", "", "Plain field"))
    {
        onChange(a, [this] {
            set(b, [&] { return NumText(Add(val(a), 1)); });
            set(c, [&] { return NumText(Mul(val(a), 2)); });
        });
        onChange(b, [this] {
            ++bRuns;
            set(d, [&] { return NumText(Sub(val(b), 1)); });
            set(e, [&] { return NumText(Div(strict(gate), val(b))); });
        });
        onEnter(a, [this] {
            set(c, [] { return std::string("step 1"); });
            set(d, [&] { return NumText(Div(1, val(gate))); });
            set(e, [] { return std::string("step 3"); });
        });
        setObserver([this](FieldId f) { written.push_back(name(f)); });
    }

    const FieldId a, b, c, d, e, gate, plain;
    int bRuns = 0;
    std::vector<std::string> written;
};

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

private slots:
    void writesRunDepthFirst();
    void unchangedWriteRunsItsReaction();
    void failureStopsOnlyItsOwnReaction();
    void failureStopsTheHandlerAtItsStep();
    void statusFollowsComputingEvents();
};

void TestSheet::writesRunDepthFirst()
{
    ChainSheet sheet;
    sheet.write(sheet.gate, "10");
    sheet.written.clear();
    sheet.type(sheet.a, "4");
    // b's reaction (d, e) runs inside a's, before a's reaction writes c.
    QCOMPARE(sheet.written, (std::vector<std::string>{"b", "d", "e", "c"}));
    QCOMPARE(sheet.text(sheet.b), std::string("5"));
    QCOMPARE(sheet.text(sheet.d), std::string("4"));
    QCOMPARE(sheet.text(sheet.e), std::string("2"));
    QCOMPARE(sheet.text(sheet.c), std::string("8"));
    QCOMPARE(sheet.status(), std::string());
}

void TestSheet::unchangedWriteRunsItsReaction()
{
    ChainSheet sheet;
    sheet.write(sheet.gate, "10");
    sheet.type(sheet.a, "4");
    sheet.write(sheet.gate, "20");
    sheet.type(sheet.a, "4.0");  // b is written "5" again
    QCOMPARE(sheet.bRuns, 2);
    QCOMPARE(sheet.text(sheet.e), std::string("4"));  // brought up to date with the new gate
}

void TestSheet::failureStopsOnlyItsOwnReaction()
{
    ChainSheet sheet;
    sheet.write(sheet.e, "old");
    sheet.type(sheet.a, "4");  // gate is empty: b's reaction fails at e
    QCOMPARE(sheet.text(sheet.d), std::string("4"));   // written before the failure
    QCOMPARE(sheet.text(sheet.e), std::string("old"));  // the failing step writes nothing
    QCOMPARE(sheet.text(sheet.c), std::string("8"));   // a's reaction goes on
    QCOMPARE(sheet.status(), std::string("Gated result not computed: the gate reading is empty."));

    sheet.type(sheet.a, "1e400");  // a's own first step fails, so a's reaction ends there
    QCOMPARE(sheet.text(sheet.b), std::string("5"));
    QCOMPARE(sheet.text(sheet.c), std::string("8"));
    QCOMPARE(sheet.status(), std::string("First result not computed: the reading is out of range."));
}

void TestSheet::failureStopsTheHandlerAtItsStep()
{
    ChainSheet sheet;
    sheet.write(sheet.gate, "0");
    sheet.enter(sheet.a);
    QCOMPARE(sheet.text(sheet.c), std::string("step 1"));
    QCOMPARE(sheet.text(sheet.d), std::string());
    QCOMPARE(sheet.text(sheet.e), std::string());  // the step after the failure never ran
    QCOMPARE(sheet.status(), std::string("Nested result not computed: it would divide by zero."));
}

void TestSheet::statusFollowsComputingEvents()
{
    ChainSheet sheet;
    sheet.write(sheet.gate, "0");
    sheet.enter(sheet.a);
    QVERIFY(!sheet.status().empty());
    // Events that compute nothing leave the message of the last computation.
    sheet.type(sheet.plain, "x");
    sheet.focus(sheet.a);
    sheet.enter(sheet.b);
    QVERIFY(!sheet.status().empty());
    sheet.write(sheet.gate, "2");
    sheet.enter(sheet.a);
    QCOMPARE(sheet.status(), std::string());
    QCOMPARE(sheet.text(sheet.e), std::string("step 3"));
}

QTEST_APPLESS_MAIN(TestSheet)
#include "test_sheet.moc"
