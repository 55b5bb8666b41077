#include "output/cups_printer_system.h"

#include <cups/cups.h>

#include <QMarginsF>
#include <QPageSize>
#include <QPointer>
#include <QRandomGenerator>
#include <QSizeF>
#include <QDeadlineTimer>
#include <QTimer>

#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

using Answer = PrinterSystem::Answer;
using Kind = Answer::Kind;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kPrinterStopped = "5";  // IPP printer-state
// How long the printer system is given to cancel a job once the question is given up on.
constexpr auto kCleanUp = std::chrono::seconds(2);

// How far a submission got: from JobAsked on, a job may exist.
enum Stage { NothingSent, JobAsked, DocumentStarted };
// Who gave up on a question, on the GUI thread.
enum GivenUp { Not, ByUser, ByBound, Closing };

}  // namespace

// One question on its way: shared by the thread that asks and the GUI thread.
struct CupsPrinterSystem::Question {
    std::atomic<int> givenUp{Not};        // written on the GUI thread only
    std::atomic<int> stage{NothingSent};  // written on the asking thread only
    // Where the library's waits end should the GUI thread's word come late: a
    // second after the bound, at which the GUI thread gives up.
    Clock::time_point until;
    bool answered = false;  // on the GUI thread only
    bool stopped() const { return givenUp != Not; }
    // Nothing can have been printed: the answer, as the one who gave up hears it.
    Answer nothingPrinted() const
    {
        Answer a;
        a.kind = givenUp == ByUser ? Kind::Cancelled : Kind::NoAnswer;
        return a;
    }
    Answer mayHaveGone() const
    {
        Answer a;
        a.kind = Kind::MayHaveGone;
        a.cancelled = givenUp == ByUser;
        return a;
    }
};

namespace {

using Question = CupsPrinterSystem::Question;

// One wait of the library's: until the deadline, or until the question, if any,
// is given up on.
struct Wait {
    const Question* question;
    Clock::time_point until;
};

// libcups calls this while it waits on the connection; 0 ends the wait.
int keepWaiting(http_t*, void* data)
{
    const auto* wait = static_cast<const Wait*>(data);
    return Clock::now() < wait->until && !(wait->question && wait->question->givenUp != Not);
}

struct Connection {
    http_t* http = nullptr;
    Wait wait;
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

// What a failed call means before any job was asked for: the user's cancel, the
// bound passed, or the printer system's own words.
Answer failure(const Question& question, Kind otherwise, std::string queue = {})
{
    if (question.stopped())
        return question.nothingPrinted();
    return answer(otherwise, std::move(queue), cupsLastErrorString());
}

// Why nothing answers at the printer system's address. The library's own word
// for a refused connection is "Host is down"; a connection of our own says what
// it was.
std::string whyUnreachable()
{
    const int error = errno;
    const std::string host = cupsServer();
    if (host.empty() || host.front() == '/')
        return cupsLastError() != IPP_STATUS_OK ? cupsLastErrorString() : std::strerror(error);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(ippPort()).c_str(), &hints, &found) != 0)
        return "its name " + host + " is not known";
    bool refused = false;
    for (addrinfo* address = found; address && !refused; address = address->ai_next) {
        const int s = socket(address->ai_family, address->ai_socktype, address->ai_protocol);
        if (s < 0)
            continue;
        const timeval bound{1, 0};  // connect() gives up then
        setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &bound, sizeof bound);
        refused = connect(s, address->ai_addr, address->ai_addrlen) != 0 && errno == ECONNREFUSED;
        close(s);
    }
    freeaddrinfo(found);
    if (refused)
        return "nothing answers at that address (the connection was refused): the printer system is not running there";
    return cupsLastErrorString();
}

bool connect(Connection& connection, const Question& question, Answer& failed)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(connection.wait.until - Clock::now()).count();
    connection.http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   int(std::max<long long>(left, 1)), nullptr);
    if (!connection.http) {
        failed = question.stopped() ? question.nothingPrinted() : answer(Kind::Unreachable, {}, whyUnreachable());
        return false;
    }
    httpSetTimeout(connection.http, 0.25, keepWaiting, &connection.wait);
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
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state-message");
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

// The queue LPDEST or PRINTER names, or else the default of the user's lpoptions
// or the system's, with the file that names it; empty when none does.
std::pair<std::string, std::string> namedDefault(const std::string& home)
{
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        if (const char* name = std::getenv(variable); name && *name)
            return {name, {}};
    }
    const char* root = std::getenv("CUPS_SERVERROOT");
    for (const std::string& path : {home.empty() ? std::string() : home + "/.cups/lpoptions",
                                    std::string(root && *root ? root : "/etc/cups") + "/lpoptions"}) {
        std::ifstream file(path);
        for (std::string line; std::getline(file, line);) {
            std::istringstream words(line);
            std::string word, name;
            if (words >> word >> name && (word == "Default" || word == "default"))
                return {name.substr(0, name.find('/')), path};
        }
    }
    return {};
}

