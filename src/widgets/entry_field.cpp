#include "widgets/entry_field.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

EntryField::EntryField(QWidget* parent) : QLineEdit(parent) {}

void EntryField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from a menu, or to a window that was left with the focus here, is
    // not a new visit to the field. The first activation of a new window is.
    const bool returning = event->reason() == Qt::PopupFocusReason
                           || (event->reason() == Qt::ActiveWindowFocusReason && m_leftWithWindow);
    m_leftWithWindow = false;
    if (returning)
        return;
    selectAll();
    // The click that brought the focus would otherwise place the caret.
    m_selectOnPress = event->reason() == Qt::MouseFocusReason;
    emit focused();
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    m_leftWithWindow = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

void EntryField::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (m_selectOnPress) {
        m_selectOnPress = false;
        selectAll();
    }
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        m_selectOnPress = false;
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Posted, not sent: the Tab is handled after the computation below returns.
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    event->accept();
    emit enterPressed();
}
