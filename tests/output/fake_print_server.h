// A print server for the tests: it answers libcups over IPP on 127.0.0.1 for one
// printer, "Office", keeps what it is sent and plays the faults a test asks for.
// libcups finds it through CUPS_SERVER=address(), which a thread reads once
// (cupsSetServer(nullptr) makes it read it again).
#pragma once

#include <cups/cups.h>

#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <list>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

class FakePrintServer {
public:
    struct Faults {
        bool neverAnswer = false;         // reads each request, writes nothing, holds on until destroyed
        bool dropInDocument = false;      // hangs up once the first bytes of a document are in
        int documentAnswerDelayMs = 0;    // takes the whole document, then waits this long to answer
        bool cutCreateJobAnswer = false;  // makes the job, then hangs up without answering
        bool completeOnDocument = false;  // a job is completed as soon as its document is in
    };
    struct Job {
        int id = 0;
        std::string name;
        int documents = 0;  // whole ones received
        bool cancelled = false;
        bool completed = false;
    };

    FakePrintServer() : FakePrintServer(Faults{}) {}
    explicit FakePrintServer(Faults faults) : m_faults(faults)
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};  // port 0: any free one
        socklen_t size = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_listener < 0 || ::bind(m_listener, raw, size) || ::listen(m_listener, 16)
            || ::getsockname(m_listener, raw, &size))
            throw std::system_error(errno, std::generic_category(), "fake print server");
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptConnections(); });
    }
    ~FakePrintServer()
    {
        std::unique_lock lock(m_mutex);
        m_stopping = true;
        ::shutdown(m_listener, SHUT_RDWR);  // wakes accept()
        for (Connection& connection : m_connections)
            ::shutdown(connection.fd, SHUT_RDWR);  // wakes recv(); the fd is -1 once closed
        lock.unlock();
        m_stopped.notify_all();
        m_acceptor.join();
        for (Connection& connection : m_connections)
            connection.thread.join();
        ::close(m_listener);
    }

    int port() const { return m_port; }
    std::string address() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string printerUri() const { return "ipp://" + address() + "/printers/Office"; }
    void setFaults(Faults faults)
    {
        std::lock_guard lock(m_mutex);
        m_faults = faults;
    }
    std::vector<Job> jobs() const
    {
        std::lock_guard lock(m_mutex);
        return m_jobs;
    }

