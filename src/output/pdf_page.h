#pragma once

#include "layout/report.h"

#include <QByteArray>
#include <QDateTime>
#include <QPageLayout>
#include <QString>

// What a report's PDF says of itself.
struct DocumentInfo {
    QString title;    // "Flow rate report"
    QString author;   // the technician; may be empty
    QString subject;  // "Flow rate report of dispenser Acme CNG-2 serial no. 4471"
    QDateTime created;
};

// The job's details as printed now, to the minute.
ReportJob reportJob(const JobDetails& details, const QDateTime& at = QDateTime::currentDateTime());
// When the report was printed, to the minute, as its job says.
QDateTime printedAt(const ReportJob& job);

// What a report's PDF says of itself: the report (name "flow-rate-report" read as
// "Flow rate report"), the technician as its author, the dispenser as its subject,
// each detail as a page shows it.
DocumentInfo documentInfo(const QString& name, const ReportJob& job);

// The report's page as a PDF/A-1b document on that paper, the same bytes for the
// printer and for a file: its title, author, subject and creation date are the
// report's and the job's, in the information dictionary and the XMP metadata
// alike. Empty only when the page could not be painted.
QByteArray renderReport(const Report& report, const QString& name, const ReportJob& job, const QPageLayout& paper);
