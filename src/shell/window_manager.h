#pragma once

#include "flowrate/flow_rate_window.h"
#include "printing/job.h"
#include "printing/print_dialogs.h"
#include "printing/printer.h"
#include "printing/printer_system.h"
#include "printing/printing.h"
#include "printing/report_page.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

// Opens the main window at start-up and the other windows from its menu, one of
// each at most; a window chosen again comes to the front with its values. Every
// window is modeless and has no owner, so closing the main window leaves the
// others running; the program ends when its last window closes, or at Exit.
// It owns the program's one printer, on which every window lays out its report,
// and the printer system (CUPS) the pages go to.
class WindowManager : public QObject {
    Q_OBJECT

public:
    using Beep = std::function<void()>;

    explicit WindowManager(Beep beep, QObject* parent = nullptr);
    // printDialogs answer for the user when a report cannot be printed; the pages
    // go to printerSystem (CUPS in the program); devices gives each printed
    // document its page device (a PDF for the printer in the program).
    WindowManager(Beep beep, std::unique_ptr<PrintDialogs> printDialogs, std::unique_ptr<PrinterSystem> printerSystem,
                  Printer::DeviceSource devices = {}, QObject* parent = nullptr);

    FlowRateWindow* start();
    QWidget* open(FlowRateWindow::Opens which);
    // One beep, then every window closes at once and the program ends.
    void exitProgram();

    FlowRateWindow* mainWindow() const { return m_main; }
    Job& job() { return m_job; }
    QWidget* window(FlowRateWindow::Opens which) const;

private:
    QWidget* create(FlowRateWindow::Opens which);

    Beep m_beep;
    std::unique_ptr<PrintDialogs> m_printDialogs;
    std::unique_ptr<PrinterSystem> m_printerSystem;
    PrintedPage m_page;
    Printer m_printer;
    Job m_job;
    QStringList m_unusedSettings;  // named when the main window first shows
    Printing m_printing;
    QPointer<FlowRateWindow> m_main;
    std::array<QPointer<QWidget>, 4> m_windows;
};
