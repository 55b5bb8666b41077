#include "fields/entry_field.h"
#include "tempcomp/tcomp_window.h"
#include "widget_support.h"

#include <QAccessible>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace widget_support;
using Opens = RateWindow::Opens;
Q_DECLARE_METATYPE(WorkedExample)

namespace {

// The accessible names of the editable fields under a node.
void collectNames(QAccessibleInterface* node, QStringList& names)
{
    if (node->role() == QAccessible::EditableText)
        names << node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        collectNames(node->child(i), names);
}

int visibleWindows()
{
    const QWidgetList all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(),
                             [](QWidget* w) { return w->isVisible() && !w->inherits("QMenu"); }));
}

} // namespace

// The real windows as a person uses them, from the main window's menu on.
class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionsFitAndFieldsHaveTheirOwnNames_data();
    void captionsFitAndFieldsHaveTheirOwnNames();
    void workedExampleTypedIn_data();
    void workedExampleTypedIn();
    void enterComputesThenMovesOn();
    void formattedFieldEditsItsValueUntilClosed();
    void eachWindowOpensOnce();
    void exitBeepsOnceAndClosesEverything_data();
    void exitBeepsOnceAndClosesEverything();

private:
    int m_beeps = 0;
    WindowManager* m_manager = nullptr;
    RateWindow* m_rate = nullptr;
};

void TestWindows::init()
{
    m_beeps = 0;
    m_manager = new WindowManager([this] { ++m_beeps; });
    m_rate = m_manager->start();
    QApplication::setActiveWindow(m_rate);
    QVERIFY(QTest::qWaitForWindowActive(m_rate));
}

void TestWindows::cleanup()
{
    closeAll();
    delete m_manager;
}

void TestWindows::captionsFitAndFieldsHaveTheirOwnNames_data()
{
    QTest::addColumn<int>("window");  // -1: the main window, else RateWindow::Opens
    int window = -1;
    for (const char* name : {"flow rate", "with mass display", "no mass display", "temperature", "about"})
        QTest::newRow(name) << window++;
}

// Captions that can be read in full, and fields a screen reader tells apart and
// reads as they are shown ("3,043  PSI", not the value held).
void TestWindows::captionsFitAndFieldsHaveTheirOwnNames()
{
    QFETCH(int, window);
    QWidget* shown = window < 0 ? m_rate : m_manager->open(Opens(window));
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QStringList names;
    collectNames(QAccessible::queryAccessibleInterface(shown), names);
    QVERIFY2(!names.isEmpty() && !names.contains(QString()), qPrintable(names.join(", ")));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    const QList<QLineEdit*> fields = shown->findChildren<QLineEdit*>();
    for (QLineEdit* field : fields)
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Value), field->text());

    // A caption wraps within its label's width; every line of it must fit its height.
    QSet<QWidget*> labelled;
    for (QLabel* label : shown->findChildren<QLabel*>()) {
        labelled << label->buddy();
        const QSize room = label->contentsRect().size();
        const QRect needed = label->fontMetrics().boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(), qPrintable(label->text()));
    }
    // On the main window each caption also labels its field for a screen reader.
    labelled.remove(nullptr);
    if (window < 0)
        QCOMPARE(labelled, QSet<QWidget*>(fields.begin(), fields.end()));
}

void TestWindows::workedExampleTypedIn_data()
{
    QTest::addColumn<WorkedExample>("example");
    for (const WorkedExample& example : workedExamples())
        QTest::newRow(example.name) << example;
}

