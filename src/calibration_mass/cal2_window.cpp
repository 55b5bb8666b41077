#include "calibration_mass/cal2_window.h"

#include "fields/design.h"

Cal2Window::Cal2Window(QWidget* parent)
    : SheetWindow(QStringLiteral("Calibration"), 7245, 5820, design::rgb(192, 255, 255), parent)
{
}
