#include "printing/report_window.h"

#include "widgets/design.h"
#include "printing/job_details_dialog.h"
#include "printing/print_dialogs.h"
#include "printing/print_failed.h"
#include "printing/printer.h"
#include "printing/report_page.h"

#include <QMenu>
#include <QPointer>
#include <QShortcut>

ReportWindow::ReportWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QString name,
                           Report report, Printing& printing)
    : SheetWindow(caption, clientWidth, clientHeight, background),
      m_name(std::move(name)),
      m_report(std::move(report)),
      m_printing(printing)
{
    m_waitingNote.setSingleShot(true);
    m_waitingNote.setInterval(1000);
    connect(&m_waitingNote, &QTimer::timeout, this, [this] {
        m_saidWaiting = true;
        showNote(QStringLiteral("Waiting for the printer system... Esc cancels."));
    });
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, [this] {
        // A copy: the answer to the cancel lets go of the window's own.
        if (const PrinterSystem::Cancel cancel = m_cancel)
            cancel();
    });
}

void ReportWindow::addReportCommands(QMenu* file, const QString& printItem)
{
    file->addAction(printItem, this, &ReportWindow::printReport);
    file->addAction(QStringLiteral("Save as P&DF..."), this, &ReportWindow::saveAsPdf);
    file->addAction(QStringLiteral("&Job Details..."), this, &ReportWindow::editJobDetails);
    file->addAction(QStringLiteral("&New Job"), this, &ReportWindow::newJob);
}

void ReportWindow::editJobDetails()
{
    const std::optional<JobDetails> edited = JobDetailsDialog::edit(m_printing.job.details(), this);
    if (!edited)
        return;
    m_printing.job.setDetails(*edited);
    showNote(m_printing.job.keep());
}

void ReportWindow::newJob()
{
    m_printing.job.clear();
    showNote(QStringLiteral("New job: its details are cleared; yours and the tolerance stay."));
}

bool ReportWindow::busy()
{
    if (m_cancel) {
        m_saidWaiting = true;
        showNote(QStringLiteral("Still waiting for the printer system... Esc cancels."));
    }
    return bool(m_cancel);
}

void ReportWindow::ask(const std::function<PrinterSystem::Cancel(PrinterSystem::Answered)>& question,
                       std::function<void(const Answer&)> next)
{
    setCursor(Qt::BusyCursor);
    m_escape->setEnabled(true);
    m_waitingNote.start();
    QPointer<ReportWindow> window(this);
    auto answered = std::make_shared<bool>(false);
    PrinterSystem::Cancel cancel = question([window, answered, next = std::move(next)](const Answer& answer) {
        *answered = true;
        if (!window)
            return;  // closed meanwhile: nobody is waiting for the answer
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

void ReportWindow::printReport()
{
    if (!busy())
        printOn({});
}

// The default queue when queue is empty.
void ReportWindow::printOn(const std::string& queue)
{
    const bool chosen = !queue.empty();
    ask([this, queue](PrinterSystem::Answered answered) { return m_printing.system.lookUp(queue, answered); },
        [this, chosen](const Answer& answer) { lookedUp(answer, chosen); });
}

void ReportWindow::lookedUp(const Answer& answer, bool chosen)
{
    using Kind = Answer::Kind;
    const std::string& server = m_printing.system.server();
    switch (answer.kind) {
    case Kind::Ready:
        break;
    case Kind::Held:
        m_printing.dialogs.tell(printerSystemMessage(answer, server, m_printing.system.bound()));
        return;
    case Kind::Cancelled:
        showNote(printerSystemMessage(answer, server, m_printing.system.bound()));
        return;
    case Kind::NoDefault:
        if (!chosen) {
            QStringList queues;
            for (const std::string& queue : answer.queues)
                queues << qText(queue);
            const PrintDialogs::PrinterChoice choice = m_printing.dialogs.choosePrinter(
                printerSystemMessage(answer, server, m_printing.system.bound()), queues);
                if (choice.kind == PrintDialogs::PrinterChoice::Kind::Printer && !choice.printer.isEmpty())
                printOn(choice.printer.toStdString());
            else if (choice.kind == PrintDialogs::PrinterChoice::Kind::Pdf)
                save(localePageLayout());
            return;
        }
        [[fallthrough]];
    default:
        offerPdf(answer);
        return;
    }
    m_printing.page.layout = answer.layout ? *answer.layout : localePageLayout();
    const ReportJob job = reportJob(m_printing.job.details());
    m_printing.page.info = documentInfo(m_name, job);
    if (const std::optional<PrintFailed> failure = runReport(m_printing.printer, m_report, job)) {
        Answer refused = answer;
        refused.kind = Kind::Refused;
        refused.reason = failure->reason();
        submitted(refused);
        return;
    }
    const QByteArray pdf = m_printing.page.pdf;
    const std::string queue = answer.queue;
    ask([this, queue, pdf](PrinterSystem::Answered answered) { return m_printing.system.submit(queue, pdf, answered); },
        [this](const Answer& sent) { submitted(sent); });
}

void ReportWindow::submitted(const Answer& answer)
{
    using Kind = Answer::Kind;
    if (answer.kind == Kind::Sent) {
        showNote(QStringLiteral("Report sent to %1 as job %2.").arg(qText(answer.queue)).arg(answer.job));
        return;
    }
    const QString message = printerSystemMessage(answer, m_printing.system.server(), m_printing.system.bound());
    if (answer.kind == Kind::Cancelled) {
        showNote(message);
        return;
    }
    showNote({});
    if (answer.kind == Kind::NoAnswer || answer.kind == Kind::Unreachable) {
        offerPdf(answer);
        return;
    }
    m_printing.dialogs.tell(message);
}

// When the printer system cannot be had, the report can still be saved.
void ReportWindow::offerPdf(const Answer& answer)
{
    if (m_printing.dialogs.offerPdf(printerSystemMessage(answer, m_printing.system.server(),
                                                          m_printing.system.bound())))
        save(answer.layout ? *answer.layout : localePageLayout());
}

// The printer's paper when the printer system says it in time, else the locale's.
void ReportWindow::saveAsPdf()
{
    if (busy())
        return;
    ask([this](PrinterSystem::Answered answered) { return m_printing.system.lookUp({}, answered); },
        [this](const Answer& answer) {
                if (answer.kind != Answer::Kind::Cancelled)
                save(answer.layout ? *answer.layout : localePageLayout());
            else
                showNote(QStringLiteral("The report was not saved."));
        });
}

void ReportWindow::save(const QPageLayout& layout)
{
    showNote(saveReportAsPdf(m_printing.printer, m_printing.dialogs, m_name, m_report,
                             reportJob(m_printing.job.details()), layout)
                 .status);
}