// Whether the printer system answers at all, asked within the bound: the
// library's own look-up of a queue, should its first question go unanswered,
// asks again over connections of its own that wait a minute each.
bool answers(http_t* http, const Question& question, Answer& failed)
{
    ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    ippDelete(response);
    if (response && !question.stopped())
        return true;
    failed = question.stopped() ? question.nothingPrinted() : answer(Kind::Unreachable, {}, cupsLastErrorString());
    return false;
}

Answer lookUpNow(const std::string& queue, const std::string& home, Question& question)
{
    Connection connection{nullptr, {&question, question.until}};
    Answer failed;
    if (!connect(connection, question, failed) || !answers(connection.http, question, failed))
        return failed;
    const Dest dest(cupsGetNamedDest(connection.http, queue.empty() ? nullptr : queue.c_str(), nullptr));
    if (!dest) {
        const ipp_status_t status = cupsLastError();
        if (question.stopped() || (status != IPP_STATUS_ERROR_NOT_FOUND && status != IPP_STATUS_OK))
            return failure(question, Kind::Unreachable);
        const auto [named, namedIn] = queue.empty() ? namedDefault(home) : std::pair(queue, std::string());
        if (!named.empty()) {
            Answer missing = answer(Kind::NoSuchQueue, named);
            missing.namedIn = namedIn;
            return missing;
        }
        cups_dest_t* all = nullptr;
        const int count = cupsGetDests2(connection.http, &all);
        if (question.stopped())
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
    if (question.stopped())
        return failure(question, Kind::Unreachable, dest->name);
    return ready;
}

// What the printer system holds of a job: whether it has the whole document, and
// whether it has begun to print it. Not known when it cannot be asked.
struct JobState {
    bool known = false;
    bool holdsDocument = false;
    bool printing = false;  // processing or done: too late to take back
    bool began = false;     // it was processing once, even if cancelled since
};

JobState jobState(http_t* http, const cups_dest_t* dest, int job)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 option(dest, "printer-uri-supported").c_str());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    const char* wanted[] = {"job-state", "job-state-reasons", "number-of-documents", "time-at-processing"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    ipp_t* response = cupsDoRequest(http, request, "/jobs/");
    JobState state;
    ipp_attribute_t* stateAttribute = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
    if (stateAttribute && cupsLastError() <= IPP_STATUS_OK_CONFLICTING) {
        state.known = true;
        const int jobState = ippGetInteger(stateAttribute, 0);
        state.printing = jobState >= IPP_JSTATE_PROCESSING && jobState != IPP_JSTATE_CANCELED;
        state.began = ippGetInteger(ippFindAttribute(response, "time-at-processing", IPP_TAG_INTEGER), 0) > 0;
        if (ipp_attribute_t* documents = ippFindAttribute(response, "number-of-documents", IPP_TAG_INTEGER))
            state.holdsDocument = ippGetInteger(documents, 0) > 0;
        else  // a printer system that does not count documents says when one is still to come
            state.holdsDocument =
                !ippContainsString(ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD), "job-incoming");
        // A job printing or printed held its document, whatever it says of it now.
        state.holdsDocument = state.holdsDocument || state.printing || state.began;
    }
    ippDelete(response);
    return state;
}

// The job of ours named title that the printer system has not finished, found when
// the answer that would have numbered it was cut off; 0 when there is none.
int jobNamed(http_t* http, const cups_dest_t* dest, const std::string& title)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(http, &jobs, dest->name, 1, CUPS_WHICHJOBS_ACTIVE);
    int found = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].title && title == jobs[i].title)
            found = jobs[i].id;
    }
    cupsFreeJobs(count, jobs);
    return found;
}

// Whether the connection broke, rather than the printer system answering no.
bool cutOff(http_t* http)
{
    return httpGetStatus(http) == HTTP_STATUS_ERROR || cupsLastError() == IPP_STATUS_ERROR_INTERNAL;
}

