#include "layout/details_block.h"

#include "layout/printer.h"

namespace {

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

}  // namespace

void printDetailLines(Printer& printer, const JobDetails& details)
{
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const std::vector<std::string> text = lines(shownPlainly(details.items[item]));
        for (std::size_t line = 0; line < text.size(); ++line) {
            if (line == 0)
                printer.print({JobDetails::about(JobDetails::Item(item)).label + std::string(": ") + text[line]});
            else
                printer.print({nextZone, text[line]});  // a continuation, indented
        }
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
    printDetailLines(printer, details);
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
