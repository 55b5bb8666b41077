#include "output/report_window.h"

#include "job/job_details_dialog.h"
#include "output/paper.h"
#include "output/pdf_file.h"
#include "output/pdf_page.h"
#include "output/print_dialogs.h"
#include "widgets/design.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QShortcut>

namespace {

// Notes that a key was pressed or a mouse button clicked anywhere in the program.
class TypingWatch : public QObject {
public:
    TypingWatch(bool& typed, QObject* parent) : QObject(parent), m_typed(typed) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
            m_typed = true;
        return false;
    }

private:
    bool& m_typed;
};

}  // namespace

ReportWindow::ReportWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QString name,
                           Report report, ReportServices& services)
    : SheetWindow(caption, clientWidth, clientHeight, background),
      m_caption(caption),
      m_name(std::move(name)),
      m_report(std::move(report)),
      m_services(services),
      m_paper(localePageLayout())
{
    m_waitingNote.setSingleShot(true);
    m_waitingNote.setInterval(1000);
    connect(&m_waitingNote, &QTimer::timeout, this, [this] {
        m_saidWaiting = true;
        m_late = true;
        showNote(QStringLiteral("Waiting for the printer system... Esc cancels."));
    });
    m_typing = new TypingWatch(m_typedAhead, this);
    connect(&m_services.job, &Job::opened, this, &ReportWindow::showJobReadings);
    // Which job is open stands in the title; a screen reader hears it with the window.
    setAccessibleName(caption);
    connect(&m_services.job, &Job::changed, this, &ReportWindow::nameWindow);
    // A new tolerance judges the results anew: the list of jobs shows that verdict.
    connect(&m_services.job, &Job::changed, this, [this] {
        if (m_fresh && !m_retyping && !m_services.job.readings(readingsName()).empty())
            m_services.job.setReadings(readingsName(), readings(), summary());
    });
    nameWindow();
    connect(&m_services.job, &Job::notKept, this, [this] { showLastingNote(m_services.job.storeProblem()); });
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, [this] {
        // A copy: the answer to the cancel lets go of the window's own.
        if (const PrinterSystem::Cancel cancel = m_cancel)
            cancel();
    });
}

void ReportWindow::nameWindow()
{
    const JobDetails& details = m_services.job.details();
    QStringList named;
    for (auto item : {JobDetails::DispenserSerial, JobDetails::Site, JobDetails::Customer})
        named << qText(shownPlainly(details.items[item]));
    named.removeAll(QString());
    const QString job = named.mid(0, 2).join(QStringLiteral(", "));
    QStringList title{m_caption, m_phase, job};
    title.removeAll(QString());
    setWindowTitle(title.join(QStringLiteral(" - ")));
    QStringList description{m_phase.isEmpty() ? QString() : m_phase + '.',
                            job.isEmpty() ? QString() : QStringLiteral("Job ") + job};
    description.removeAll(QString());
    setAccessibleDescription(description.join(' '));
}

void ReportWindow::setPhaseName(const QString& phase)
{
    m_phase = phase;
    nameWindow();
}

void ReportWindow::addReportCommands(QMenu* file, const QString& printItem)
{
    file->addAction(printItem, this, &ReportWindow::printReport);
    file->addAction(QStringLiteral("Save as P&DF..."), this, &ReportWindow::saveAsPdf);
    file->addAction(QStringLiteral("&Job Details..."), this, &ReportWindow::editJobDetails);
    file->addAction(QStringLiteral("&New Job"), this, &ReportWindow::newJob);
}

KeptJob ReportWindow::summary() const { return {}; }

JobDetails ReportWindow::printedDetails() const { return m_services.job.details(); }

// A window whose readings are still those it opens with gives the job none.
void ReportWindow::sheetEventDone()
{
    const std::string window = readingsName();
    const std::map<std::string, std::string> typed = readings();
    if (!m_retyping && m_fresh && (typed != *m_fresh || !m_services.job.readings(window).empty()))
        m_services.job.setReadings(window, typed, summary());
}

void ReportWindow::readingSettled() { m_services.job.keepNow(); }

void ReportWindow::showEvent(QShowEvent* event)
{
    if (!m_fresh) {
        m_fresh = readings();
        followJob();
        if (!m_services.job.readings(readingsName()).empty())
            showJobReadings();
        if (const QString problem = m_services.job.storeProblem(); !problem.isEmpty())
            showLastingNote(problem);  // its readings are not being saved either
    }
    SheetWindow::showEvent(event);
}

