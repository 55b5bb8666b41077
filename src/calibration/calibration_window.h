#pragma once

#include "calibration/calibration_sheet.h"
#include "fields/sheet_window.h"

#include <functional>
#include <memory>

class PrintDialogs;
class Printer;

// A calibration worksheet's window: its sheet's fields where the worksheet's design
// puts them, and a File menu that prints the worksheet's report or closes the
// window, on the program's one printer. Closing the window, by its close box or
// File > Exit, loses its values; the main window stays.
class CalibrationWindow : public SheetWindow {
    Q_OBJECT

public:
    using Report = std::function<void(Printer&)>;
    // What sets the twin worksheets' windows apart besides their tables.
    struct Frame {
        int clientWidth, clientHeight;  // twips
        QColor background;
        QString printItem;  // the print command's menu text
        QString pdfName;    // the file name suggested when the report is saved as PDF
    };

    // report prints the sheet's report on the printer it is given.
    CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report, Printer& printer,
                      PrintDialogs& printDialogs);


private slots:
    void printReport();

private:
    std::unique_ptr<CalibrationSheet> m_sheet;
    QString m_pdfName;
    Report m_report;
    Printer& m_printer;
    PrintDialogs& m_printDialogs;
};
