#include "printing/report_window.h"

#include <QMenu>

ReportWindow::ReportWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QString name,
                           Report report, Printer& printer, PrintDialogs& printDialogs)
    : SheetWindow(caption, clientWidth, clientHeight, background),
      m_name(std::move(name)),
      m_report(std::move(report)),
      m_printer(printer),
      m_printDialogs(printDialogs)
{
}

void ReportWindow::addReportCommands(QMenu* file, const QString& printItem)
{
    file->addAction(printItem, this, &ReportWindow::printReport);
    file->addAction(QStringLiteral("Save as P&DF..."), this, &ReportWindow::saveAsPdf);
}

void ReportWindow::printReport()
{
    const ReportOutcome outcome = ::printReport(m_printer, m_printDialogs, m_name, m_report);
    if (!outcome.status.isEmpty())
        showNote(outcome.status);
}

void ReportWindow::saveAsPdf() { showNote(saveReportAsPdf(m_printer, m_printDialogs, m_name, m_report).status); }
