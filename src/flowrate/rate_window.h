#pragma once

#include "fields/sheet_window.h"
#include "flowrate/rate_sheet.h"

class PrintDialogs;
class Printer;

// The main window: the flow-rate calculator with the program's menu and Exit
// button. Opening the other windows and ending the program are left to whoever
// listens to its requests. Its report goes to the program's one printer.
class RateWindow : public SheetWindow {
    Q_OBJECT

public:
    enum class Opens { MassDisplay, NoMassDisplay, Temp, About };

    RateWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent = nullptr);

    RateSheet& sheet() { return m_sheet; }

    void print_Click();
    void mnuExit_Click() { emit exitRequested(); }
    void Command2_Click() { emit exitRequested(); }
    void massdisplay_Click() { emit openRequested(Opens::MassDisplay); }
    void nomass_Click() { emit openRequested(Opens::NoMassDisplay); }
    void temp_Click() { emit openRequested(Opens::Temp); }
    void mnuqor_Click() { emit openRequested(Opens::About); }

signals:
    void exitRequested();
    void openRequested(RateWindow::Opens window);

private:
    RateSheet m_sheet;
    Printer& m_printer;
    PrintDialogs& m_printDialogs;
};
