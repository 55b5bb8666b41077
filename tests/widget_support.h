#pragma once

// What the widget tests share: letting posted events (the Tab an Enter queues,
// closed windows' deletion) run, and asking where the focus is.

#include <QApplication>
#include <QWidget>

namespace widget_support {

inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

} // namespace widget_support
