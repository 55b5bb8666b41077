// A byte string read as a technician's events (typing a text into a field, Enter in
// a field, a field getting the focus), applied to every window's sheet. Nothing
// crashes, and every field the technician does not type into is empty or a number.

#include "worked_examples.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

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
        return text.empty() || std::isfinite(strictNumber(text));
    } catch (const StepFailed&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using worked::Window;
    for (Window window : {Window::FlowRate, Window::MassDisplay, Window::NoMassDisplay, Window::Temperature}) {
        const auto sheet = worked::makeSheet(window);
        const std::vector<FieldId> typed = sheet->readingsInOrder();
        const std::uint8_t* p = data;
        const std::uint8_t* end = data + size;
        while (p + 1 < end) {
            const std::uint8_t op = *p++;
            const FieldId target = typed.at(*p++ % typed.size());
            switch (op % 3) {
            case 0: sheet->type(target, textFrom(p, end)); break;
            case 1: sheet->enter(target); break;
            default: sheet->focus(target); break;
            }
        }
        for (std::size_t i = 0; i < sheet->fieldCount(); ++i) {
            const FieldId field(i);
            if (std::find(typed.begin(), typed.end(), field) == typed.end() && !isNumberOrEmpty(sheet->text(field))) {
                std::fprintf(stderr, "%s holds \"%s\"\n", sheet->name(field).c_str(), sheet->text(field).c_str());
                std::abort();
            }
        }
    }
    return 0;
}
