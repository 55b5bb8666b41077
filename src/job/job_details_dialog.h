#pragma once

#include "job/job_details.h"

#include "widgets/fitted_dialog.h"

#include <array>
#include <optional>

class QLabel;
class QLineEdit;

// File > Job Details...: the job's details, the technician's own and the
// tolerance, one labelled field each, top to bottom in the order of the Tab key.
// Enter accepts, Esc cancels. A tolerance that is no percentage is said in the
// dialog, which stays open on that field.
class JobDetailsDialog : public FittedDialog {
    Q_OBJECT

public:
    JobDetailsDialog(const JobDetails& details, QWidget* parent);

    JobDetails details() const;
    void accept() override;

    // The details as the user leaves the dialog, or nothing when cancelled.
    static std::optional<JobDetails> edit(const JobDetails& details, QWidget* parent);

private:
    std::array<QLineEdit*, JobDetails::kItems> m_items{};
    QLineEdit* m_acceptance = nullptr;
    QLineEdit* m_maintenance = nullptr;
    QLabel* m_problem = nullptr;
};
