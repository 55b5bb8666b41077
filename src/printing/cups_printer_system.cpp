#include "printing/cups_printer_system.h"

#include <cups/cups.h>

#include <QCoreApplication>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace {

using Answer = PrinterSystem::Answer;
using Kind = Answer::Kind;
using Clock = std::chrono::steady_clock;

constexpr const char* kPrinterStopped = "5";  // IPP printer-state

// One question on its way: shared by the thread that asks and the GUI thread.
struct Question {
    std::atomic<bool> cancelled{false};
    Clock::time_point until;
    bool answered = false;  // on the GUI thread only
    bool expired() const { return Clock::now() >= until; }
    bool givenUp() const { return cancelled || expired(); }
};

// libcups calls this while it waits on the connection; 0 ends the wait.
int keepWaiting(http_t*, void* question) { return !static_cast<Question*>(question)->givenUp(); }

struct Connection {
    http_t* http = nullptr;
    ~Connection()
    {
        if (http)
            httpClose(http);
    }
};

struct FreeDest {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, FreeDest>;
struct FreeInfo {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestInfo = std::unique_ptr<cups_dinfo_t, FreeInfo>;

Answer answer(Kind kind, std::string queue = {}, std::string reason = {})
{
    Answer a;
    a.kind = kind;
    a.queue = std::move(queue);
    a.reason = std::move(reason);
    return a;
}

// What a failed call means: the user's cancel, the bound passed, or the printer
// system's own words.
Answer failure(const Question& question, Kind otherwise, std::string queue = {})
{
    if (question.cancelled)
        return answer(Kind::Cancelled, std::move(queue));
    if (question.expired())
        return answer(Kind::NoAnswer, std::move(queue));
    return answer(otherwise, std::move(queue), cupsLastErrorString());
}

bool connect(Connection& connection, Question& question, Answer& failed)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(question.until - Clock::now()).count();
    connection.http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   int(std::max<long long>(left, 1)), nullptr);
    if (!connection.http) {
        const int error = errno;
        failed = question.givenUp() ? failure(question, Kind::NoAnswer)
                                    : answer(Kind::Unreachable, {}, cupsLastError() != IPP_STATUS_OK
                                                                        ? cupsLastErrorString()
                                                                        : std::strerror(error));
        return false;
    }
    httpSetTimeout(connection.http, 0.25, keepWaiting, &question);
    return true;
}

std::string option(const cups_dest_t* dest, const char* name)
{
    const char* value = cupsGetOption(name, dest->num_options, dest->options);
    return value ? value : "";
}

// CUPS takes a job for a stopped queue and holds it without a word; the reason the
// queue was stopped with is the queue's own.
std::string holdReason(http_t* http, const cups_dest_t* dest)
{
    if (option(dest, "printer-state") != kPrinterStopped)
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 option(dest, "printer-uri-supported").c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(http, request, "/");
    const char* message = ippGetString(ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT), 0, nullptr);
    std::string reason = message && *message ? std::string("it is stopped (") + message + ")" : "it is stopped";
    ippDelete(response);
    return reason;
}

std::optional<QPageLayout> pageLayout(http_t* http, cups_dest_t* dest)
{
    const DestInfo info(cupsCopyDestInfo(http, dest));
    cups_size_t media{};
    if (!info || !cupsGetDestMediaDefault(http, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT, &media))
        return std::nullopt;  // a raw queue knows no paper
    // CUPS measures in hundredths of a millimetre.
    const QPageSize page(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    QMarginsF margins(media.left / 100.0, media.top / 100.0, media.right / 100.0, media.bottom / 100.0);
    if (margins.isNull())
        margins = QMarginsF(6.35, 6.35, 6.35, 6.35);  // a printer that prints to the edge: a quarter inch still
    return QPageLayout(page, QPageLayout::Portrait, margins, QPageLayout::Millimeter);
}

// The queue LPDEST or PRINTER names; empty when neither does.
std::string namedInEnvironment()
{
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        if (const char* name = std::getenv(variable); name && *name)
            return name;
    }
    return {};
}

