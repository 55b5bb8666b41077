#pragma once

#include "calibration_mass/cal2_sheet.h"
#include "fields/sheet_window.h"

class PrintDialogs;
class Printer;

// The calibration worksheet for a dispenser with a mass display. Closing it, by
// its close box or File > Exit, loses its values; the main window stays. Its
// report goes to the program's one printer.
class Cal2Window : public SheetWindow {
    Q_OBJECT

public:
    Cal2Window(Printer& printer, PrintDialogs& printDialogs, QWidget* parent = nullptr);

    Cal2Sheet& sheet() { return m_sheet; }

    void print_Click();
    void exit_Click() { close(); }

private:
    Cal2Sheet m_sheet;
    Printer& m_printer;
    PrintDialogs& m_printDialogs;
};
