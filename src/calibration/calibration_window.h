#pragma once

#include "calibration/calibration_sheet.h"
#include "printing/report_window.h"

#include <memory>

class PrintDialogs;
class Printer;

// A calibration worksheet's window: its sheet's fields where the worksheet's design
// puts them, and a File menu that prints the worksheet's report, saves it as PDF
// or closes the window. Closing the window, by its close box or File > Exit, loses
// its values; the main window stays.
class CalibrationWindow : public ReportWindow {
    Q_OBJECT

public:
    // What sets the twin worksheets' windows apart besides their tables.
    struct Frame {
        int clientWidth, clientHeight;  // twips
        QColor background;
        QString printItem;  // the print command's menu text
        QString reportName;  // in the PDF file name suggested
        QString name;        // for a screen reader, where both titles read "Calibration"
    };

    // report prints the sheet's report on the printer it is given.
    CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report, Printer& printer,
                      PrintDialogs& printDialogs);

private:
    std::unique_ptr<CalibrationSheet> m_sheet;
};