// Takes back the job (found by its title when its number was cut off) over a
// connection of its own, while it waits to print: true when nothing of it will
// print, because it was cancelled in time or there is none; false when it may
// print or may have printed.
bool takenBack(const cups_dest_t* dest, int job, const std::string& title)
{
    Connection connection{nullptr, {nullptr, Clock::now() + kCleanUp}};
    Question unasked;
    Answer failed;
    if (!connect(connection, unasked, failed))
        return false;
    if (job == 0)
        job = jobNamed(connection.http, dest, title);
    if (job == 0)
        return true;  // none was made, or it is done: without its document it printed nothing
    const JobState state = jobState(connection.http, dest, job);
    if (!state.known || state.printing
        || cupsCancelDestJob(connection.http, const_cast<cups_dest_t*>(dest), job) > IPP_STATUS_OK_CONFLICTING)
        return false;
    // Cancelled; but had it begun to print in the meantime, part of it may be out.
    const JobState after = jobState(connection.http, dest, job);
    return after.known && !after.began;
}

// The question was given up on, or its bound passed, once a job may exist: the
// job is taken back, and the answer says whether anything may have been printed.
// A job without its document prints nothing whether or not it is taken back.
Answer givenUp(const Question& question, const cups_dest_t* dest, int job, const std::string& title)
{
    const bool documentStarted = question.stage == DocumentStarted;
    return takenBack(dest, job, title) || !documentStarted ? question.nothingPrinted() : question.mayHaveGone();
}

Answer submitNow(const std::string& queue, const std::string& title, const QByteArray& pdf, Question& question)
{
    Connection connection{nullptr, {&question, question.until}};
    Answer failed;
    if (!connect(connection, question, failed) || !answers(connection.http, question, failed))
        return failed;
    const Dest dest(cupsGetNamedDest(connection.http, queue.c_str(), nullptr));
    if (!dest)
        return failure(question, Kind::Refused, queue);
    const DestInfo info(cupsCopyDestInfo(connection.http, dest.get()));
    // From here on a job may exist. The GUI thread, giving up, looks at the stage:
    // either it sees this one, or this thread sees that it gave up.
    question.stage = JobAsked;
    if (question.stopped())
        return question.nothingPrinted();
    int job = 0;
    if (cupsCreateDestJob(connection.http, dest.get(), info.get(), &job, title.c_str(), 0, nullptr)
            > IPP_STATUS_OK_CONFLICTING
        || job == 0) {
        if (question.stopped())
            return givenUp(question, dest.get(), job, title);
        if (!cutOff(connection.http))
            return answer(Kind::Refused, queue, cupsLastErrorString());
        // The job may have been made all the same, and would wait for its document.
        takenBack(dest.get(), job, title);
        return answer(Kind::Dropped, queue, "the connection broke while the job was being made");
    }
    question.stage = DocumentStarted;
    const bool answeredWhole =
        !question.stopped()
        && cupsStartDestDocument(connection.http, dest.get(), info.get(), job, title.c_str(), CUPS_FORMAT_PDF, 0,
                                 nullptr, 1)
               == HTTP_STATUS_CONTINUE
        && cupsWriteRequestData(connection.http, pdf.constData(), std::size_t(pdf.size())) == HTTP_STATUS_CONTINUE
        && cupsFinishDestDocument(connection.http, dest.get(), info.get()) <= IPP_STATUS_OK_CONFLICTING
        && !cutOff(connection.http);
    const std::string refusal = cupsLastErrorString();
    // A refusal is the printer system's own answer; a failed write leaves the status
    // of the request before, often a success.
    const bool refusedByServer = !answeredWhole && !cutOff(connection.http)
                                 && cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST;
    if (question.stopped())
        return givenUp(question, dest.get(), job, title);
    // An answer cut off in the middle of the document may read as if the document
    // were whole: the job itself says whether it holds it.
    Connection asking{nullptr, {&question, question.until}};
    const JobState state = connect(asking, question, failed) ? jobState(asking.http, dest.get(), job) : JobState{};
    if (question.stopped())
        return givenUp(question, dest.get(), job, title);
    if (!state.known) {
        Answer unknown = question.mayHaveGone();
        unknown.queue = queue;
        unknown.reason = "it could not be asked whether it holds the report";
        return unknown;
    }
    if (state.holdsDocument) {
        Answer sent = answer(Kind::Sent, queue);
        sent.job = job;
        return sent;
    }
    // A job without its document must not wait in the queue and print later.
    cupsCancelDestJob(asking.http, dest.get(), job);
    if (refusedByServer)
        return answer(Kind::Refused, queue, refusal);
    return answer(Kind::Dropped, queue, "the connection broke while the report was being sent");
}

}  // namespace

