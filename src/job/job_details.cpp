#include "job/job_details.h"

#include <algorithm>

namespace {

// Caps keep a line within the narrowest printable width (A4, a quarter inch
// margin) even in wide capitals, and the block within the page left under the
// longest report.
const std::array<JobDetails::About, JobDetails::kItems> kAbout{{
    {"Customer", "customer", "", 50},
    {"Site", "site", "", 50},
    {"Site address", "site_address", "", 50},
    {"Dispenser make", "dispenser_make", "", 30},
    {"Dispenser model", "dispenser_model", "", 30},
    {"Dispenser serial no.", "dispenser_serial", "", 30},
    {"Meter serial no.", "meter_serial", "", 30},
    {"Hose or side", "hose_or_side", "", 20},
    {"Scale used", "scale", "", 50},
    {"Scale certified", "scale_certified", "", 20},
    {"Seals removed", "seals_removed", "", 50},
    {"Seals applied", "seals_applied", "", 50},
    {"Remarks", "remarks", "", 100},
    {"Technician", "technician", "technician/name", 50},
    {"Registration or licence no.", "licence", "technician/licence", 30},
    {"Company", "company", "technician/company", 50},
}};

// Characters that are not shown as themselves: C0 and C1 controls, the
// formatting characters that reorder or hide text, and the two that are no
// characters at all (nor allowed in XML).
bool hidden(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || (c >= 0x200B && c <= 0x200F)
           || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF
           || (c >= 0xFFF9 && c <= 0xFFFB) || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace

std::string shownPlainly(std::string_view text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!whole || hidden(c))
            shown += '?';
        else
            shown.append(text.substr(i, length));
        i += whole ? length : 1;
    }
    return shown;
}

const JobDetails::About& JobDetails::about(Item item) { return kAbout.at(item); }

bool JobDetails::isEmpty() const
{
    return !tolerance.isSet() && std::all_of(items.begin(), items.end(), [](const auto& item) { return item.empty(); });
}

void JobDetails::clearJob()
{
    for (int item = 0; item < kItems; ++item) {
        if (!about(Item(item)).technicians())
            items[item].clear();
    }
}