void ReportWindow::showJobReadings()
{
    if (!m_fresh)
        return;  // not shown yet: it shows them as it first shows
    followJob();
    const std::map<std::string, std::string>& kept = m_services.job.readings(readingsName());
    if (kept.empty() && readings() == *m_fresh)
        return;  // as the window opened
    m_retyping = true;
    retype(kept.empty() ? *m_fresh : kept, kept.empty());
    m_retyping = false;
}

void ReportWindow::closeEvent(QCloseEvent* event)
{
    m_services.job.keepNow();
    SheetWindow::closeEvent(event);
}

void ReportWindow::editJobDetails()
{
    const std::optional<JobDetails> edited = JobDetailsDialog::edit(m_services.job.details(), this);
    if (!edited)
        return;
    const JobDetails before = m_services.job.details();
    m_services.job.setDetails(*edited);
    // The settings keep the technician's own as typed here, not as an opened job recorded them.
    bool techniciansChanged = edited->tolerance != before.tolerance;
    for (int item = 0; item < JobDetails::kItems; ++item)
        techniciansChanged =
            techniciansChanged
            || (JobDetails::about(JobDetails::Item(item)).technicians() && edited->items[item] != before.items[item]);
    if (techniciansChanged)
        showNote(m_services.job.keep());
}

void ReportWindow::newJob()
{
    if (!m_services.job.clear()) {
        showLastingNote(m_services.job.storeProblem()
                        + QStringLiteral(" The job stays open until its last changes can be kept."));
        return;
    }
    showNote(QStringLiteral("New job: its details and every window's readings are cleared; yours and the tolerance "
                            "stay."));
}

bool ReportWindow::busy()
{
    if (m_cancel) {
        m_saidWaiting = true;
        showNote(QStringLiteral("Still waiting for the printer system... Esc cancels."));
    }
    return bool(m_cancel);
}

bool ReportWindow::mayAsk() const { return !m_typedAhead && !m_late && QApplication::activeWindow() == window(); }

void ReportWindow::ask(const std::function<PrinterSystem::Cancel(PrinterSystem::Answered)>& question,
                       std::function<void(const Answer&)> next)
{
    setCursor(Qt::BusyCursor);
    m_escape->setEnabled(true);
    m_waitingNote.start();
    qApp->installEventFilter(m_typing);  // whatever is typed or clicked meanwhile, in any window
    QPointer<ReportWindow> window(this);
    auto answered = std::make_shared<bool>(false);
    PrinterSystem::Cancel cancel = question([window, answered, next = std::move(next)](const Answer& answer) {
        *answered = true;
        if (!window || !window->isVisible())
            return;  // closed meanwhile: nobody is waiting for the answer
        qApp->removeEventFilter(window->m_typing);
        window->m_cancel = nullptr;
        window->m_waitingNote.stop();
        window->m_escape->setEnabled(false);
        window->unsetCursor();
        if (window->m_saidWaiting) {
            window->m_saidWaiting = false;
            window->showNote({});
        }
        next(answer);
    });
    if (!*answered)
        m_cancel = std::move(cancel);
}

QString ReportWindow::printerSystemSays(const Answer& answer) const
{
    return printerSystemMessage(answer, m_services.system.server(), m_services.system.bound());
}

void ReportWindow::printReport() { printPage(m_report, m_name); }

void ReportWindow::printPage(Report page, const QString& name)
{
    if (busy())
        return;
    takeCommand(std::move(page), name);
    printOn({});
}

// The default queue when queue is empty.
void ReportWindow::printOn(const std::string& queue)
{
    const bool chosen = !queue.empty();
    ask([this, queue](PrinterSystem::Answered answered) { return m_services.system.lookUp(queue, answered); },
        [this, chosen](const Answer& answer) { lookedUp(answer, chosen); });
}

