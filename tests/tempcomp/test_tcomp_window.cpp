#include "shell/window_manager.h"
#include "tempcomp/tcomp_window.h"
#include "widget_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

using widget_support::settle;

class TestTcompWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensFromToolsTempWithThePressures();
    void enterComputesAndStaysInTheTemperature_data();
    void enterComputesAndStaysInTheTemperature();
    void pressureShowsItsValueWhileFocused();
    void reopensFromTheDesignTemperature();

private:
    // Opens the window as the technician does: Tools > Temp on the main window.
    void openTemp();
    QLineEdit* field(const char* name) const { return m_tcomp->findChild<QLineEdit*>(name); }

    WindowManager* m_manager = nullptr;
    QPointer<TcompWindow> m_tcomp;
};

void TestTcompWindow::init()
{
    m_manager = new WindowManager([] {});
    m_manager->start();
    openTemp();
}

void TestTcompWindow::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    settle();
    delete m_manager;
}

void TestTcompWindow::openTemp()
{
    QMenu* tools = m_manager->mainWindow()->menuBar()->actions().at(2)->menu();
    QCOMPARE(tools->actions().at(0)->text(), QString("Temp"));
    tools->actions().at(0)->trigger();
    m_tcomp = qobject_cast<TcompWindow*>(m_manager->window(RateWindow::Opens::Temp));
    QVERIFY(m_tcomp);
    QVERIFY(QTest::qWaitForWindowActive(m_tcomp));
}

void TestTcompWindow::opensFromToolsTempWithThePressures()
{
    QCOMPARE(QApplication::focusWidget(), field("Text1"));
    QCOMPARE(field("Text1")->selectedText(), QString("70"));
    QCOMPARE(field("MaskedEdit3")->text(), QString("3,043  PSI"));
    QCOMPARE(field("MaskedEdit4")->text(), QString("3,806  PSI"));
    QCOMPARE(m_tcomp->statusText(), QString());
}

void TestTcompWindow::enterComputesAndStaysInTheTemperature_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("p30");
    QTest::addColumn<QString>("status");
    QTest::newRow("Enter computes") << "59" << int(Qt::Key_Return) << "2,901  PSI" << "";
    QTest::newRow("Tab only selects") << "59" << int(Qt::Key_Tab) << "3,043  PSI" << "";
    QTest::newRow("not a number") << "abc" << int(Qt::Key_Return) << "3,043  PSI"
                                  << "Celsius temperature not computed: the temperature is not a number.";
}

void TestTcompWindow::enterComputesAndStaysInTheTemperature()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, p30);
    QFETCH(QString, status);
    QLineEdit* text1 = field("Text1");
    QTest::keyClicks(text1, typed);
    QCOMPARE(field("MaskedEdit3")->text(), QString("3,043  PSI"));
    QTest::keyClick(text1, Qt::Key(key));
    settle();
    QCOMPARE(QApplication::focusWidget(), text1);
    QCOMPARE(text1->selectedText(), typed);
    QCOMPARE(field("MaskedEdit3")->text(), p30);
    QCOMPARE(m_tcomp->statusText(), status);
}

void TestTcompWindow::pressureShowsItsValueWhileFocused()
{
    QLineEdit* p30 = field("MaskedEdit3");
    QTest::mouseClick(p30, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), p30);
    QCOMPARE(p30->text(), QString("3042.56864"));
    QTest::keyClicks(p30, "1");
    // Back in the temperature the pressures are computed again.
    QTest::keyClick(p30, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), field("Text1"));
    QCOMPARE(p30->text(), QString("3,043  PSI"));
}

void TestTcompWindow::reopensFromTheDesignTemperature()
{
    QTest::keyClicks(field("Text1"), "-40");
    QTest::keyClick(field("Text1"), Qt::Key_Return);
    settle();
    QCOMPARE(field("MaskedEdit4")->text(), QString("1,891  PSI"));
    m_tcomp->close();
    settle();
    QVERIFY(!m_tcomp);
    openTemp();
    QCOMPARE(field("Text1")->text(), QString("70"));
    QCOMPARE(field("MaskedEdit4")->text(), QString("3,806  PSI"));
}

QTEST_MAIN(TestTcompWindow)
#include "test_tcomp_window.moc"
