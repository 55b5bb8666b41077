#pragma once

#include <QByteArray>
#include <QPageLayout>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The printer system (CUPS in the program), asked without ever making a window
// wait on it: each question is answered once, later, on the GUI thread, within a
// few seconds whatever the printer system does, unless it is cancelled first.
class PrinterSystem {
public:
    struct Answer {
        enum class Kind {
            Ready,        // the queue takes jobs; layout is its paper, if it says
            Held,         // the queue would hold a job (stopped); reason says why
            Unreachable,  // the printer system cannot be reached; reason says why
            NoAnswer,     // it did not answer within the bound
            NoSuchQueue,  // the queue named (in PRINTER, LPDEST or the user's default) does not exist
            NoDefault,    // there are queues, listed, but none is the default
            NoQueues,     // the printer system has no queue at all
            Sent,         // the job was taken as number job
            Refused,      // the queue did not take the job; reason is CUPS's
            Cancelled,    // the user cancelled while waiting
        };
        Kind kind = Kind::NoAnswer;
        std::string queue;                // the queue meant
        std::string reason;               // the printer system's own words
        std::vector<std::string> queues;  // for NoDefault
        std::optional<QPageLayout> layout;
        int job = 0;
    };
    using Answered = std::function<void(const Answer&)>;
    // Cancels the question it was returned for; its answer is then Cancelled.
    using Cancel = std::function<void()>;

    virtual ~PrinterSystem() = default;

    // Which queue a report goes to (the default when queue is empty), whether it
    // takes jobs, and its paper.
    virtual Cancel lookUp(const std::string& queue, Answered answered) = 0;
    // Submits a PDF document as one job.
    virtual Cancel submit(const std::string& queue, const QByteArray& pdf, Answered answered) = 0;
    // Where the printer system is, as the messages name it ("localhost:631").
    virtual std::string server() const = 0;
    // How long a question may take, in seconds.
    virtual int bound() const = 0;
};
