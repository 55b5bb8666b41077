#pragma once

#include "calibration_nomass/cal_no_mas_sheet.h"
#include "fields/sheet_window.h"

#include <array>

class PrintDialogs;
class Printer;
class QLabel;

// The calibration worksheet for a dispenser whose display shows gallon equivalents.
// Its report goes to the program's one printer.
class CalNoMasWindow : public SheetWindow {
    Q_OBJECT

public:
    CalNoMasWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent = nullptr);

    CalNoMasSheet& sheet() { return m_sheet; }

    // Label3(0) heads the gallon column, Label3(1) names Test 1.
    QLabel* Label3(int index) const { return m_Label3.at(static_cast<std::size_t>(index)); }

    void print_Click();
    void exit_Click();

private:
    CalNoMasSheet m_sheet;
    Printer& m_printer;
    PrintDialogs& m_printDialogs;
    std::array<QLabel*, 2> m_Label3{};
};
