#pragma once

#include "calibration/calibration_sheet.h"
#include "output/report_window.h"

#include <memory>

struct ReportServices;
class Printer;
class QLabel;

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
        QString printItem;   // the print command's menu text
        QString reportName;  // in the PDF file name suggested
        QString name;        // for a screen reader, where both titles read "Calibration"
    };

    // report prints the sheet's report on the printer it is given.
    CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report,
                      ReportServices& services);

    // A window for a new worksheet of that kind, which the report prints; the
    // window is still to be placed.
    template <typename Worksheet>
    static CalibrationWindow* create(const Frame& frame, void (*report)(const Worksheet&, const ReportJob&, Printer&),
                                     ReportServices& services)
    {
        auto sheet = std::make_unique<Worksheet>();
        const Worksheet& worksheet = *sheet;
        return new CalibrationWindow(
            std::move(sheet), frame,
            [&worksheet, report](Printer& to, const ReportJob& job) { report(worksheet, job, to); }, services);
    }

    CalibrationSheet& sheet() { return *m_sheet; }

    // Beside each of these errors, once the job has a tolerance, a narrow column
    // says in a word whether it is within the acceptance tolerance ("OK"), within
    // only the maintenance tolerance ("maint.") or outside ("OUT"); a screen reader
    // says it with the field, in full. Without a tolerance the window is as
    // designed.
    void judge(std::initializer_list<FieldId> errors);

protected:
    QString spoken(const QWidget* field) const override;
    void sheetEventDone() override;
    KeptJob summary() const override;

private:
    struct Judged {
        FieldId error;
        QWidget* field;
        QLabel* verdict;
    };
    void showVerdicts();

    std::unique_ptr<CalibrationSheet> m_sheet;
    std::vector<Judged> m_judged;
};
