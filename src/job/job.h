#pragma once

#include "job/job_details.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The job every report is printed for while the program runs, shared by the
// windows that print. It says when its details change, so that the worksheets
// judge their errors anew.
class Job : public QObject {
    Q_OBJECT

public:
    const JobDetails& details() const { return m_details; }
    void setDetails(const JobDetails& details);
    // A new job: the job's details go; the technician's own and the tolerance stay.
    void clear();

    // The technician's details and the tolerance as kept in the user's settings
    // (the program's own, named after it). A kept value that cannot be used is named
    // in what it returns, and left in the file until new details are kept.
    QStringList load();
    // Keeps them there; what went wrong, or nothing.
    QString keep() const;

    // Where settings go when no folder can keep them: a folder that can never be made.
    static QString nowhere() { return QStringLiteral("/proc/flowcal-keeps-no-settings"); }

signals:
    void changed();

private:
    JobDetails m_details;
};
