// flowcal as it starts (the same set-up and main window as main.cpp),
// ending once the main window is painted and idle. With "--all" it opens the four
// other windows first, for the memory of the whole program.

#include "probe.h"
#include "shell/app_setup.h"
#include "shell/window_manager.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    WindowManager windows([] {});
    FlowRateWindow* window = windows.start();
    if (app.arguments().contains(QStringLiteral("--all"))) {
        using Opens = FlowRateWindow::Opens;
        for (auto which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About})
            windows.open(which);
        window->activateWindow();
    }
    return probe::reportWhenShown(app, *window);
}
