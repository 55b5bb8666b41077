#pragma once

#include "calibration/calibration_sheet.h"
#include "output/report_window.h"

#include <memory>

struct ReportServices;
class Printer;
class QAction;
class QLabel;

// A calibration worksheet's window: its sheet's fields where the worksheet's design
// puts them, and a File menu that prints the worksheet's report, saves it as PDF
// or closes the window; the job keeps what it shows.
//
// A calibration has phases: the tests of the dispenser as found, then, after each
// adjustment (File > Adjust...), the tests at the factor keyed in, as left. The
// window shows one phase at a time, named in its title; the tests as found are
// judged against the maintenance tolerance, those as left against the acceptance
// tolerance. File > No Adjustment records that the dispenser was left as found.
// File > Print Record prints the job's calibration record, every phase on one page.
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
    ~CalibrationWindow() override;

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
    // Where the repeatability of the phase's tests and the note on the new factor
    // as left stand, in twips.
    void placePhaseNotes(const QRect& repeatability, const QRect& adjustment);

    // The phase shown: 0 as found, n after the n-th adjustment.
    int phase() const { return m_phase; }
    int phasesKept() const;
    void showPhase(int phase);
    // Records the factor keyed into the dispenser, asking for it with the new
    // factor offered, and shows the tests at that factor, as left. Adjusting again
    // before any test at the last factor is typed corrects that factor.
    void adjust();
    // Records, or takes back, that the dispenser was left as found.
    void leaveAsFound(bool left);
    // As left, the report judges the tests against the limits the window does.
    JobDetails printedDetails() const override;
    // File > Print Record and Save Record as PDF...
    void printRecord();
    void saveRecord();

protected:
    QString spoken(const QWidget* field) const override;
    void sheetEventDone() override;
    KeptJob summary() const override;
    std::string readingsName() const override;
    void followJob() override;

private:
    struct Judged {
        FieldId error;
        QWidget* field;
        QLabel* verdict;
    };
    void showVerdicts();

    void showPhaseNotes();
    // The job's calibration record as it stands.
    Report record() const;
    void updateCommands();
    Tolerance phaseTolerance() const;
    std::string worksheetName() const;

    std::unique_ptr<CalibrationSheet> m_sheet;
    std::vector<Judged> m_judged;
    int m_phase = 0;
    bool m_choosing = false;  // while the window shows the phase chosen
    QLabel* m_repeatability = nullptr;
    QLabel* m_adjustmentNote = nullptr;
    QAction* m_adjust = nullptr;
    QAction* m_noAdjustment = nullptr;
    QAction* m_showAsFound = nullptr;
    QAction* m_showAsLeft = nullptr;
};