// Opened from the main window's menu, typed into wherever Enter leaves the focus;
// the text there is selected, so typing replaces it.
void TestWindows::workedExampleTypedIn()
{
    QFETCH(WorkedExample, example);
    QWidget* window = m_rate;
    if (example.window) {
        const QPoint item = *example.window == Opens::Temp ? QPoint(2, 0) : QPoint(1, int(*example.window));
        m_rate->menuBar()->actions().at(item.x())->menu()->actions().at(item.y())->trigger();
        window = m_manager->window(*example.window);
        QVERIFY(window && QTest::qWaitForWindowActive(window));
    }
    for (const QString& step : example.steps) {
        QCOMPARE(focusName(), step.section('=', 0, 0));
        if (!step.contains('='))
            break;
        QTest::keyClicks(QApplication::focusWidget(), step.section('=', 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
    }
    QCOMPARE(shownTexts(window, example.shown), example.shown);
    QCOMPARE(qobject_cast<SheetWindow*>(window)->statusText(), QString());
}

// The Tab an Enter queues moves the focus only once the computation is done, whose
// failure the status line tells; the keypad's Enter does the same. A click into the
// middle of a field selects it all.
void TestWindows::enterComputesThenMovesOn()
{
    auto* lbs = m_rate->findChild<EntryField*>("texLbs");
    QString focusDuringComputation;
    connect(lbs, &EntryField::enterPressed, this, [&] { focusDuringComputation = focusName(); });
    lbs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(lbs, Qt::Key_Enter);
    QCOMPARE(focusDuringComputation, QString("texLbs"));
    QCOMPARE(m_rate->statusText(), QString("Frequency ratio not computed: it would divide zero by zero."));
    settle();
    QCOMPARE(focusName(), QString("texMrate"));
    QTest::mouseClick(lbs, Qt::LeftButton, {}, QPoint(2, lbs->height() / 2));
    QTest::keyClicks(lbs, "1e5 kg,-.");
    QCOMPARE(lbs->text(), QString("1e5 kg,-."));
}

// One of each, without an owner: the main window stays usable beside them, and
// closing it leaves them open.
void TestWindows::eachWindowOpensOnce()
{
    for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About}) {
        QWidget* first = m_manager->open(which);
        QCOMPARE(m_manager->open(which), first);
        QVERIFY(first->isVisible() && !first->parentWidget());
    }
    QCOMPARE(visibleWindows(), 5);
    QVERIFY(!QApplication::activeModalWidget() && m_rate->isEnabled());
    m_rate->close();
    settle();
    QCOMPARE(visibleWindows(), 4);
    QCOMPARE(m_beeps, 0);
}

// A formatted field shows the value it holds while it has the focus, and what is
// typed there is the value. A closed window forgets it: it opens again as designed.
void TestWindows::formattedFieldEditsItsValueUntilClosed()
{
    QPointer<TcompWindow> tcomp = qobject_cast<TcompWindow*>(m_manager->open(Opens::Temp));
    QVERIFY(QTest::qWaitForWindowActive(tcomp));
    QLineEdit* p30 = field(tcomp, "MaskedEdit3");
    QTest::mouseClick(p30, Qt::LeftButton);
    QCOMPARE(p30->text(), QString("3042.56864"));
    p30->selectAll();
    QTest::keyClicks(p30, "999.5");
    QTest::mouseClick(field(tcomp, "MaskedEdit4"), Qt::LeftButton);
    QCOMPARE(p30->text(), QString("1,000  PSI"));
    QCOMPARE(tcomp->sheet().text(tcomp->sheet().MaskedEdit3), std::string("999.5"));
    typeIn(tcomp, "Text1", "-40");
    tcomp->close();
    settle();
    QVERIFY(!tcomp);
    QWidget* again = m_manager->open(Opens::Temp);
    QVERIFY(QTest::qWaitForWindowActive(again));
    const QString design = "Text1=70;MaskedEdit3=3,043  PSI;MaskedEdit4=3,806  PSI";
    QCOMPARE(shownTexts(again, design), design);
}

void TestWindows::exitBeepsOnceAndClosesEverything_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("File > Exit") << "menu";
    QTest::newRow("the Exit button") << "button";
    QTest::newRow("Alt+X") << "alt-x";
}

void TestWindows::exitBeepsOnceAndClosesEverything()
{
    QFETCH(QString, how);
    for (Opens which : {Opens::MassDisplay, Opens::Temp, Opens::About})
        m_manager->open(which);
    QApplication::setActiveWindow(m_rate);
    QVERIFY(QTest::qWaitForWindowActive(m_rate));
    if (how == "menu")
        m_rate->mnuExit_Click();
    else if (how == "button")
        QTest::mouseClick(m_rate->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    // The access key presses the button as a click would, after a short press.
    QTRY_COMPARE(m_beeps, 1);
    settle();
    QCOMPARE(m_beeps, 1);
    QCOMPARE(visibleWindows(), 0);
}

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
