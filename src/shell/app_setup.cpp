#include "shell/app_setup.h"

#include "fields/design.h"

#include <QApplication>
#include <QStyleFactory>

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("flowcal"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // One look on every desktop, so that the designs come out as drawn.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(design::font(8.25, false));
}
