// A byte string read as a technician's events (typing a text into a field, Enter in
// a field, a field getting the focus), applied to every window's sheet. Nothing
// crashes, every computed field is empty or a number, and afterwards a fresh sheet
// still computes its worked example.

#include "calibration_mass/cal2_sheet.h"
#include "calibration_nomass/cal_no_mas_sheet.h"
#include "flowrate/rate_sheet.h"
#include "tempcomp/tcomp_sheet.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

struct Window {
    std::function<std::unique_ptr<Sheet>()> make;
    std::vector<std::string> entries;  // the fields a person types into; they may hold any text
    std::function<void(Sheet&)> workedExample;
};

FieldId field(const Sheet& sheet, const std::string& name)
{
    const FieldId id = sheet.find(name);
    require(!(id == FieldId()));
    return id;
}

void typeAndEnter(Sheet& sheet, const std::string& name, const std::string& text)
{
    sheet.focus(field(sheet, name));
    sheet.type(field(sheet, name), text);
    sheet.enter(field(sheet, name));
}

void expect(const Sheet& sheet, const std::string& name, const std::string& text)
{
    require(sheet.text(field(sheet, name)) == text);
}

const std::vector<Window>& windows()
{
    static const std::vector<Window> all = {
        {[] { return std::make_unique<RateSheet>(); },
         {"texMrate", "texPpg", "texLbs"},
         [](Sheet& s) {
             typeAndEnter(s, "texMrate", "10");
             typeAndEnter(s, "texPpg", "1000");
             typeAndEnter(s, "texLbs", "5.66");
             expect(s, "texHz", "29");
             expect(s, "texRate", "9.8484");
         }},
        {[] { return std::make_unique<Cal2Sheet>(); },
         {"Text21", "Text1", "Text2", "Text5", "Text6", "Text9", "Text10"},
         [](Sheet& s) {
             typeAndEnter(s, "Text1", "100");
             typeAndEnter(s, "Text2", "98");
             expect(s, "Text17", "100");
             expect(s, "Text18", "98");
             expect(s, "MaskedEdit1", "0.02");
             expect(s, "MaskedEdit4", "0.02");
             expect(s, "Text22", "50.0235");
         }},
        {[] { return std::make_unique<CalNoMasSheet>(); },
         {"Text3", "Text21", "Text1", "Text24", "Text5", "Text25", "Text9", "Text26", "Text2", "Text6", "Text10"},
         [](Sheet& s) {
             typeAndEnter(s, "Text1", "100");
             typeAndEnter(s, "Text24", "17.5");
             typeAndEnter(s, "Text5", "120");
             typeAndEnter(s, "Text25", "21");
             typeAndEnter(s, "Text9", "81");
             typeAndEnter(s, "Text26", "14.3");
             expect(s, "MaskedEdit1", "0.0095");
             expect(s, "MaskedEdit3", "0.0008");
             expect(s, "MaskedEdit5", "0.0071");
             expect(s, "Text22", "43.3328");
         }},
        {[] { return std::make_unique<TcompSheet>(); },
         {"Text1"},
         [](Sheet& s) {
             s.focus(field(s, "Text1"));
             expect(s, "MaskedEdit3", "3042.56864");
             expect(s, "MaskedEdit4", "3805.789248");
         }},
    };
    return all;
}

// Texts made mostly of what a reading is made of, so that the fuzzer reaches deep
// into the chains; a byte with the top bit set is taken as it is.
std::string textFrom(const std::uint8_t*& data, const std::uint8_t* end)
{
    static const char alphabet[] = "0123456789.,-+eE k";
    std::string text;
    std::size_t length = data < end ? *data++ % 16 : 0;
    for (; length > 0 && data < end; --length, ++data)
        text += (*data & 0x80) ? static_cast<char>(*data) : alphabet[*data % (sizeof alphabet - 1)];
    return text;
}

bool isNumberOrEmpty(const std::string& text)
{
    if (text.empty())
        return true;
    try {
        NumStrict(text);
        return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
    } catch (const StepFailed&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const Window& window : windows()) {
        std::unique_ptr<Sheet> sheet = window.make();
        const std::uint8_t* p = data;
        const std::uint8_t* end = data + size;
        while (p + 1 < end) {
            const std::uint8_t op = *p++;
            const FieldId target = field(*sheet, window.entries[*p++ % window.entries.size()]);
            switch (op % 3) {
            case 0: sheet->type(target, textFrom(p, end)); break;
            case 1: sheet->enter(target); break;
            default: sheet->focus(target); break;
            }
        }
        for (std::size_t i = 0; i < sheet->fieldCount(); ++i) {
            const std::string& name = sheet->name(FieldId(i));
            const bool typedByHand = std::find(window.entries.begin(), window.entries.end(), name) != window.entries.end();
            if (!typedByHand && !isNumberOrEmpty(sheet->text(FieldId(i)))) {
                std::fprintf(stderr, "%s holds \"%s\"\n", name.c_str(), sheet->text(FieldId(i)).c_str());
                std::abort();
            }
        }
        auto fresh = window.make();
        window.workedExample(*fresh);
    }
    return 0;
}
