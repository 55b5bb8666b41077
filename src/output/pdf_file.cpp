#include "output/pdf_file.h"

#include "output/pdf_page.h"
#include "output/print_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

bool usableFolder(const QString& path)
{
    const QFileInfo folder(path);
    return !path.isEmpty() && folder.isDir() && folder.isWritable();
}

// Why the page could not be written whole: a full disk says so, as Qt's own words
// for it are "Unknown error".
QString writeFailure(const QSaveFile& file, const QString& path, qsizetype size)
{
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < size + 64 * 1024)
        return QStringLiteral("the disk is full");
    QString reason = file.errorString();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}

}  // namespace

QString suggestedPdfPath(const QString& name, const ReportJob& job)
{
    // Only what is safe in a file name on every system stands in it: "AB 12/3" is "AB-12-3".
    QString serial = QString::fromStdString(job.details.items[JobDetails::DispenserSerial]);
    serial.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._]+")), QStringLiteral("-"));
    serial.remove(QRegularExpression(QStringLiteral("^[-.]+|-+$")));
    const QString file = name + (serial.isEmpty() ? QString() : '-' + serial)
                         + printedAt(job).toString(QStringLiteral("-yyyy-MM-dd-HHmm")) + ".pdf";
    const QString home = qEnvironmentVariable("HOME");
    if (!usableFolder(home))
        return QDir::current().filePath(file);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(usableFolder(documents) ? documents : home).filePath(file);
}

QString savePdf(PrintDialogs& dialogs, const QString& suggestedPath, const QByteArray& pdf)
{
    const std::optional<QString> chosen = dialogs.choosePdfFile(suggestedPath);
    if (!chosen)
        return QStringLiteral("The report was not saved.");
    const QFileInfo target(*chosen);
    QString path = *chosen;
    if (target.isSymLink()) {
        // Written through, as editors do: the file that changes is the one it names.
        path = target.canonicalFilePath();
        if (path.isEmpty())
            return QStringLiteral("The report was not saved: \"%1\" is a link to a file that does not exist.")
                .arg(*chosen);
    }
    if (target.exists() && !target.isFile()) {
        return QStringLiteral("The report was not saved: \"%1\" is not a file but a %2. Nothing was written.")
            .arg(*chosen, target.isDir() ? QStringLiteral("folder") : QStringLiteral("device or pipe"));
    }
    if (target.exists() && !dialogs.confirmReplace(path))
        return QStringLiteral("The report was not saved.");
    // A file of that name is replaced only once the whole page is written; a failed
    // write leaves no file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        return QStringLiteral("The report could not be saved as \"%1\": %2.")
            .arg(path, writeFailure(file, path, pdf.size()));
    return QStringLiteral("Report saved as %1.").arg(path);
}
