#pragma once

#include "job/job.h"
#include "widgets/fitted_dialog.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTableView;

// File > Jobs...: the kept jobs, newest first, as a table a screen reader reads
// with its headers: date, customer, site, dispenser serial number, kind of test, new
// factor, average error, verdict, and when the dispenser's next calibration is due
// (in words and colour when within 30 days or past). The search field finds jobs by customer, site,
// serial number or date as it is typed. Open (Enter) opens the job chosen; New Job
// and Next Dispenser start one (the next keeps the customer, the site and the
// scale of the job chosen); History shows the jobs of the chosen job's dispenser,
// and how they went over time; Print Record and Save Record as PDF open the job
// chosen and print its calibration record;
// Export... writes the jobs shown as CSV; Delete asks first. Every command has an
// access key, and Esc closes the window.
class JobsWindow : public FittedDialog {
    Q_OBJECT

public:
    // The CSV of these jobs, with their readings; a file of it is what Export writes.
    using Csv = std::function<std::string(const std::vector<KeptJob>&)>;

    JobsWindow(Job& job, Csv csv, QWidget* parent);

    // The file to export to, suggested first; nothing when the user cancels. The
    // program asks with Qt's file dialog; tests answer for the user.
    std::function<std::optional<QString>(const QString& suggested)> chooseFile;
    // Whether to delete that job; the program asks in a message box.
    std::function<bool(const QString& question)> confirm;

    // Print Record and Save Record as PDF: the job chosen is open; its record is to
    // be printed, or saved as PDF when pdf.
    std::function<void(bool pdf)> printRecord;
    // History: the jobs of that dispenser serial number, newest first, to be shown
    // as they went over time.
    std::function<void(const QString& serial, const std::vector<KeptJob>& jobs)> showHistory;

    // A next calibration due within so many days is marked as due.
    static constexpr int kDueSoonDays = 30;

    // Writes the jobs shown as CSV to a file the user chooses; what became of it.
    QString exportJobs();

private:
    void showJobs();
    const KeptJob* chosen() const;
    void deleteJob();
    void record(bool pdf);
    // Opens the job chosen in place of the open one; false, and says why, when it
    // cannot be.
    bool openChosen();

    Job& m_job;
    Csv m_csv;
    QLineEdit* m_search = nullptr;
    QTableView* m_table = nullptr;
    class Model;
    Model* m_model = nullptr;
    QLabel* m_said = nullptr;
};
