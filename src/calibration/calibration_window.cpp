#include "calibration/calibration_window.h"

#include "printing/print_report.h"

#include <QMenuBar>

CalibrationWindow::CalibrationWindow(int clientWidth, int clientHeight, QColor background, const QString& printItem,
                                     QString pdfName, Report report, Printer& printer, PrintDialogs& printDialogs,
                                     QWidget* parent)
    : SheetWindow(QStringLiteral("Calibration"), clientWidth, clientHeight, background, parent),
      m_pdfName(std::move(pdfName)),
      m_report(std::move(report)),
      m_printer(printer),
      m_printDialogs(printDialogs)
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(printItem, this, &CalibrationWindow::printReport);
    file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
}

void CalibrationWindow::printReport() { ::printReport(m_printer, m_printDialogs, m_pdfName, m_report); }
