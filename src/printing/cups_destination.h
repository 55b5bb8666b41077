#pragma once

#include <QByteArray>
#include <QPageLayout>

#include <memory>
#include <optional>
#include <string>

struct cups_dest_s;

// The system's default printer as CUPS has it: the one LPDEST or PRINTER names,
// else the user's or the server's default.
class CupsDestination {
public:
    // nullopt when no printer is set up (or the one named does not exist).
    static std::optional<CupsDestination> systemDefault();

    const std::string& name() const { return m_name; }
    // Why the printer would hold a job rather than print it ("it is stopped (...)"),
    // or empty when it is ready; CUPS itself accepts jobs for a stopped printer.
    std::string holdReason() const;
    // The printer's default paper and its printable area, when the printer says.
    std::optional<QPageLayout> pageLayout() const;
    // Submits a PDF document as one job and returns the job's number. Raises
    // PrintFailed with CUPS's own reason when that job is refused.
    int submitPdf(const QByteArray& pdf, const std::string& title) const;

private:
    struct Free {
        void operator()(cups_dest_s* dest) const;
    };
    CupsDestination(cups_dest_s* dest);
    std::string option(const char* name) const;

    std::shared_ptr<cups_dest_s> m_dest;
    std::string m_name;
};
