#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPageLayout>
#include <QString>

// The page a report is laid out on when the printer does not say which: Letter
// where the system's locale measures in US inches and A4 elsewhere, with margins
// of a laser printer's printable area, a quarter inch.
QPageLayout localePageLayout();

// What a report's PDF says of itself.
struct DocumentInfo {
    QString title;    // "Flow rate report"
    QString author;   // the technician; may be empty
    QString subject;  // "Flow rate report of dispenser Acme CNG-2 serial no. 4471"
    QDateTime created;
};

// A report's page for the printer: painted as a PDF in memory on the printer's
// paper, then handed to the printer system.
struct PrintedPage {
    QPageLayout layout = localePageLayout();
    DocumentInfo info;
    QByteArray pdf;
};
