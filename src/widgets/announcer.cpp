#include "widgets/announcer.h"

#include <QAccessible>

Announcer::Announcer(QWidget* parent) : QWidget(parent) { hide(); }

void Announcer::say(const QString& text)
{
    setAccessibleName(text);
    // Qt 6.4 has no announcement event, and drops an alert's; the showing of a
    // notification is what Orca speaks.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
