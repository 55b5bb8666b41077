#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The printer system (CUPS in the program), asked without ever making a window
// wait on it: each question is answered once, later, on the GUI thread, within a
// few seconds whatever the printer system does.
class PrinterSystem {
public:
    struct Answer {
        enum class Kind {
            Ready,        // the queue takes jobs; layout is its paper, if it says
            Held,         // the queue would hold a job (stopped); reason says why
            Unreachable,  // the printer system cannot be reached; reason says why
            NoAnswer,     // it did not answer within the bound; nothing was printed
            NoSuchQueue,  // the queue named (in PRINTER, LPDEST, namedIn or the user's default) does not exist
            NoDefault,    // there are queues, listed, but none is the default
            NoQueues,     // the printer system has no queue at all
            Sent,         // the job, number job, holds the whole document
            Refused,      // the queue did not take the job; reason is CUPS's
            Dropped,      // the document did not arrive whole: nothing was printed
            MayHaveGone,  // given up on, or not known, after the document may have arrived; reason
                          // says what was not known when the bound did not pass
            Cancelled,    // the user cancelled before anything could print
        };
        Kind kind = Kind::NoAnswer;
        std::string queue;                // the queue meant
        std::string reason;               // the printer system's own words
        std::string namedIn;              // the file that names queue as the default, if one does
        std::vector<std::string> queues;  // for NoDefault
        std::optional<QPageLayout> layout;
        int job = 0;
        bool cancelled = false;  // MayHaveGone: the user gave up, not the bound
    };
    using Answered = std::function<void(const Answer&)>;
    // Gives up on the question it was returned for: its answer is then Cancelled
    // (at once, when no job was asked for yet), or MayHaveGone when the document may
    // already have arrived; an answer already on its way may come first.
    using Cancel = std::function<void()>;

    virtual ~PrinterSystem() = default;

    // Which queue a report goes to (the default when queue is empty), whether it
    // takes jobs, and its paper.
    virtual Cancel lookUp(const std::string& queue, Answered answered) = 0;
    // Submits a PDF document as one job, named title in the queue.
    virtual Cancel submit(const std::string& queue, const QString& title, const QByteArray& pdf, Answered answered) = 0;
    // Where the printer system is, as the messages name it ("localhost:631").
    virtual std::string server() const = 0;
    // How long a question may take, in seconds.
    virtual int bound() const = 0;
};

// What an answer that stops a print means to the user: "The printer system did
// not answer within 5 seconds (localhost:631), so the report cannot be printed."
QString printerSystemMessage(const PrinterSystem::Answer& answer, const std::string& server, int bound);
