#pragma once

#include "layout/report.h"

#include <QByteArray>
#include <QString>

class PrintDialogs;

// Saves a report's page as a PDF file the user chooses, the suggested one first,
// and says on one line what became of it ("Report saved as /home/x/a.pdf."). Only
// a regular file is written (through a symbolic link to one, the user asked about
// the file it names); a cancel, a target that is no document, a folder that cannot
// be written or a full disk writes nothing and says so.
QString savePdf(PrintDialogs& dialogs, const QString& suggestedPath, const QByteArray& pdf);

// The file suggested for a report printed for the job, in the documents folder,
// or in the current folder when there is no usable home:
// "<name>-<dispenser serial>-<yyyy-MM-dd-HHmm>.pdf", without the serial when the
// job names none, so that two dispensers tested on one day never share a name.
QString suggestedPdfPath(const QString& name, const ReportJob& job);
