#pragma once

#include "flowrate/flow_rate_window.h"
#include "printing/print_dialogs.h"
#include "printing/printer.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

// Opens the main window at start-up and the other windows from its menu, one of
// each at most; a window chosen again comes to the front with its values. Every
// window is modeless and has no owner, so closing the main window leaves the
// others running; the program ends when its last window closes, or at Exit.
// It owns the program's one printer, the system's default printer, on which
// every window prints its report.
class WindowManager : public QObject {
    Q_OBJECT

public:
    using Beep = std::function<void()>;

    explicit WindowManager(Beep beep, QObject* parent = nullptr);
    // printDialogs answer for the user when a report cannot be printed; devices
    // gives each printed document its page device (the system's default printer
    // in the program).
    WindowManager(Beep beep, std::unique_ptr<PrintDialogs> printDialogs, Printer::DeviceSource devices = {},
                  QObject* parent = nullptr);

    FlowRateWindow* start();
    QWidget* open(FlowRateWindow::Opens which);
    // One beep, then every window closes at once and the program ends.
    void exitProgram();

    FlowRateWindow* mainWindow() const { return m_main; }
    QWidget* window(FlowRateWindow::Opens which) const;

private:
    QWidget* create(FlowRateWindow::Opens which);

    Beep m_beep;
    std::unique_ptr<PrintDialogs> m_printDialogs;
    Printer m_printer;
    QPointer<FlowRateWindow> m_main;
    std::array<QPointer<QWidget>, 4> m_windows;
};
