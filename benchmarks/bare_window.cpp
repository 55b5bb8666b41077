// An empty window of the main window's size and nothing else: the floor against
// which flowcal's start-up time and memory are measured.

#include "probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(321, 366);
    window.show();
    return probe::reportWhenShown(app, window);
}
