#include "output/printer_system.h"

#include "widgets/design.h"

namespace {

// The reason as part of a sentence; the spooler's own reasons end with a full stop.
QString sentencePart(const std::string& text)
{
    QString reason = qText(text);
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}

}  // namespace

QString printerSystemMessage(const PrinterSystem::Answer& answer, const std::string& server, int bound)
{
    using Kind = PrinterSystem::Answer::Kind;
    const QString where = qText(server);
    switch (answer.kind) {
    case Kind::Unreachable:
        return QStringLiteral("The printer system (%1) cannot be reached: %2, so the report cannot be printed.")
            .arg(where, sentencePart(answer.reason));
    case Kind::NoAnswer:
        return QStringLiteral("The printer system did not answer within %1 seconds (%2), so the report cannot be "
                              "printed.")
            .arg(bound)
            .arg(where);
    case Kind::NoSuchQueue:
        return QStringLiteral("The printer \"%1\"%2 does not exist on the printer system (%3), so the report cannot "
                              "be printed.")
            .arg(qText(answer.queue),
                 answer.namedIn.empty() ? QString() : QStringLiteral(", the default in %1,").arg(qText(answer.namedIn)),
                 where);
    case Kind::NoDefault:
        return QStringLiteral("No printer is set as the default. Print on one of these this once, or save the report "
                              "as a PDF file:");
    case Kind::NoQueues:
        return QStringLiteral("No printer is set up on this computer, so the report cannot be printed.");
    case Kind::Held:
    case Kind::Refused:
        return QStringLiteral("The printer \"%1\" did not take the report: %2.\nNothing was printed.")
            .arg(qText(answer.queue), sentencePart(answer.reason));
    case Kind::Dropped:
        return QStringLiteral("The printer system (%1) did not take the report: %2, so nothing was printed.")
            .arg(where, sentencePart(answer.reason));
    case Kind::MayHaveGone: {
        const QString what =
            answer.cancelled
                ? QStringLiteral("Printing cancelled, but the printer system (%1) may have taken the report").arg(where)
            : !answer.reason.empty()
                ? QStringLiteral("The printer system (%1) took the report, but %2")
                      .arg(where, sentencePart(answer.reason))
                : QStringLiteral("The printer system (%1) did not confirm the report within %2 seconds")
                      .arg(where)
                      .arg(bound);
        return what + QStringLiteral(": it may have been printed. Check the printer's queue before printing it again.");
    }
    case Kind::Cancelled: return QStringLiteral("Printing cancelled. Nothing was printed.");
    case Kind::Ready:
    case Kind::Sent: break;
    }
    return {};
}
