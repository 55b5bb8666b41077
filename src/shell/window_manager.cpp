#include "shell/window_manager.h"

#include "calibration/calibration_window.h"
#include "calibration/calibration_mass_window.h"
#include "calibration/calibration_no_mass_window.h"
#include "widgets/design.h"
#include "calibration/calibration_phases.h"
#include "calibration/jobs_csv.h"
#include "job/jobs_window.h"
#include "job/sqlite_job_store.h"
#include "output/cups_printer_system.h"
#include "output/message_box_print_dialogs.h"
#include "shell/about_window.h"
#include "shell/program_icon.h"
#include "sheet/number_text.h"
#include "tempcomp/temp_comp_window.h"
#include "widgets/fitted_dialog.h"
#include "widgets/history_chart.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <QFontDatabase>
#include <QTimer>

WindowManager::WindowManager(Beep beep, QObject* parent)
    : WindowManager(std::move(beep), std::make_unique<MessageBoxPrintDialogs>(), std::make_unique<CupsPrinterSystem>(),
                    parent)
{
}

WindowManager::WindowManager(Beep beep, std::unique_ptr<PrintDialogs> printDialogs,
                             std::unique_ptr<PrinterSystem> printerSystem, QObject* parent)
    : QObject(parent),
      m_beep(std::move(beep)),
      m_printDialogs(std::move(printDialogs)),
      m_printerSystem(std::move(printerSystem)),
      m_job(std::make_unique<SqliteJobStore>(SqliteJobStore::defaultPath())),
      m_services{*m_printDialogs, *m_printerSystem, m_job}
{
    m_unusedSettings = m_job.load();  // the technician's details and the tolerance of the last run
}

WindowManager::~WindowManager()
{
    for (const QPointer<QWidget>& window : m_windows)
        delete window.data();
    delete m_main.data();
}

FlowRateWindow* WindowManager::start()
{
    m_main = new FlowRateWindow(m_services);
    m_main->setWindowIcon(programIcon());
    connect(m_main, &FlowRateWindow::exitRequested, this, &WindowManager::exitProgram);
    connect(m_main, &FlowRateWindow::openRequested, this, &WindowManager::open);
    connect(m_main, &FlowRateWindow::jobsRequested, this, &WindowManager::showJobs);
    connect(m_main, &FlowRateWindow::exportJobsRequested, this, &WindowManager::exportJobs);
    m_main->show();
    // Once the window is on the screen, so that it shows as soon as it did before
    // jobs were kept, and a screen reader speaks the note too: the open job, and
    // what could not be used.
    QStringList notes = m_unusedSettings;
    if (const QString note = design::missingFaceNote(QFontDatabase::families()); !note.isEmpty())
        notes << note;
    QTimer::singleShot(0, m_main, [this, notes]() mutable {
        const QString problem = m_job.reopen();
        if (!problem.isEmpty())
            notes << problem;
        if (!problem.isEmpty())
            m_main->showLastingNote(notes.join(' '));  // while readings are not being saved
        else if (!notes.isEmpty())
            m_main->showNote(notes.join(' '));
    });
    return m_main;
}

QWidget* WindowManager::create(FlowRateWindow::Opens which)
{
    switch (which) {
    case FlowRateWindow::Opens::MassDisplay: {
        auto* window = newCalibrationMassWindow(m_services);
        window->setWindowIcon(programIcon());
        return window;
    }
    case FlowRateWindow::Opens::NoMassDisplay: return newCalibrationNoMassWindow(m_services);
    case FlowRateWindow::Opens::Temp: return new TempCompWindow;
    case FlowRateWindow::Opens::About: {
        auto* window = new AboutWindow;
        window->setWindowIcon(programIcon());
        return window;
    }
    }
    return nullptr;
}

QWidget* WindowManager::open(FlowRateWindow::Opens which)
{
    QPointer<QWidget>& slot = m_windows.at(static_cast<std::size_t>(which));
    if (!slot) {
        slot = create(which);
        slot->show();
    } else {
        if (slot->isMinimized())
            slot->showNormal();
        slot->raise();
    }
    slot->activateWindow();
    return slot;
}

QWidget* WindowManager::window(FlowRateWindow::Opens which) const
{
    return m_windows.at(static_cast<std::size_t>(which));
}

JobsWindow* WindowManager::jobsWindow()
{
    auto* jobs = new JobsWindow(m_job, jobsCsv, m_main);
    jobs->setAttribute(Qt::WA_DeleteOnClose);
    jobs->printRecord = [this](bool pdf) { printRecord(pdf); };
    jobs->showHistory = [this, jobs](const QString& serial, const std::vector<KeptJob>& listed) {
        showHistory(serial, listed, jobs);
    };
    return jobs;
}

void WindowManager::showJobs() { jobsWindow()->exec(); }

void WindowManager::exportJobs()
{
    JobsWindow* jobs = jobsWindow();
    m_main->showNote(jobs->exportJobs());
    jobs->close();
}

void WindowManager::printRecord(bool pdf)
{
    const bool noMass = m_job.kept().kind == noMassDisplayWorksheet().kind;
    auto* worksheet = qobject_cast<CalibrationWindow*>(
        open(noMass ? FlowRateWindow::Opens::NoMassDisplay : FlowRateWindow::Opens::MassDisplay));
    if (pdf)
        worksheet->saveRecord();
    else
        worksheet->printRecord();
}

void WindowManager::showHistory(const QString& serial, const std::vector<KeptJob>& jobs, QWidget* over)
{
    std::vector<HistoryPoint> points;
    for (const KeptJob& listed : jobs) {
        const std::optional<KeptJob> job = m_job.find(listed.id);
        const std::optional<CalibrationOutcome> outcome = job ? calibrationOutcome(*job) : std::nullopt;
        if (outcome)
            points.push_back({QDate::fromString(qText(outcome->tested), Qt::ISODate), outcome->asFound, outcome->asLeft,
                              outcome->factor, qText(outcome->asFoundText), qText(outcome->asLeftText),
                              qText(outcome->factorText)});
    }
    // The band of the newest job's tolerance.
    const auto limit = [&](const std::string Tolerance::*which) -> std::optional<double> {
        if (jobs.empty() || toleranceFault(jobs.front().details.tolerance) != ToleranceFault::None
            || (jobs.front().details.tolerance.*which).empty())
            return std::nullopt;
        return strictNumber(jobs.front().details.tolerance.*which);
    };
    FittedDialog history(QStringLiteral("History of dispenser %1").arg(serial), over);
    history.body()->addWidget(
        new HistoryChart(std::move(points), limit(&Tolerance::acceptance), limit(&Tolerance::maintenance)));
    history.buttons()->addButton(QDialogButtonBox::Close);
    connect(history.buttons(), &QDialogButtonBox::rejected, &history, &QDialog::reject);
    history.exec();
}

void WindowManager::exitProgram()
{
    m_beep();
    m_job.keepNow();
    for (const QPointer<QWidget>& window : m_windows) {
        if (window)
            window->close();
    }
    if (m_main)
        m_main->close();
    QCoreApplication::quit();
}
