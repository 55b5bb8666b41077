#include "calibration/calibration_window.h"

#include <QMenuBar>

CalibrationWindow::CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report,
                                     Printing& printing)
    : ReportWindow(QStringLiteral("Calibration"), frame.clientWidth, frame.clientHeight, frame.background,
                   frame.reportName, std::move(report), printing),
      m_sheet(std::move(sheet))
{
    setAccessibleName(frame.name);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addReportCommands(file, frame.printItem);
    file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
}
