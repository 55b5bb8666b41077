#pragma once

#include "calibration/calibration_sheet.h"
#include "printing/report_window.h"

#include <memory>

struct Printing;
class Printer;

// A calibration worksheet's window: its sheet's fields where the worksheet's design
// puts them, and a File menu that prints the worksheet's report, saves it as PDF
// or closes the window. Closing the window, by its close box or File > Exit, loses
// its values; the main window stays.
class CalibrationWindow : public ReportWindow {
    Q_OBJECT

public:
    // What sets the two worksheets' windows apart besides their tables.
    struct Frame {
        int clientWidth, clientHeight;  // twips
        QColor background;
        QString printItem;  // the print command's menu text
        QString reportName;  // in the PDF file name suggested
        QString name;        // for a screen reader, where both titles read "Calibration"
    };

    // report prints the sheet's report on the printer it is given.
    CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report, Printing& printing);

    // A window for a new worksheet of that kind, which the report prints; the
    // window is still to be placed.
    template <typename Worksheet>
    static CalibrationWindow* create(const Frame& frame, void (*report)(const Worksheet&, Printer&), Printing& printing)
    {
        auto sheet = std::make_unique<Worksheet>();
        const Worksheet& worksheet = *sheet;
        return new CalibrationWindow(
            std::move(sheet), frame, [&worksheet, report](Printer& to) { report(worksheet, to); }, printing);
    }

    CalibrationSheet& sheet() { return *m_sheet; }

private:
    std::unique_ptr<CalibrationSheet> m_sheet;
};
