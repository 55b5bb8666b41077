#pragma once

#include "fields/sheet_window.h"

#include <functional>

class PrintDialogs;
class Printer;

// What the two calibration worksheets' windows share: the caption, a File menu
// that prints the worksheet's report or closes the window, and the program's one
// printer. Closing the window, by its close box or File > Exit, loses its values;
// the main window stays.
class CalibrationWindow : public SheetWindow {
    Q_OBJECT

protected:
    using Report = std::function<void(Printer&)>;

    // printItem: the print command's menu text; pdfName: the file name suggested
    // when the report is saved as PDF instead.
    CalibrationWindow(int clientWidth, int clientHeight, QColor background, const QString& printItem,
                      QString pdfName, Report report, Printer& printer, PrintDialogs& printDialogs,
                      QWidget* parent);

private slots:
    void printReport();

private:
    QString m_pdfName;
    Report m_report;
    Printer& m_printer;
    PrintDialogs& m_printDialogs;
};