// What the asking threads hand their answers through: it goes once the printer
// system and every thread that may still answer are done with it.
struct CupsPrinterSystem::Mailbox {
    // Lives on the GUI thread; the answers posted to it and its timers go with it.
    QObject* post = new QObject;
    bool open = true;  // on the GUI thread only
    ~Mailbox()
    {
        if (post)
            post->deleteLater();  // the last hold may be an asking thread's
    }
    // Runs f on the GUI thread after that time, unless the mailbox goes first.
    void later(std::chrono::milliseconds in, std::function<void()> f) const
    {
        auto* timer = new QTimer(post);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, f = std::move(f)] {
            timer->deleteLater();
            f();
        });
        timer->start(in);
    }
};

CupsPrinterSystem::CupsPrinterSystem(int boundSeconds) : m_bound(boundSeconds), m_mailbox(std::make_shared<Mailbox>())
{
}

// A question that may have made a job is let run to its end, so that a page on
// its way when the program ends still goes out, or is taken back; one that has not
// is given up on. One that the library holds longer than it may is left to end
// with the program, its answer going nowhere.
CupsPrinterSystem::~CupsPrinterSystem()
{
    m_mailbox->open = false;
    for (auto& [question, thread] : m_asked) {
        if (question->stage == NothingSent) {
            int nobody = Not;
            question->givenUp.compare_exchange_strong(nobody, Closing);
        }
    }
    const QDeadlineTimer deadline(std::chrono::seconds(m_bound + 2) + kCleanUp);
    bool allEnded = true;
    for (auto& [question, thread] : m_asked) {
        if (!thread->wait(deadline)) {
            allEnded = false;
            (void)thread.release();  // still in the library: it ends with the program
        }
    }
    if (allEnded)
        delete std::exchange(m_mailbox->post, nullptr);
}

PrinterSystem::Cancel CupsPrinterSystem::ask(std::function<Answer(Question&)> work, Answered answered)
{
    m_asked.remove_if([](const auto& asked) { return asked.second->isFinished(); });
    auto question = std::make_shared<Question>();
    question->until = Clock::now() + std::chrono::seconds(m_bound + 1);
    using Deliver = std::function<void(const Answer&)>;
    const std::shared_ptr<Mailbox> mailbox = m_mailbox;
    const auto deliver =
        std::make_shared<Deliver>([question, mailbox, answered = std::move(answered)](const Answer& a) {
            if (mailbox->open && !std::exchange(question->answered, true))
                answered(a);
        });
    std::unique_ptr<QThread> thread(QThread::create([question, work = std::move(work), deliver, mailbox] {
        const Answer a = work(*question);
        QMetaObject::invokeMethod(
            mailbox->post, [deliver, a] { (*deliver)(a); }, Qt::QueuedConnection);
    }));
    thread->start();
    m_asked.emplace_back(question, std::move(thread));

    // Only this thread gives up on a question: the technician's Esc, or the bound.
    // Before any job was asked for it answers at once; after, the asking thread
    // takes the job back and answers, or failing that in time, the answer is that
    // the report may have gone out.
    const auto giveUp = [question, deliver, mailbox](GivenUp who) {
        int nobody = Not;
        if (question->answered || !mailbox->open || !question->givenUp.compare_exchange_strong(nobody, who))
            return;
        if (question->stage == NothingSent) {
            (*deliver)(question->nothingPrinted());
            return;
        }
        mailbox->later(kCleanUp + std::chrono::seconds(1), [question, deliver] {
            (*deliver)(question->stage == DocumentStarted ? question->mayHaveGone() : question->nothingPrinted());
        });
    };
    m_mailbox->later(std::chrono::seconds(m_bound), [giveUp] { giveUp(ByBound); });
    return [giveUp] { giveUp(ByUser); };
}

PrinterSystem::Cancel CupsPrinterSystem::lookUp(const std::string& queue, Answered answered)
{
    const std::string home = qEnvironmentVariable("HOME").toStdString();
    return ask([queue, home](Question& question) { return lookUpNow(queue, home, question); }, std::move(answered));
}

PrinterSystem::Cancel CupsPrinterSystem::submit(const std::string& queue, const QString& title, const QByteArray& pdf,
                                                Answered answered)
{
    // Named so that a job whose number was cut off can still be found and taken back.
    const std::string name =
        (title + QStringLiteral(" #%1").arg(QRandomGenerator::global()->generate() & 0xFFFF, 4, 16, QLatin1Char('0')))
            .toStdString();
    return ask([queue, name, pdf](Question& question) { return submitNow(queue, name, pdf, question); },
               std::move(answered));
}

std::string CupsPrinterSystem::server() const
{
    const std::string where = cupsServer();
    return where.empty() || where.front() == '/' ? where : where + ":" + std::to_string(ippPort());
}
