#include "shell/app_setup.h"

#include "shell/program.h"
#include "widgets/design.h"

#include "job/job.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStyleFactory>

namespace {

// A folder that is there and can be written, or can be made where it would stand.
bool canHold(const QString& path)
{
    QFileInfo folder(path);
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

}  // namespace

void setUpApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    // The desktop names the windows' program, and shows its icon, by this entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntry));
    // One look on every desktop, so that the designs come out as drawn.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(design::font(8.25, false));
    // The settings, and the history Qt's file dialog keeps with them, go into
    // XDG_CONFIG_HOME when it names a folder that can be written, whatever HOME is;
    // otherwise into the home's. Without either they would be written to "/" or
    // into folders made for them: a folder that can never be made keeps them in
    // memory only.
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString home = qEnvironmentVariable("HOME");
    QString folder;
    if (QDir::isAbsolutePath(configured) && canHold(configured))
        folder = configured;
    else if (home.isEmpty() || !QFileInfo(home).isDir() || !QFileInfo(home).isWritable())
        folder = Job::nowhere();
    if (!folder.isEmpty()) {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, folder);
    }
}
