#include "printing/cups_destination.h"

#include "printing/print_failed.h"

#include <cups/cups.h>

#include <QPageSize>
#include <QSizeF>

namespace {

struct FreeInfo {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestInfo = std::unique_ptr<cups_dinfo_t, FreeInfo>;

constexpr const char* kPrinterStopped = "5";  // IPP printer-state

} // namespace

void CupsDestination::Free::operator()(cups_dest_s* dest) const { cupsFreeDests(1, dest); }

CupsDestination::CupsDestination(cups_dest_s* dest) : m_dest(dest, Free()), m_name(dest->name) {}

std::optional<CupsDestination> CupsDestination::systemDefault()
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return std::nullopt;
    return CupsDestination(dest);
}

std::string CupsDestination::option(const char* name) const
{
    const char* value = cupsGetOption(name, m_dest->num_options, m_dest->options);
    return value ? value : "";
}

std::string CupsDestination::holdReason() const
{
    if (option("printer-state") != kPrinterStopped)
        return {};
    // The reason the printer was stopped with is not among the destination's
    // options; the printer itself tells it.
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 option("printer-uri-supported").c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const char* message = ippGetString(ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT), 0, nullptr);
    const std::string reason = message && *message ? std::string("it is stopped (") + message + ")" : "it is stopped";
    ippDelete(response);
    return reason;
}

std::optional<QPageLayout> CupsDestination::pageLayout() const
{
    const DestInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, m_dest.get()));
    cups_size_t media{};
    if (!info
        || !cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, m_dest.get(), info.get(), CUPS_MEDIA_FLAGS_DEFAULT, &media))
        return std::nullopt;  // a raw queue knows no paper
    // CUPS measures in hundredths of a millimetre.
    const QPageSize page(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    QMarginsF margins(media.left / 100.0, media.top / 100.0, media.right / 100.0, media.bottom / 100.0);
    if (margins.isNull())
        margins = QMarginsF(6.35, 6.35, 6.35, 6.35);  // a printer that prints to the edge: a quarter inch still
    return QPageLayout(page, QPageLayout::Portrait, margins, QPageLayout::Millimeter);
}

int CupsDestination::submitPdf(const QByteArray& pdf, const std::string& title) const
{
    const DestInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, m_dest.get()));
    int job = 0;
    if (cupsCreateDestJob(CUPS_HTTP_DEFAULT, m_dest.get(), info.get(), &job, title.c_str(), 0, nullptr)
            > IPP_STATUS_OK_CONFLICTING
        || job == 0)
        throw PrintFailed::refused(m_name, cupsLastErrorString());
    if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, m_dest.get(), info.get(), job, title.c_str(), CUPS_FORMAT_PDF, 0,
                              nullptr, 1) != HTTP_STATUS_CONTINUE
        || cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), std::size_t(pdf.size())) != HTTP_STATUS_CONTINUE
        || cupsFinishDestDocument(CUPS_HTTP_DEFAULT, m_dest.get(), info.get()) > IPP_STATUS_OK_CONFLICTING) {
        const std::string reason = cupsLastErrorString();
        // A job whose document did not arrive would wait in the queue for ever.
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, m_dest.get(), job);
        throw PrintFailed::refused(m_name, reason);
    }
    return job;
}
