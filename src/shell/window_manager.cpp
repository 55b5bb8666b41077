#include "shell/window_manager.h"

#include "calibration_mass/cal2_window.h"
#include "calibration_nomass/cal_no_mas_window.h"
#include "printing/message_box_print_dialogs.h"
#include "printing/system_printer_device.h"
#include "shell/about_window.h"
#include "shell/program_icon.h"
#include "tempcomp/tcomp_window.h"

#include <QCoreApplication>

WindowManager::WindowManager(Beep beep, QObject* parent)
    : WindowManager(std::move(beep), std::make_unique<MessageBoxPrintDialogs>(), {}, parent)
{
}

WindowManager::WindowManager(Beep beep, std::unique_ptr<PrintDialogs> printDialogs, Printer::DeviceSource devices,
                             QObject* parent)
    : QObject(parent),
      m_beep(std::move(beep)),
      m_printDialogs(std::move(printDialogs)),
      m_printer(devices ? std::move(devices) : Printer::DeviceSource(&SystemPrinterDevice::create))
{
}

RateWindow* WindowManager::start()
{
    m_rate = new RateWindow(m_printer, *m_printDialogs);
    m_rate->setWindowIcon(programIcon());
    connect(m_rate, &RateWindow::exitRequested, this, &WindowManager::exitProgram);
    connect(m_rate, &RateWindow::openRequested, this, &WindowManager::open);
    m_rate->show();
    return m_rate;
}

QWidget* WindowManager::create(RateWindow::Opens which)
{
    switch (which) {
    case RateWindow::Opens::MassDisplay: {
        auto* window = new Cal2Window(m_printer, *m_printDialogs);
        window->setWindowIcon(programIcon());
        return window;
    }
    case RateWindow::Opens::NoMassDisplay:
        return new CalNoMasWindow(m_printer, *m_printDialogs);
    case RateWindow::Opens::Temp:
        return new TcompWindow;
    case RateWindow::Opens::About: {
        auto* window = new AboutWindow;
        window->setWindowIcon(programIcon());
        return window;
    }
    }
    return nullptr;
}

QWidget* WindowManager::open(RateWindow::Opens which)
{
    QPointer<QWidget>& slot = m_windows.at(static_cast<std::size_t>(which));
    if (!slot) {
        slot = create(which);
        slot->show();
    } else {
        if (slot->isMinimized())
            slot->showNormal();
        slot->raise();
    }
    slot->activateWindow();
    return slot;
}

QWidget* WindowManager::window(RateWindow::Opens which) const
{
    return m_windows.at(static_cast<std::size_t>(which));
}

void WindowManager::exitProgram()
{
    m_beep();
    for (const QPointer<QWidget>& window : m_windows) {
        if (window)
            window->close();
    }
    if (m_rate)
        m_rate->close();
    QCoreApplication::quit();
}
