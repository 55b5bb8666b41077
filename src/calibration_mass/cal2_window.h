#pragma once

#include "calibration_mass/cal2_sheet.h"
#include "fields/sheet_window.h"

// The calibration worksheet for a dispenser with a mass display. Closing it, by
// its close box or File > Exit, loses its values; the main window stays.
class Cal2Window : public SheetWindow {
    Q_OBJECT

public:
    explicit Cal2Window(QWidget* parent = nullptr);

    Cal2Sheet& sheet() { return m_sheet; }

    void print_Click();
    void exit_Click() { close(); }

private:
    Cal2Sheet m_sheet;
};
