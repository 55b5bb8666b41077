#include "shell/app_setup.h"

#include "shell/program.h"
#include "widgets/design.h"

#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStyleFactory>

void setUpApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    // The desktop names the windows' program, and shows its icon, by this entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntry));
    // One look on every desktop, so that the designs come out as drawn.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(design::font(8.25, false));
    // Qt's file dialog keeps its history in the user's settings. Without a home to
    // keep them in, they would be written to "/" or into folders made for them: a
    // folder that can never be made keeps them in memory only.
    const QFileInfo home(qEnvironmentVariable("HOME"));
    if (qEnvironmentVariable("HOME").isEmpty() || !home.isDir() || !home.isWritable()) {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/proc/flowcal-keeps-no-settings"));
    }
}
