#pragma once

#include "printing/printer_system.h"

// The printer system through the CUPS library. Each question runs on a thread of
// its own over a connection of its own, whose every wait gives up at the bound or
// when cancelled; the answer is handed back on the GUI thread. Should the library
// wait somewhere the bound does not reach, the answer is "no answer" all the same,
// and a job it takes after that is cancelled.
class CupsPrinterSystem : public PrinterSystem {
public:
    explicit CupsPrinterSystem(int boundSeconds = 5) : m_bound(boundSeconds) {}

    Cancel lookUp(const std::string& queue, Answered answered) override;
    Cancel submit(const std::string& queue, const QByteArray& pdf, Answered answered) override;
    std::string server() const override;
    int bound() const override { return m_bound; }

private:
    int m_bound;
};
