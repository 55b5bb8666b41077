#include "calibration_mass/cal2_window.h"
#include "fields/formatted_field.h"
#include "printing/print_checks.h"
#include "printing/printer.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

class TestCal2Window : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_window; }
    void startsInTheFactorAndTabsRound();
    void workedExampleTypedIn();

private:
    QLineEdit* field(const char* name) const { return m_window->findChild<QLineEdit*>(name); }

    std::vector<RecordingDevice::Document> m_documents;
    Printer m_printer{RecordingDevice::source(m_documents)};
    AnsweringDialogs m_dialogs;
    Cal2Window* m_window = nullptr;
};

void TestCal2Window::init()
{
    m_window = new Cal2Window(m_printer, m_dialogs);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestCal2Window::startsInTheFactorAndTabsRound()
{
    QCOMPARE(QApplication::focusWidget(), field("Text21"));
    QCOMPARE(field("Text21")->selectedText(), QString("49.023"));
    for (const char* next : {"Text1", "Text2", "Text5", "Text6", "Text9", "Text10", "Text21"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field(next));
    }
}

void TestCal2Window::workedExampleTypedIn()
{
    QString percentWhenFocusMoved;
    connect(qApp, &QApplication::focusChanged, m_window, [&](QWidget*, QWidget* now) {
        if (now == field("Text9"))
            percentWhenFocusMoved = m_window->findChild<FormattedField*>("MaskedEdit2")->value();
    });
    for (const char* text : {"", "100", "98", "100", "98"}) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // the queued Tab
    }
    QCOMPARE(QApplication::focusWidget(), field("Text9"));
    QCOMPARE(percentWhenFocusMoved, QString("0.02"));
    QCOMPARE(field("Text1")->text(), QString("100"));
    QCOMPARE(field("Text2")->text(), QString("98"));
    QCOMPARE(field("Text17")->text(), QString("100"));
    QCOMPARE(field("Text18")->text(), QString("98"));
    QCOMPARE(field("MaskedEdit1")->text(), QString("2.000%"));
    QCOMPARE(field("MaskedEdit4")->text(), QString("2.000%"));
    QCOMPARE(field("Text22")->text(), QString("50.0235"));
    QTest::mouseClick(field("MaskedEdit1"), Qt::LeftButton);
    QCOMPARE(field("MaskedEdit1")->text(), QString("0.02"));
}

QTEST_MAIN(TestCal2Window)
#include "test_cal2_window.moc"
