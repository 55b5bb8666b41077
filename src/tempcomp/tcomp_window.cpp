#include "tempcomp/tcomp_window.h"

#include "fields/design.h"

TcompWindow::TcompWindow(QWidget* parent)
    : SheetWindow(QStringLiteral("Temperature Compensation"), 4905, 2700, design::rgb(0, 255, 255), parent)
{
}
