#include "widgets/formatted_field.h"

#include <QFocusEvent>

FormattedField::FormattedField(Format format, QWidget* parent) : QLineEdit(parent), m_format(std::move(format)) {}

void FormattedField::setValue(const QString& value)
{
    m_value = value;
    showValue();
}

void FormattedField::showValue()
{
    const QString shown = hasFocus() ? m_value : QString::fromStdString(m_format(m_value.toStdString()));
    if (text() != shown)
        setText(shown);
}

void FormattedField::focusInEvent(QFocusEvent* event)
{
    showValue();
    QLineEdit::focusInEvent(event);
}

void FormattedField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A menu opened over the field does not take the editing away from it.
    if (event->reason() != Qt::PopupFocusReason)
        showValue();
}
