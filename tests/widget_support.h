#pragma once

// What the tests of the real windows share: letting posted events (the Tab an Enter
// queues, closed windows' deletion) run, asking where the focus is, and typing into
// a window's fields as the technician does.

#include "shell/window_manager.h"
#include "worked_examples.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace widget_support {

using Opens = FlowRateWindow::Opens;

// Every test program keeps its settings and data in a scratch folder of its own,
// removed when it ends, however it is run (by ctest or by hand, one function
// alone or all): never a person's own.
inline void keepApartFromThePersonsOwn()
{
    static QTemporaryDir scratch;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, QFile::encodeName(scratch.path() + '/' + QString::fromLatin1(variable).toLower()));
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
}
Q_COREAPP_STARTUP_FUNCTION(keepApartFromThePersonsOwn)

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

inline QLineEdit* field(QWidget* window, const std::string& name)
{
    return window->findChild<QLineEdit*>(QString::fromStdString(name));
}

// What the main window's menu opens for an example's window (not the main window).
inline Opens opensOf(worked::Window window)
{
    return std::array{Opens::Temp, Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp}[int(window)];
}

// Clicks into the field, types over its text and presses Enter.
inline void typeIn(QWidget* window, const std::string& name, const QString& text)
{
    QLineEdit* field = widget_support::field(window, name);
    QVERIFY2(field, name.c_str());
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
    settle();
}

// Each of the fields named as "name=text": as the window shows them (shown), or as
// expected.
inline QStringList shownTexts(QWidget* window, const worked::Texts& expected, bool shown = true)
{
    QStringList texts;
    for (const auto& [name, text] : expected)
        texts << QString::fromStdString(name) + '='
                     + (!shown                ? QString::fromStdString(text)
                        : field(window, name) ? field(window, name)->text()
                                              : "-");
    return texts;
}

// Answers the modal dialogs as they come, one answer each.
inline void answer(QList<std::function<void(QWidget*)>> answers)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answers]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (answers.isEmpty() || !dialog || !dialog->isVisible())
            return;
        if (answers.size() == 1) {
            timer->stop();  // no second answer to the same dialog while it closes
            timer->deleteLater();
        }
        answers.takeFirst()(dialog);
    });
    timer->start(10);
}

}  // namespace widget_support
