// An empty window of the main window's size and nothing else: the floor against
// which flowcal's start-up time and memory are measured. Two informative floors
// besides it:
//   --caption  the window shows one line of text, which is what first loads the font
//              system (fontconfig, FreeType, HarfBuzz);
//   --five     as --caption, plus four more windows of the client sizes of flowcal's
//              other windows, each with one line of text: the pixel buffers and fonts
//              that any program showing those five windows holds.

#include "probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool five = app.arguments().contains(QStringLiteral("--five"));
    const bool caption = five || app.arguments().contains(QStringLiteral("--caption"));
    QWidget window;
    window.resize(321, 366);
    if (caption)
        (new QLabel(QStringLiteral("Vantrel, Inc."), &window))->move(24, 8);
    std::vector<std::unique_ptr<QWidget>> others;
    if (five) {
        // Client areas in twips of the two calibration windows, temperature
        // compensation and About.
        const double pixelsPerTwip = window.logicalDpiX() / 1440.0;
        for (auto [width, height] : {std::pair{7245, 5820}, {7200, 5520}, {4905, 2700}, {5355, 3270}}) {
            auto& other = others.emplace_back(std::make_unique<QWidget>());
            other->resize(qRound(width * pixelsPerTwip), qRound(height * pixelsPerTwip));
            (new QLabel(QStringLiteral("Calibration"), other.get()))->move(24, 8);
            other->show();
        }
    }
    window.show();
    return probe::reportWhenShown(app, window);
}
