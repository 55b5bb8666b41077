#include "fields/entry_field.h"
#include "shell/about_window.h"
#include "shell/window_manager.h"
#include "widget_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using widget_support::settle;

namespace {

using Opens = RateWindow::Opens;

int visibleWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->isVisible() && w->isWindow() && !w->inherits("QMenu") ? 1 : 0;
    return count;
}

QLineEdit* field(QWidget* window, const char* name) { return window->findChild<QLineEdit*>(name); }

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void workedExampleThroughTheWindow();
    void statusLineTellsWhatFailed();
    void eachWindowOpensOnce();
    void closedWindowReopensFromItsDesign();
    void closingTheMainWindowLeavesOthersOpen();
    void exitBeepsOnceAndClosesEverything_data();
    void exitBeepsOnceAndClosesEverything();

private:
    int m_beeps = 0;
    WindowManager* m_manager = nullptr;
    RateWindow* m_rate = nullptr;
};

void TestShell::init()
{
    m_beeps = 0;
    m_manager = new WindowManager([this] { ++m_beeps; });
    m_rate = m_manager->start();
    QApplication::setActiveWindow(m_rate);
    QVERIFY(QTest::qWaitForWindowActive(m_rate));
}

void TestShell::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    settle();
    delete m_manager;
}

void TestShell::workedExampleThroughTheWindow()
{
    QLineEdit* mrate = field(m_rate, "texMrate");
    QCOMPARE(QApplication::focusWidget(), mrate);
    QTest::keyClicks(mrate, "10");
    QTest::keyClick(mrate, Qt::Key_Return);
    settle();
    QLineEdit* ppg = field(m_rate, "texPpg");
    QCOMPARE(QApplication::focusWidget(), ppg);
    QTest::keyClicks(ppg, "1000");
    QTest::keyClick(ppg, Qt::Key_Return);
    settle();
    QLineEdit* lbs = field(m_rate, "texLbs");
    QCOMPARE(QApplication::focusWidget(), lbs);
    QCOMPARE(lbs->selectedText(), QString("5.66"));
    QTest::keyClicks(lbs, "5.66");
    QTest::keyClick(lbs, Qt::Key_Return);
    settle();
    QCOMPARE(field(m_rate, "texHz")->text(), QString("29"));
    QCOMPARE(field(m_rate, "texRate")->text(), QString("9.8484"));
    QCOMPARE(QApplication::focusWidget(), mrate);
    QCOMPARE(mrate->selectedText(), QString("10"));
}

void TestShell::statusLineTellsWhatFailed()
{
    QTest::keyClicks(field(m_rate, "texMrate"), "10");
    QTest::keyClicks(field(m_rate, "texPpg"), "1000");
    QLineEdit* lbs = field(m_rate, "texLbs");
    lbs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(lbs, Qt::Key_Delete);
    QTest::keyClick(lbs, Qt::Key_Return);
    settle();
    QCOMPARE(m_rate->statusText(), QString("Pulses per pound not computed: it would divide by zero."));
    // Moving round the fields does not clear it; the next good computation does.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(!m_rate->statusText().isEmpty());
    lbs->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(lbs, "5.66");
    QTest::keyClick(lbs, Qt::Key_Return);
    settle();
    QCOMPARE(m_rate->statusText(), QString());
}

void TestShell::eachWindowOpensOnce()
{
    for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About}) {
        QWidget* first = m_manager->open(which);
        QWidget* second = m_manager->open(which);
        QCOMPARE(first, second);
        QVERIFY(first->isVisible());
        QVERIFY(!first->parentWidget());  // no owner
    }
    QCOMPARE(visibleWindows(), 5);
    // The main window stays usable beside them.
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(m_rate->isEnabled());
}

void TestShell::closedWindowReopensFromItsDesign()
{
    QPointer<QWidget> about = m_manager->open(Opens::About);
    QLineEdit* web = about->findChild<QLineEdit*>("Text1");
    const QString design = web->text();
    web->setText("typed over");
    about->close();
    settle();
    QVERIFY(!about);
    QWidget* again = m_manager->open(Opens::About);
    QCOMPARE(again->findChild<QLineEdit*>("Text1")->text(), design);
}

void TestShell::closingTheMainWindowLeavesOthersOpen()
{
    QPointer<QWidget> about = m_manager->open(Opens::About);
    QPointer<RateWindow> rate = m_rate;
    rate->close();
    settle();
    QVERIFY(!rate);
    QVERIFY(about && about->isVisible());
    QCOMPARE(m_beeps, 0);
    about->close();
    settle();
    QCOMPARE(visibleWindows(), 0);
}

void TestShell::exitBeepsOnceAndClosesEverything_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("File > Exit") << "menu";
    QTest::newRow("the Exit button") << "button";
    QTest::newRow("Alt+X") << "alt-x";
}

void TestShell::exitBeepsOnceAndClosesEverything()
{
    QFETCH(QString, how);
    m_manager->open(Opens::MassDisplay);
    m_manager->open(Opens::Temp);
    m_manager->open(Opens::About);
    QApplication::setActiveWindow(m_rate);
    QVERIFY(QTest::qWaitForWindowActive(m_rate));
    if (how == "menu") {
        m_rate->mnuExit_Click();
    } else if (how == "button") {
        QTest::mouseClick(m_rate->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    } else {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    }
    // The access key presses the button as a click would, after a short press.
    QTRY_COMPARE(m_beeps, 1);
    settle();
    QCOMPARE(m_beeps, 1);
    QCOMPARE(visibleWindows(), 0);
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
