#include "calibration_nomass/cal_no_mas_window.h"
#include "printing/print_checks.h"
#include "printing/printer.h"
#include "widget_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using widget_support::focusName;
using widget_support::settle;

class TestCalNoMasWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void workedExampleTypedIn();
    void gallonsLeftByMouseComputeNothing();

private:
    QLineEdit* field(const char* name) const { return m_window->findChild<QLineEdit*>(name); }
    // Types into the field that has the focus, which must be the named one, then Enter.
    void typeAndEnter(const char* expected, const QString& text);

    std::vector<RecordingDevice::Document> m_documents;
    Printer m_printer{RecordingDevice::source(m_documents)};
    AnsweringDialogs m_dialogs;
    QPointer<CalNoMasWindow> m_window;
};

void TestCalNoMasWindow::init()
{
    m_window = new CalNoMasWindow(m_printer, m_dialogs);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestCalNoMasWindow::cleanup()
{
    if (m_window)
        m_window->close();
    settle();
}

void TestCalNoMasWindow::typeAndEnter(const char* expected, const QString& text)
{
    QCOMPARE(focusName(), QString(expected));
    QWidget* focus = QApplication::focusWidget();
    if (!text.isNull())
        QTest::keyClicks(focus, text);
    QTest::keyClick(focus, Qt::Key_Return);
    settle();
}

// Enter in each tab stop in turn, round to the first again; the masses and
// percent fields are no tab stops.
void TestCalNoMasWindow::workedExampleTypedIn()
{
    QCOMPARE(field("Text3")->selectedText(), QString("5.66"));
    typeAndEnter("Text3", {});
    typeAndEnter("Text21", {});
    typeAndEnter("Text1", "100");
    typeAndEnter("Text24", "17.5");
    typeAndEnter("Text5", "120");
    typeAndEnter("Text25", "21");
    typeAndEnter("Text9", "81");
    typeAndEnter("Text26", "14.3");
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(focusName(), QString("Text3"));

    const QStringList shown{"Text2", "Text6", "Text10", "MaskedEdit1", "MaskedEdit2", "MaskedEdit3",
                            "Text17", "Text18", "MaskedEdit5", "Text22"};
    QStringList texts;
    for (const QString& name : shown)
        texts << field(name.toLatin1().constData())->text();
    QCOMPARE(texts, QStringList({"99.05", "118.86", "80.938", "0.95%", "0.95%", "0.08%", "100.3333", "99.616",
                                 "0.71%", "43.3328"}));
    QCOMPARE(m_window->statusText(), QString());
}

void TestCalNoMasWindow::gallonsLeftByMouseComputeNothing()
{
    typeAndEnter("Text3", {});
    typeAndEnter("Text21", {});
    typeAndEnter("Text1", "100");
    if (QTest::currentTestFailed())
        return;
    QTest::keyClicks(field("Text24"), "17.5");
    QTest::mouseClick(field("Text5"), Qt::LeftButton);
    settle();
    QCOMPARE(focusName(), QString("Text5"));
    QCOMPARE(field("Text2")->text(), QString());

    // Back by mouse: the reading is selected, and Enter works it out.
    QTest::mouseClick(field("Text24"), Qt::LeftButton);
    QCOMPARE(field("Text24")->selectedText(), QString("17.5"));
    QTest::keyClick(field("Text24"), Qt::Key_Return);
    settle();
    QCOMPARE(field("Text2")->text(), QString("99.05"));
    QCOMPARE(field("MaskedEdit1")->text(), QString("0.95%"));
}

QTEST_MAIN(TestCalNoMasWindow)
#include "test_cal_no_mas_window.moc"
