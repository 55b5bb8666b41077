// An empty window of the main window's size and nothing else: the floor against
// which flowcal's start-up time and memory are measured. With "--caption" it shows
// one line of text as well, which is what first loads the font system: a second,
// informative floor.

#include "probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(321, 366);
    if (app.arguments().contains(QStringLiteral("--caption")))
        (new QLabel(QStringLiteral("Vantrel, Inc."), &window))->move(24, 8);
    window.show();
    return probe::reportWhenShown(app, window);
}
