#pragma once

#include "output/printer_system.h"

#include <QObject>
#include <QThread>

#include <list>
#include <memory>

// The printer system through the CUPS library. Each question runs on a thread the
// printer system owns, over a connection of its own, whose waits give up when the
// GUI thread gives up on the question (the technician's Esc, or the bound), or a
// second after the bound at the latest; the answer is handed back on the GUI
// thread. A job that may exist when the question is given up on is cancelled while
// it waits to print, and the answer says whether anything may have been printed; a
// page is said to be sent only once the job holds it. Going, the printer system
// lets a page on its way go out and waits for its threads.
class CupsPrinterSystem : public PrinterSystem {
public:
    explicit CupsPrinterSystem(int boundSeconds = 5);
    ~CupsPrinterSystem() override;

    Cancel lookUp(const std::string& queue, Answered answered) override;
    Cancel submit(const std::string& queue, const QString& title, const QByteArray& pdf, Answered answered) override;
    std::string server() const override;
    int bound() const override { return m_bound; }

    struct Question;
    struct Mailbox;

private:
    Cancel ask(std::function<Answer(Question&)> work, Answered answered);

    int m_bound;
    std::shared_ptr<Mailbox> m_mailbox;  // the answers are handed over through it, and not once it is gone
    std::list<std::pair<std::shared_ptr<Question>, std::unique_ptr<QThread>>> m_asked;
};
