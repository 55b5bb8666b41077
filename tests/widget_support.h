#pragma once

// What the tests of the real windows share: letting posted events (the Tab an Enter
// queues, closed windows' deletion) run, asking where the focus is, typing into a
// window's fields, and each window's worked example as the technician types it.

#include "shell/window_manager.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <optional>

namespace widget_support {

inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline void closeAll()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    settle();
}

inline QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

inline QLineEdit* field(QWidget* window, const QString& name) { return window->findChild<QLineEdit*>(name); }

// Clicks into the field, types over its text and presses Enter.
inline void typeIn(QWidget* window, const QString& name, const QString& text)
{
    QLineEdit* field = widget_support::field(window, name);
    QVERIFY2(field, qPrintable(name));
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
    settle();
}

// The shown texts of the fields that expected names ("texHz=29;texRate=9.8484"), in its form.
inline QString shownTexts(QWidget* window, const QString& expected)
{
    QStringList texts;
    for (const QString& pair : expected.split(';')) {
        const QLineEdit* shown = field(window, pair.section('=', 0, 0));
        texts << pair.section('=', 0, 0) + '=' + (shown ? shown->text() : "(no field)");
    }
    return texts.join(';');
}

// Steps "field=text" in the order Enter moves the focus; a last name without a
// text is where the last Enter leaves it.
struct WorkedExample {
    const char* name;
    std::optional<RateWindow::Opens> window;  // none: the main window
    QStringList steps;
    QString shown;
};

inline QList<WorkedExample> workedExamples()
{
    using Opens = RateWindow::Opens;
    return {
        {"flow rate", {}, {"texMrate=10", "texPpg=1000", "texLbs=5.66", "texMrate"}, "texHz=29;texRate=9.8484"},
        {"with a mass display", Opens::MassDisplay,
         {"Text21=", "Text1=100", "Text2=98", "Text5=101", "Text6=100", "Text9=102", "Text10=103", "Text21"},
         "Text17=101;Text18=100.3333;MaskedEdit1=2.000%;MaskedEdit3=-0.980%;MaskedEdit4=0.660%;Text22=49.3487"},
        {"without a mass display", Opens::NoMassDisplay,
         {"Text3=", "Text21=", "Text1=100", "Text24=17.5", "Text5=120", "Text25=21", "Text9=81", "Text26=14.3",
          "Text3"},
         "Text2=99.05;MaskedEdit3=0.08%;Text18=99.616;MaskedEdit5=0.71%;Text22=43.3328"},
        {"temperature", Opens::Temp,
         {"Text1=59", "Text1=-40", "Text1"}, "MaskedEdit3=1,624  PSI;MaskedEdit4=1,891  PSI"},
    };
}

} // namespace widget_support
