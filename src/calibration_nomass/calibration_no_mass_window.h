#pragma once

#include "calibration/calibration_window.h"
#include "calibration_nomass/calibration_no_mass_sheet.h"

// The calibration worksheet for a dispenser whose display shows gallon equivalents.
class CalibrationNoMassWindow : public CalibrationWindow {
    Q_OBJECT

public:
    CalibrationNoMassWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent = nullptr);

    CalibrationNoMassSheet& sheet() { return m_sheet; }

private:
    CalibrationNoMassSheet m_sheet;
};
