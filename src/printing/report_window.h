#pragma once

#include "fields/sheet_window.h"
#include "printing/print_report.h"

class PrintDialogs;
class QMenu;

// A calculating window whose File menu prints its report, or saves it as a PDF
// file, on the program's one printer. Where the report went shows on the status
// line.
class ReportWindow : public SheetWindow {
    Q_OBJECT

protected:
    // name: the report's name in the PDF file name suggested ("flow-rate-report").
    ReportWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QString name,
                 Report report, Printer& printer, PrintDialogs& printDialogs);

    // The print command, with the menu text given, and "Save as PDF..." after it.
    void addReportCommands(QMenu* file, const QString& printItem);

private slots:
    void printReport();
    void saveAsPdf();

private:
    QString m_name;
    Report m_report;
    Printer& m_printer;
    PrintDialogs& m_printDialogs;
};
