// Random use of the real windows: keystrokes, clicks on fields, opening and closing
// windows, in any order, with a fixed seed that is printed. Afterwards every window,
// opened afresh, still computes its worked example.

#include "printing/print_checks.h"
#include "shell/window_manager.h"
#include "widget_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QtTest>

#include <deque>

using widget_support::settle;

namespace {

using Opens = RateWindow::Opens;
constexpr Opens kOthers[] = {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About};

QWidget* topWindowOf(WindowManager& manager, QRandomGenerator& random)
{
    QList<QWidget*> open;
    if (manager.mainWindow())
        open << manager.mainWindow();
    for (Opens which : kOthers) {
        if (QWidget* w = manager.window(which))
            open << w;
    }
    return open.isEmpty() ? nullptr : open.at(random.bounded(open.size()));
}

bool holdsNonsense(const QString& text)
{
    return text.contains("inf", Qt::CaseInsensitive) || text.contains("nan", Qt::CaseInsensitive);
}

void typeIn(QWidget* window, const char* name, const QString& text)
{
    auto* field = window->findChild<QLineEdit*>(name);
    QVERIFY(field);
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
    settle();
}

QString shown(QWidget* window, const char* name) { return window->findChild<QLineEdit*>(name)->text(); }

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void randomUseLeavesEveryWindowWorking();

private:
    void randomEvent(WindowManager& manager, QRandomGenerator& random);
    std::deque<QString> m_recent;
    std::vector<RecordingDevice::Document> m_printed;
};

void TestSoak::randomEvent(WindowManager& manager, QRandomGenerator& random)
{
    static const QList<int> keys = {Qt::Key_0, Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_A, Qt::Key_K, Qt::Key_X,
                                    Qt::Key_Period, Qt::Key_Comma, Qt::Key_Minus, Qt::Key_E, Qt::Key_Backspace,
                                    Qt::Key_Return, Qt::Key_Tab};
    QWidget* window = topWindowOf(manager, random);
    const int kind = random.bounded(100);
    QString what;
    if (!window || kind < 3) {
        const Opens which = kOthers[random.bounded(4)];
        manager.open(which);
        what = QString("open window %1").arg(int(which));
    } else if (kind < 5 && window != manager.mainWindow()) {
        what = "close " + window->windowTitle();
        window->close();
    } else if (kind < 7) {
        // File > Print, where the window has one; its first item in every window.
        if (auto* menus = window->findChild<QMenuBar*>()) {
            what = "print " + window->windowTitle();
            menus->actions().at(0)->menu()->actions().at(0)->trigger();
        }
    } else if (kind < 25) {
        const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
        if (!fields.isEmpty()) {
            QLineEdit* field = fields.at(random.bounded(fields.size()));
            what = "click " + field->objectName();
            QApplication::setActiveWindow(window);
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
        }
    } else {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        const int key = keys.at(random.bounded(keys.size()));
        what = QString("key %1 in %2").arg(QKeySequence(key).toString(), target->objectName());
        QApplication::setActiveWindow(window);
        QTest::keyClick(target, Qt::Key(key));
    }
    settle();
    m_recent.push_back(what);
    if (m_recent.size() > 50)
        m_recent.pop_front();
}

void TestSoak::randomUseLeavesEveryWindowWorking()
{
    const quint32 seed = qEnvironmentVariableIsSet("FLOWCAL_SOAK_SEED")
        ? quint32(qEnvironmentVariableIntValue("FLOWCAL_SOAK_SEED"))
        : 20261206u;
    const int events = qEnvironmentVariableIsSet("FLOWCAL_SOAK_EVENTS")
        ? qEnvironmentVariableIntValue("FLOWCAL_SOAK_EVENTS")
        : 20000;
    qInfo("soak: %d events, seed %u (set FLOWCAL_SOAK_SEED to repeat it)", events, seed);
    QRandomGenerator random(seed);

    // Reports go to a recording device; a report stopped by a percent typed over by
    // hand is told to dialogs that answer for the user.
    WindowManager manager([] {}, std::make_unique<AnsweringDialogs>(), RecordingDevice::source(m_printed));
    manager.start();
    for (Opens which : kOthers)
        manager.open(which);
    for (int i = 0; i < events; ++i) {
        randomEvent(manager, random);
        if (i % 200 != 0)
            continue;
        // The keys above cannot spell "inf" or "nan": any such text was computed.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
                if (!holdsNonsense(field->text()))
                    continue;
                const QStringList recent(m_recent.begin(), m_recent.end());
                QFAIL(qPrintable(QString("after event %1 (seed %2), %3 shows \"%4\"; the last events:\n  %5")
                                     .arg(i)
                                     .arg(seed)
                                     .arg(field->objectName(), field->text(), recent.join("\n  "))));
            }
        }
    }

    QVERIFY(!m_printed.empty());
    for (const RecordingDevice::Document& document : m_printed)
        QCOMPARE(document.back(), std::string("end"));  // every report was ended, none left open

    // Every window, opened afresh, computes its worked example.
    for (Opens which : kOthers) {
        if (QWidget* w = manager.window(which))
            w->close();
    }
    settle();
    QWidget* rate = manager.mainWindow();
    QVERIFY(rate);
    typeIn(rate, "texMrate", "10");
    typeIn(rate, "texPpg", "1000");
    typeIn(rate, "texLbs", "5.66");
    QCOMPARE(shown(rate, "texHz"), QString("29"));
    QCOMPARE(shown(rate, "texRate"), QString("9.8484"));

    QWidget* cal2 = manager.open(Opens::MassDisplay);
    typeIn(cal2, "Text1", "100");
    typeIn(cal2, "Text2", "98");
    QCOMPARE(shown(cal2, "Text22"), QString("50.0235"));

    QWidget* calnomas = manager.open(Opens::NoMassDisplay);
    for (auto [field, text] : {std::pair{"Text1", "100"}, {"Text24", "17.5"}, {"Text5", "120"}, {"Text25", "21"},
                               {"Text9", "81"}, {"Text26", "14.3"}})
        typeIn(calnomas, field, text);
    QCOMPARE(shown(calnomas, "Text22"), QString("43.3328"));

    QWidget* tcomp = manager.open(Opens::Temp);
    typeIn(tcomp, "Text1", "70");
    QCOMPARE(tcomp->findChild<QLineEdit*>("MaskedEdit3")->text(), QString("3,043  PSI"));

    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    settle();
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
