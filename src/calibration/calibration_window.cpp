#include "calibration/calibration_window.h"

#include "printing/print_report.h"

#include <QMenuBar>

CalibrationWindow::CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report,
                                     Printer& printer, PrintDialogs& printDialogs)
    : SheetWindow(QStringLiteral("Calibration"), frame.clientWidth, frame.clientHeight, frame.background),
      m_sheet(std::move(sheet)),
      m_pdfName(frame.pdfName),
      m_report(std::move(report)),
      m_printer(printer),
      m_printDialogs(printDialogs)
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(frame.printItem, this, &CalibrationWindow::printReport);
    file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
}

void CalibrationWindow::printReport()
{
    ::printReport(m_printer, m_printDialogs, m_pdfName, m_report);
}
