// A byte string read as a technician's events (typing a text into a field, Enter in
// a field, a field getting the focus), applied to every window's sheet. Nothing
// crashes, every computed field is empty or a number, and afterwards a fresh sheet
// still computes its worked example.

#include "calibration_mass/cal2_sheet.h"
#include "calibration_nomass/cal_no_mas_sheet.h"
#include "flowrate/rate_sheet.h"
#include "tempcomp/tcomp_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

using Texts = std::vector<std::pair<std::string, std::string>>;  // field name, text

struct Window {
    std::function<std::unique_ptr<Sheet>()> make;
    std::vector<std::string> entries;  // the fields a person types into; they may hold any text
    Texts workedExample;               // each typed, then Enter, after the field got the focus
    Texts results;
};

FieldId field(const Sheet& sheet, const std::string& name)
{
    const FieldId id = sheet.find(name);
    require(!(id == FieldId()));
    return id;
}

const std::vector<Window>& windows()
{
    static const std::vector<Window> all = {
        {[] { return std::make_unique<RateSheet>(); },
         {"texMrate", "texPpg", "texLbs"},
         {{"texMrate", "10"}, {"texPpg", "1000"}, {"texLbs", "5.66"}},
         {{"texHz", "29"}, {"texRate", "9.8484"}}},
        {[] { return std::make_unique<Cal2Sheet>(); },
         {"Text21", "Text1", "Text2", "Text5", "Text6", "Text9", "Text10"},
         {{"Text1", "100"}, {"Text2", "98"}},
         {{"Text17", "100"}, {"Text18", "98"}, {"MaskedEdit1", "0.02"}, {"Text22", "50.0235"}}},
        {[] { return std::make_unique<CalNoMasSheet>(); },
         {"Text3", "Text21", "Text1", "Text24", "Text5", "Text25", "Text9", "Text26", "Text2", "Text6", "Text10"},
         {{"Text1", "100"}, {"Text24", "17.5"}, {"Text5", "120"}, {"Text25", "21"}, {"Text9", "81"},
          {"Text26", "14.3"}},
         {{"MaskedEdit1", "0.0095"}, {"MaskedEdit3", "0.0008"}, {"MaskedEdit5", "0.0071"}, {"Text22", "43.3328"}}},
        {[] { return std::make_unique<TcompSheet>(); },
         {"Text1"},
         {{"Text1", "70"}},
         {{"MaskedEdit3", "3042.56864"}, {"MaskedEdit4", "3805.789248"}}},
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
    try {
        return text.empty() || std::isfinite(NumStrict(text));
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
            const auto& typedByHand = window.entries;
            if (std::find(typedByHand.begin(), typedByHand.end(), name) == typedByHand.end()
                && !isNumberOrEmpty(sheet->text(FieldId(i)))) {
                std::fprintf(stderr, "%s holds \"%s\"\n", name.c_str(), sheet->text(FieldId(i)).c_str());
                std::abort();
            }
        }
        const auto fresh = window.make();
        for (const auto& [name, text] : window.workedExample) {
            fresh->focus(field(*fresh, name));
            fresh->type(field(*fresh, name), text);
            fresh->enter(field(*fresh, name));
        }
        for (const auto& [name, text] : window.results)
            require(fresh->text(field(*fresh, name)) == text);
    }
    return 0;
}
