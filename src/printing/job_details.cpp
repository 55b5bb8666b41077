#include "printing/job_details.h"

#include "printing/printer.h"
#include "sheet/number_text.h"

#include <algorithm>

namespace {

// Caps keep a line within the narrowest printable width (A4, a quarter inch
// margin) even in wide capitals, and the block within the page left under the
// longest report.
const std::array<JobDetails::About, JobDetails::kItems> kAbout{{
    {"Customer", "", 50},
    {"Site", "", 50},
    {"Site address", "", 50},
    {"Dispenser make", "", 30},
    {"Dispenser model", "", 30},
    {"Dispenser serial no.", "", 30},
    {"Meter serial no.", "", 30},
    {"Hose or side", "", 20},
    {"Scale used", "", 50},
    {"Scale certified", "", 20},
    {"Seals removed", "", 50},
    {"Seals applied", "", 50},
    {"Remarks", "", 100},
    {"Technician", "technician/name", 50},
    {"Registration or licence no.", "technician/licence", 30},
    {"Company", "technician/company", 50},
}};

constexpr std::size_t kLineCharacters = 50;

// The text cut into lines of at most kLineCharacters characters, at a blank where
// there is one.
std::vector<std::string> lines(std::string text)
{
    std::vector<std::string> result;
    while (!text.empty()) {
        std::size_t characters = 0, end = 0, blank = std::string::npos;
        for (; end < text.size(); ++end) {
            if ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                continue;  // inside a character
            if (characters++ == kLineCharacters)
                break;
            if (text[end] == ' ')
                blank = end;
        }
        if (end < text.size() && blank != std::string::npos && blank > 0)
            end = blank;
        result.push_back(text.substr(0, end));
        text.erase(0, end);
        text.erase(0, text.find_first_not_of(' '));
    }
    return result;
}

// Characters that are not shown as themselves: C0 and C1 controls, and the
// formatting characters that reorder or hide text.
bool hidden(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || (c >= 0x200B && c <= 0x200F)
           || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF
           || (c >= 0xFFF9 && c <= 0xFFFB);
}

} // namespace

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

const JobDetails::About& JobDetails::about(Item item)
{
    return kAbout.at(item);
}

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

void printJobDetails(Printer& printer, const ReportJob& job, const std::vector<std::string>& readings,
                     const std::vector<JudgedError>& errors)
{
    const JobDetails& details = job.details;
    if (details.isEmpty())
        return;
    printer.setFontSize(9.0f);
    printer.setFontBold(false);
    printer.setFontItalic(false);
    printer.print({"Printed " + job.printedAt});
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const std::vector<std::string> text = lines(shownPlainly(details.items[item]));
        for (std::size_t line = 0; line < text.size(); ++line) {
            if (line == 0)
                printer.print({JobDetails::about(JobDetails::Item(item)).label + std::string(": ") + text[line]});
            else
                printer.print({nextZone, text[line]});  // a continuation, indented
        }
    }
    for (const std::string& reading : readings)
        printer.print({reading});
    const Tolerance& tolerance = details.tolerance;
    bool judged = false;
    for (const JudgedError& error : errors) {
        const Verdict verdict = error.error ? judge(*error.error, tolerance) : Verdict::None;
        if (verdict == Verdict::None)
            continue;
        if (!judged) {
            printer.print({"Tolerance: " + toleranceText(tolerance)});
            judged = true;
        }
        printer.print({error.name + ": " + percentText(*error.error, tolerance) + "  " + verdictWord(verdict) + ", "
                       + verdictSentence(verdict, tolerance)});
    }
    if (judged)
        printer.print({"Error = (scale \u2212 display) / scale; negative when the dispenser shows more than it "
                       "delivered."});
    printer.print();
    printer.print({"Technician's signature: ______________________________"});
    printer.print();
}
