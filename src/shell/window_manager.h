#pragma once

#include "flowrate/rate_window.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

// Opens the main window at start-up and the other windows from its menu, one of
// each at most; a window chosen again comes to the front with its values. Every
// window is modeless and has no owner, so closing the main window leaves the
// others running; the program ends when its last window closes, or at Exit.
class WindowManager : public QObject {
    Q_OBJECT

public:
    using Beep = std::function<void()>;

    explicit WindowManager(Beep beep, QObject* parent = nullptr);

    RateWindow* start();
    QWidget* open(RateWindow::Opens which);
    // One beep, then every window closes at once and the program ends.
    void exitProgram();

    RateWindow* mainWindow() const { return m_rate; }
    QWidget* window(RateWindow::Opens which) const;

private:
    QWidget* create(RateWindow::Opens which) const;

    Beep m_beep;
    QPointer<RateWindow> m_rate;
    std::array<QPointer<QWidget>, 4> m_windows;
};
