#pragma once

#include "calibration/calibration_window.h"
#include "calibration_mass/calibration_mass_sheet.h"

// The calibration worksheet for a dispenser with a mass display.
class CalibrationMassWindow : public CalibrationWindow {
    Q_OBJECT

public:
    CalibrationMassWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent = nullptr);

    CalibrationMassSheet& sheet() { return m_sheet; }

private:
    CalibrationMassSheet m_sheet;
};