Answer lookUpNow(const std::string& queue, Question& question)
{
    Connection connection;
    Answer failed;
    if (!connect(connection, question, failed))
        return failed;
    const Dest dest(cupsGetNamedDest(connection.http, queue.empty() ? nullptr : queue.c_str(), nullptr));
    if (!dest) {
        const ipp_status_t status = cupsLastError();
        if (question.givenUp() || (status != IPP_STATUS_ERROR_NOT_FOUND && status != IPP_STATUS_OK))
            return failure(question, Kind::Unreachable);
        const std::string named = queue.empty() ? namedInEnvironment() : queue;
        if (!named.empty())
            return answer(Kind::NoSuchQueue, named);
        cups_dest_t* all = nullptr;
        const int count = cupsGetDests2(connection.http, &all);
        if (question.givenUp())
            return failure(question, Kind::Unreachable);
        Answer none = answer(count > 0 ? Kind::NoDefault : Kind::NoQueues);
        for (int i = 0; i < count; ++i) {
            if (!all[i].instance)
                none.queues.emplace_back(all[i].name);
        }
        cupsFreeDests(count, all);
        return none;
    }
    Answer ready = answer(Kind::Ready, dest->name);
    ready.reason = holdReason(connection.http, dest.get());
    if (!ready.reason.empty())
        ready.kind = Kind::Held;
    ready.layout = pageLayout(connection.http, dest.get());
    if (question.givenUp())
        return failure(question, Kind::Unreachable, dest->name);
    return ready;
}

Answer submitNow(const std::string& queue, const QByteArray& pdf, Question& question)
{
    Connection connection;
    Answer failed;
    if (!connect(connection, question, failed))
        return failed;
    const Dest dest(cupsGetNamedDest(connection.http, queue.c_str(), nullptr));
    if (!dest)
        return failure(question, Kind::Refused, queue);
    const DestInfo info(cupsCopyDestInfo(connection.http, dest.get()));
    const std::string title = QCoreApplication::applicationName().toStdString();
    int job = 0;
    if (question.givenUp())
        return failure(question, Kind::Refused, queue);
    if (cupsCreateDestJob(connection.http, dest.get(), info.get(), &job, title.c_str(), 0, nullptr)
            > IPP_STATUS_OK_CONFLICTING
        || job == 0)
        return failure(question, Kind::Refused, queue);
    if (cupsStartDestDocument(connection.http, dest.get(), info.get(), job, title.c_str(), CUPS_FORMAT_PDF, 0,
                              nullptr, 1) != HTTP_STATUS_CONTINUE
        || cupsWriteRequestData(connection.http, pdf.constData(), std::size_t(pdf.size())) != HTTP_STATUS_CONTINUE
        || cupsFinishDestDocument(connection.http, dest.get(), info.get()) > IPP_STATUS_OK_CONFLICTING
        || question.givenUp()) {
        Answer refused = failure(question, Kind::Refused, queue);
        // A job whose document did not arrive, or that the user has given up on,
        // must not wait in the queue and print later.
        question.until = Clock::now() + std::chrono::seconds(2);
        question.cancelled = false;
        cupsCancelDestJob(connection.http, dest.get(), job);
        return refused;
    }
    Answer sent = answer(Kind::Sent, queue);
    sent.job = job;
    return sent;
}

// Asks on a thread of its own; the answer, the user's cancel or the bound, whichever
// comes first, is handed to answered once, on the GUI thread.
PrinterSystem::Cancel ask(int bound, std::function<Answer(Question&)> question, PrinterSystem::Answered answered)
{
    auto asked = std::make_shared<Question>();
    asked->until = Clock::now() + std::chrono::seconds(bound);
    auto once = std::make_shared<PrinterSystem::Answered>(std::move(answered));
    const auto deliver = [asked, once](const Answer& a) {
        if (asked->answered)
            return;
        asked->answered = true;
        (*once)(a);
    };
    std::thread([asked, question = std::move(question), deliver] {
        const Answer a = question(*asked);
        QMetaObject::invokeMethod(qApp, [deliver, a] { deliver(a); }, Qt::QueuedConnection);
    }).detach();
    // Should the library wait where the connection's bound does not reach.
    QTimer::singleShot(std::chrono::seconds(bound + 1), qApp, [asked, deliver] {
        asked->cancelled = true;
        deliver(answer(Kind::NoAnswer));
    });
    return [asked, deliver] {
        asked->cancelled = true;
        deliver(answer(Kind::Cancelled));
    };
}

} // namespace

PrinterSystem::Cancel CupsPrinterSystem::lookUp(const std::string& queue, Answered answered)
{
    return ask(m_bound, [queue](Question& question) { return lookUpNow(queue, question); }, std::move(answered));
}

PrinterSystem::Cancel CupsPrinterSystem::submit(const std::string& queue, const QByteArray& pdf, Answered answered)
{
    return ask(m_bound, [queue, pdf](Question& question) { return submitNow(queue, pdf, question); },
               std::move(answered));
}

std::string CupsPrinterSystem::server() const
{
    const std::string where = cupsServer();
    return where.empty() || where.front() == '/' ? where : where + ":" + std::to_string(ippPort());
}
