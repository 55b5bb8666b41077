#include "shell/window_manager.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("flowcal"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // One look on every desktop, so that the designs come out as drawn.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    WindowManager windows([] { QApplication::beep(); });
    windows.start();
    return app.exec();
}
