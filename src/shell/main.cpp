#include "shell/app_setup.h"
#include "shell/window_manager.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    WindowManager windows([] { QApplication::beep(); });
    windows.start();
    return app.exec();
}
