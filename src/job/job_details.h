#pragma once

#include "sheet/tolerance.h"

#include <array>
#include <string>
#include <string_view>

// What the technician types once per job for the reports to record: the job's own
// details, the technician's, and the tolerance the tests are judged against. The
// technician's details and the tolerance are kept from one run to the next; the
// job's last until the program ends or a new job begins.
struct JobDetails {
    // clang-format off
    enum Item {
        Customer, Site, SiteAddress, DispenserMake, DispenserModel, DispenserSerial, MeterSerial, HoseOrSide,
        Scale, ScaleCertified, SealsRemoved, SealsApplied, Remarks,
        Technician, Licence, Company,
        kItems
    };
    // clang-format on
    struct About {
        const char* label;   // as the page and the dialog name it
        const char* column;  // in the job store
        const char* key;     // in the kept settings; empty for the job's own, which are not kept
        int maxLength;       // in characters: every item at its longest still fits the page

        // The technician's own, kept between runs.
        bool technicians() const { return *key != '\0'; }
    };
    static const About& about(Item item);

    std::array<std::string, kItems> items;
    Tolerance tolerance;

    bool operator==(const JobDetails&) const = default;
    // Nothing filled in: the reports print as they always have.
    bool isEmpty() const;
    // A new job: the job's details go, the technician's and the tolerance stay.
    void clearJob();
};

// A detail as a page and a file's metadata show it: a control character (a barcode
// scanner's), and an invisible character that turns or hides text (a direction
// override, a zero-width space), each stand as "?" where they were typed, so that
// what is printed reads in the order typed and the metadata stay valid XML. One
// character for one, so that every detail at its longest still fits its line.
std::string shownPlainly(std::string_view text);
