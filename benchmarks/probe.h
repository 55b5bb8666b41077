#pragma once

// Ends a start-up measurement: once the window has been painted and the event
// queue has drained, prints the peak resident memory (kB) and, when the caller
// put the time it started the program in FLOWCAL_PROBE_T0 (microseconds since the
// epoch), the time from then to now; then quits. Timing up to this point rather
// than to the process's end keeps the teardown, which varies widely, out of it.

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace probe {

inline long long microsecondsSince(const QByteArray& start)
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count() - start.toLongLong();
}

inline long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

class PaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, qApp, [] {
                std::printf("peak_rss_kb %ld\n", peakResidentKb());
                if (const QByteArray start = qgetenv("FLOWCAL_PROBE_T0"); !start.isEmpty())
                    std::printf("shown_us %lld\n", microsecondsSince(start));
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

inline int reportWhenShown(QApplication& app, QWidget& window)
{
    PaintWatcher watcher;
    window.installEventFilter(&watcher);
    return app.exec();
}

}  // namespace probe