private:
    struct Connection {
        int fd;
        std::thread thread;
    };
    enum class Reply { Answer, Late, HangUp, Hold };

    // A connection's socket and what came in on it not yet read.
    struct Wire {
        int fd;
        std::string in;
        bool more()
        {
            char block[16384];
            const ssize_t n = ::recv(fd, block, sizeof block, 0);
            in.append(block, std::size_t(std::max<ssize_t>(n, 0)));
            return n > 0;
        }
        bool take(std::size_t n, std::string& to)
        {
            while (in.size() < n)
                if (!more())
                    return false;
            to.append(in, 0, n);
            in.erase(0, n);
            return true;
        }
        bool line(std::string& text)
        {
            while (in.find("\r\n") == std::string::npos)
                if (!more())
                    return false;
            text = in.substr(0, in.find("\r\n"));
            in.erase(0, text.size() + 2);
            return true;
        }
        bool send(const std::string& text)
        {
            return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == ssize_t(text.size());
        }
    };

    // The IPP message at the front of a body, or null; `at` is left where the document begins.
    static ipp_t* parse(const std::string& body, std::size_t& at)
    {
        struct Cursor {
            const std::string& body;
            std::size_t& at;
        } cursor{body, at};
        const auto read = [](void* context, ipp_uchar_t* to, std::size_t n) {
            auto& [data, offset] = *static_cast<Cursor*>(context);
            n = std::min(n, data.size() - offset);
            std::memcpy(to, data.data() + offset, n);
            offset += n;
            return ssize_t(n);
        };
        ipp_t* ipp = ippNew();
        if (ippReadIO(&cursor, read, 1, nullptr, ipp) == IPP_STATE_DATA)
            return ipp;
        ippDelete(ipp);
        return nullptr;
    }

    void acceptConnections()
    {
        for (;;) {
            const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            const int error = errno;
            std::lock_guard lock(m_mutex);
            if (fd >= 0 && !m_stopping) {
                Connection& connection = m_connections.emplace_back(Connection{fd, {}});
                connection.thread = std::thread([this, &connection] { serve(connection); });
            } else if (fd >= 0 || m_stopping || (error != EINTR && error != ECONNABORTED)) {  // else tries again
                if (fd >= 0)
                    ::close(fd);
                return;
            }
        }
    }

    // The socket is closed under the lock, so the destructor never shuts down a reused one.
    void serve(Connection& connection)
    {
        Wire wire{connection.fd, {}};
        while (exchange(wire)) {
        }
        std::lock_guard lock(m_mutex);
        ::close(std::exchange(connection.fd, -1));
    }

    // One request and its answer; false once the connection is to end.
    bool exchange(Wire& wire)
    {
        std::string head, line, body;
        std::size_t length = 0;
        bool chunked = false, expect = false, close = false;
        wire.line(head);
        while (wire.line(line) && !line.empty()) {
            const auto is = [&line](const char* start) {
                return strncasecmp(line.c_str(), start, std::strlen(start)) == 0;
            };
            length = is("Content-Length:") ? std::strtoul(line.c_str() + 15, nullptr, 10) : length;
            chunked |= is("Transfer-Encoding: chunked");
            expect |= is("Expect: 100-continue");
            close |= is("Connection: close");
        }
        const Faults faults = [this] {
            std::lock_guard lock(m_mutex);
            return m_faults;
        }();
        if (expect && !faults.neverAnswer && !wire.send("HTTP/1.1 100 Continue\r\n\r\n"))
            return false;
        if (!chunked && !wire.take(length, body))
            return false;
        for (std::size_t size = 1; chunked && size > 0;) {  // each chunk: its size in hex, its bytes; the last is empty
            if (!wire.line(line) || !wire.take(size = std::strtoul(line.c_str(), nullptr, 16), body)
                || !wire.line(line))
                return false;
            if (faults.dropInDocument && documentBegun(body))
                return false;
        }

        std::size_t at = 0;
        ipp_t* request = parse(body, at);
        ipp_t* response = request ? ippNewResponse(request) : nullptr;
        const Reply reply = request ? answer(request, response, faults) : Reply::HangUp;
        std::string out;
        const auto append = [](void* to, ipp_uchar_t* data, std::size_t n) {
            static_cast<std::string*>(to)->append(reinterpret_cast<const char*>(data), n);
            return ssize_t(n);
        };
        if (reply == Reply::Answer || reply == Reply::Late)
            ippWriteIO(&out, append, 1, nullptr, response);
        ippDelete(request);
        ippDelete(response);
        std::unique_lock lock(m_mutex);
        if (reply == Reply::Hold)
            m_stopped.wait(lock, [this] { return m_stopping; });
        if (reply == Reply::Late)
            m_stopped.wait_for(lock, std::chrono::milliseconds(faults.documentAnswerDelayMs),
                               [this] { return m_stopping; });
        lock.unlock();
        return !out.empty()
               && wire.send("HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: "
                            + std::to_string(out.size()) + "\r\n\r\n" + out)
               && !close;
    }

    // Whether the body so far is of a Send-Document with some of its document in.
    bool documentBegun(const std::string& body)
    {
        std::size_t at = 0;
        ipp_t* request = parse(body, at);
        const bool begun = ippGetOperation(request) == IPP_OP_SEND_DOCUMENT && at < body.size();
        ippDelete(request);
        return begun;
    }

    Reply answer(ipp_t* request, ipp_t* response, const Faults& faults)
    {
        std::lock_guard lock(m_mutex);
        const ipp_op_t operation = ippGetOperation(request);
        if (faults.neverAnswer)
            return Reply::Hold;
        const int id = ippGetInteger(ippFindAttribute(request, "job-id", IPP_TAG_INTEGER), 0);
        Job* job = id >= 1 && id <= int(m_jobs.size()) ? &m_jobs[std::size_t(id) - 1] : nullptr;
        const char* printer = ippGetString(ippFindAttribute(request, "printer-uri", IPP_TAG_URI), 0, nullptr);
        const char* name = ippGetString(ippFindAttribute(request, "job-name", IPP_TAG_NAME), 0, nullptr);
        switch (operation) {
        case IPP_OP_GET_PRINTER_ATTRIBUTES:
            if (!printer || !std::string(printer).ends_with("/printers/Office"))
                return fail(response, IPP_STATUS_ERROR_NOT_FOUND, "The printer does not exist.");
            [[fallthrough]];
        case IPP_OP_CUPS_GET_DEFAULT:
        case IPP_OP_CUPS_GET_PRINTERS: addPrinter(response); return Reply::Answer;
        case IPP_OP_CREATE_JOB:
            addJob(response, m_jobs.emplace_back(Job{.id = int(m_jobs.size()) + 1, .name = name ? name : ""}));
            return faults.cutCreateJobAnswer ? Reply::HangUp : Reply::Answer;
        case IPP_OP_GET_JOBS:  // those not yet finished
            for (const Job& each : m_jobs)
                if (!each.cancelled && !each.completed) {
                    addJob(response, each);
                    ippAddSeparator(response);
                }
            return Reply::Answer;
        case IPP_OP_SEND_DOCUMENT:
        case IPP_OP_CANCEL_JOB:
        case IPP_OP_GET_JOB_ATTRIBUTES:
            if (!job)
                return fail(response, IPP_STATUS_ERROR_NOT_FOUND, "The job does not exist.");
            if (operation != IPP_OP_GET_JOB_ATTRIBUTES && (job->cancelled || job->completed))
                return fail(response, IPP_STATUS_ERROR_NOT_POSSIBLE, "The job is already finished.");
            job->cancelled |= operation == IPP_OP_CANCEL_JOB;
            if (operation == IPP_OP_SEND_DOCUMENT) {
                ++job->documents;
                job->completed = faults.completeOnDocument;
            }
            addJob(response, *job);
            return operation == IPP_OP_SEND_DOCUMENT && faults.documentAnswerDelayMs > 0 ? Reply::Late : Reply::Answer;
        default: return fail(response, IPP_STATUS_ERROR_OPERATION_NOT_SUPPORTED, "The operation is not supported.");
        }
    }

    static Reply fail(ipp_t* response, ipp_status_t status, const char* message)
    {
        ippSetStatusCode(response, status);
        ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_TEXT, "status-message", nullptr, message);
        return Reply::Answer;
    }

    void addPrinter(ipp_t* response) const
    {
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr, printerUri().c_str());
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr, "Office");
        ippAddInteger(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-state-reasons", nullptr, "none");
        ippAddBoolean(response, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        for (const char* name : {"media-default", "media-supported"})
            ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, name, nullptr, "iso_a4_210x297mm");
    }

    void addJob(ipp_t* response, const Job& job) const
    {
        const char* reason = job.cancelled   ? "job-canceled-by-user"
                             : job.completed ? "job-completed-successfully"
                             : job.documents ? "none"
                                             : "job-incoming";
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", job.id);
        ippAddString(response, IPP_TAG_JOB, IPP_TAG_URI, "job-printer-uri", nullptr, printerUri().c_str());
        ippAddString(response, IPP_TAG_JOB, IPP_TAG_NAME, "job-name", nullptr, job.name.c_str());
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state",
                      job.cancelled   ? IPP_JSTATE_CANCELED
                      : job.completed ? IPP_JSTATE_COMPLETED
                                      : IPP_JSTATE_PENDING);
        ippAddString(response, IPP_TAG_JOB, IPP_TAG_KEYWORD, "job-state-reasons", nullptr, reason);
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "number-of-documents", job.documents);
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stopping = false;
    Faults m_faults;
    std::vector<Job> m_jobs;
    std::list<Connection> m_connections;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_acceptor;
};
