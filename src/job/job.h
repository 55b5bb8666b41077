#pragma once

#include "job/job_details.h"
#include "job/job_store.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

// The job open in the program: the dispenser every report is printed for and whose
// readings the windows show, shared by the windows that print. Every change of its
// details or readings is kept in the store within half a second, and at once when
// asked (on closing a window, at Exit). It says when its details change, so that
// the worksheets judge their errors anew, and when another job is opened, so that
// the windows show its readings.
class Job : public QObject {
    Q_OBJECT

public:
    // The store keeps the jobs; none keeps nothing.
    explicit Job(std::unique_ptr<JobStore> store = nullptr, QObject* parent = nullptr);
    ~Job() override;

    const JobDetails& details() const { return m_kept.details; }
    // The job as it stands, every window's readings with it.
    const KeptJob& kept() const { return m_kept; }
    void setDetails(const JobDetails& details);
    // A new job, the current one kept: the job's details go (but for the customer,
    // the site and the scale when nextDispenser), the technician's own and the
    // tolerance stay, and every window's readings are empty. False, the job left
    // open, while its last changes cannot be kept (storeProblem() says why).
    bool clear(bool nextDispenser = false);

    // A window's readings, by name, as typed; and what the list of jobs shows of
    // its results, when the window has any.
    const std::map<std::string, std::string>& readings(const std::string& window) const;
    void setReadings(const std::string& window, std::map<std::string, std::string> readings, const KeptJob& summary);
    // Keeps what changed now rather than within half a second.
    void keepNow();
    // Why the job is not being kept, naming the store's file; empty while it is.
    QString storeProblem() const { return m_storeProblem; }

    // The kept jobs, as the store gives them (see JobStore), this one kept first.
    std::vector<KeptJob> list(const std::string& search);
    std::optional<KeptJob> find(std::int64_t id);
    // Every kept job of that dispenser serial number, newest first.
    std::vector<KeptJob> history(const std::string& serial);
    std::int64_t id() const { return m_kept.id; }
    // Opens a kept job in place of this one, which is kept; false when it is gone,
    // or when this one's last changes cannot be kept.
    bool open(std::int64_t id);
    // Removes a kept job; the open one is left for a new one. False when the store
    // could not: storeProblem() says why.
    bool remove(std::int64_t id);

    // The technician's details and the tolerance as kept in the user's settings
    // (the program's own, named after it). A kept value that cannot be used is named
    // in what it returns, and left in the file until new details are kept.
    QStringList load();
    // Opens the job that was open when the program last ended; why the store cannot
    // be used, when it cannot, or nothing. The store is opened only then, so that a
    // program without a job open never loads it.
    QString reopen();
    // Keeps the technician's details and the tolerance in the settings; what went
    // wrong, or nothing.
    QString keep() const;

    // The share of the maintenance tolerance, in percent, that the range of a
    // phase's errors may take ("40"), as the settings give it (tolerance/repeatability).
    static std::string repeatabilityShare();
    // The months from one calibration to the next that is due (record/months, 12
    // unless set).
    static int monthsToNextCalibration();
    // When a calibration tested then is next due ("2027-12-07"), so many months on;
    // nothing for a job never tested.
    static QDate nextDue(const std::string& tested, int months = monthsToNextCalibration());

    // Where settings go when no folder can keep them: a folder that can never be made.
    static QString nowhere() { return QStringLiteral("/proc/flowcal-keeps-no-settings"); }

signals:
    void changed();
    // Another job is open: the windows show its readings.
    void opened();
    // The job could not be kept: storeProblem() says why.
    void notKept();

private:
    void keepSoon();
    bool mayGiveWay();
    // A new job in place of this one, which is not kept again.
    void startNew(bool nextDispenser);

    std::unique_ptr<JobStore> m_store;
    KeptJob m_kept;
    QTimer m_pending;        // runs while a change waits to be kept
    bool m_changed = false;  // since the job was last kept or opened
    QString m_storeProblem;
};
