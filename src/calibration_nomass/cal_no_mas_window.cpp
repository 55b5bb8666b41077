#include "calibration_nomass/cal_no_mas_window.h"

#include "fields/design.h"

CalNoMasWindow::CalNoMasWindow(QWidget* parent)
    : SheetWindow(QStringLiteral("Calibration"), 7200, 5520, design::rgb(128, 255, 128), parent)
{
}