void ReportWindow::lookedUp(const Answer& answer, bool chosen)
{
    using Kind = Answer::Kind;
    switch (answer.kind) {
    case Kind::Ready: break;
    case Kind::Held: tell(printerSystemSays(answer)); return;
    case Kind::Cancelled: showNote(printerSystemSays(answer)); return;
    case Kind::NoDefault:
        if (!chosen && !mayAsk()) {
            showOutcome(QStringLiteral("No printer is set as the default. Print again to choose one, or save the "
                                       "report as a PDF file."));
            return;
        }
        if (!chosen) {
            QStringList queues;
            for (const std::string& queue : answer.queues)
                queues << qText(queue);
            const PrintDialogs::PrinterChoice choice =
                m_services.dialogs.choosePrinter(printerSystemSays(answer), queues);
            m_typedAhead = false;  // the choice is the technician's answer
            m_late = false;
            if (choice.kind == PrintDialogs::PrinterChoice::Kind::Printer && !choice.printer.isEmpty())
                printOn(choice.printer.toStdString());
            else if (choice.kind == PrintDialogs::PrinterChoice::Kind::Pdf)
                save(localePageLayout());
            return;
        }
        [[fallthrough]];
    default: offerPdf(answer); return;
    }
    const ReportJob& job = m_command->job;
    const QByteArray page = pageOn(answer.layout ? *answer.layout : localePageLayout());
    if (page.isEmpty()) {
        showNote(QStringLiteral("The report could not be printed: its page could not be made. Nothing was printed."));
        return;
    }
    const std::string queue = answer.queue;
    const QString title = QFileInfo(suggestedPdfPath(m_command->name, job)).completeBaseName();
    ask([this, queue, title,
         page](PrinterSystem::Answered answered) { return m_services.system.submit(queue, title, page, answered); },
        [this](const Answer& sent) { submitted(sent); });
}

void ReportWindow::submitted(const Answer& answer)
{
    using Kind = Answer::Kind;
    switch (answer.kind) {
    case Kind::Sent:
        showOutcome(QStringLiteral("Report sent to %1 as job %2.").arg(qText(answer.queue)).arg(answer.job));
        return;
    case Kind::Cancelled:
    case Kind::MayHaveGone: showOutcome(printerSystemSays(answer)); return;
    case Kind::NoAnswer:
    case Kind::Unreachable:
    case Kind::Dropped:
        showNote({});
        offerPdf(answer);
        return;
    default: showNote({}); tell(printerSystemSays(answer));
    }
}

void ReportWindow::tell(const QString& message)
{
    if (mayAsk())
        m_services.dialogs.tell(message);
    else
        showOutcome(QString(message).replace('\n', ' '));
}

void ReportWindow::showOutcome(const QString& note)
{
    if (m_typedAhead)
        showLastingNote(note);
    else
        showNote(note);
}

// When the printer system cannot be had, the report can still be saved.
void ReportWindow::offerPdf(const Answer& answer)
{
    const QString message = printerSystemSays(answer);
    if (!mayAsk())
        showOutcome(message + QStringLiteral(" Save as PDF in the File menu saves the report instead."));
    else if (m_services.dialogs.offerPdf(message))
        save(answer.layout ? *answer.layout : localePageLayout());
}

void ReportWindow::saveAsPdf() { savePageAsPdf(m_report, m_name); }

// The printer's paper when the printer system says it in time, else the locale's.
void ReportWindow::savePageAsPdf(Report page, const QString& name)
{
    if (busy())
        return;
    takeCommand(std::move(page), name);
    ask([this](PrinterSystem::Answered answered) { return m_services.system.lookUp({}, answered); },
        [this](const Answer& answer) {
            if (answer.kind == Answer::Kind::Cancelled)
                showNote(QStringLiteral("The report was not saved."));
            else if (!mayAsk())
                showOutcome(QStringLiteral("The report was not saved: the window was in use when the printer system "
                                           "answered. Save as PDF again saves it."));
            else
                save(answer.layout ? *answer.layout : localePageLayout());
        });
}

void ReportWindow::save(const QPageLayout& paper)
{
    const QByteArray page = pageOn(paper);
    if (page.isEmpty())
        showNote(QStringLiteral("The report was not saved: its page could not be made."));
    else
        showNote(savePdf(m_services.dialogs, suggestedPdfPath(m_command->name, m_command->job), page));
}

void ReportWindow::takeCommand(Report page, const QString& name)
{
    m_typedAhead = false;
    m_late = false;
    const JobDetails& details = m_services.job.details();
    const ReportJob job = reportJob(printedDetails());
    QByteArray laidOut = renderReport(page, name, job, m_paper);
    m_command = Command{std::move(page), name, readings(), details, job, m_paper, std::move(laidOut)};
}

QByteArray ReportWindow::pageOn(const QPageLayout& paper)
{
    m_paper = paper;
    if (paper.isEquivalentTo(m_command->paper) || readings() != m_command->readings
        || !(m_services.job.details() == m_command->details))
        return m_command->laidOut;
    return renderReport(m_command->page, m_command->name, m_command->job, paper);
}
