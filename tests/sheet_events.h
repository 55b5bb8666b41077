#pragma once

// A technician's events read from bytes (typing a text into a reading, key by key
// or pasted, Enter in a reading, a reading getting the focus), played on every
// window's sheet, with what must hold after each: every result is blank or what a
// new sheet shows with the readings now on screen typed into it in the tab order,
// each with Enter, and every field nobody types into is empty or a number. Plain
// C++: the sheets' fuzz target plays its inputs through it, the worksheet test
// seeded random bytes.

#include "worked_examples.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace sheet_events {

// Either one of the texts technicians type, readings written the ways people write
// them among them, or up to 15 characters of what a number is made of; a byte with
// the top bit set is typed as it is.
inline std::string textFrom(const std::uint8_t*& data, const std::uint8_t* end)
{
    static const char* const typed[] = {"0",    "5.66", "12",  "100",    "98.5", "20.12", "1,000", "12,5",
                                        "-3.5", "1e400", "1O", "100 kg", ".",    "2e307", "70",    "1\xe2\x80\x8b" "0"};
    static const char alphabet[] = "0123456789.,-+eE k";
    const std::uint8_t pick = data < end ? *data++ : 0;
    if (pick % 2)
        return typed[pick / 2 % 16];
    std::string text;
    for (int left = pick / 2 % 16; left > 0 && data < end; --left, ++data)
        text += (*data & 0x80) ? static_cast<char>(*data) : alphabet[*data % (sizeof alphabet - 1)];
    return text;
}

// The first result out of step with the readings on the sheet, described; empty
// when every result is blank or what a new sheet shows with those readings.
inline std::string outOfStep(const Sheet& sheet, worked::Window window)
{
    const auto fresh = worked::makeSheet(window);
    for (FieldId reading : sheet.readingsInOrder()) {
        fresh->focus(reading);
        fresh->type(reading, sheet.text(reading));
        fresh->enter(reading);
    }
    for (std::size_t i = 0; i < sheet.fieldCount(); ++i) {
        const FieldId result(i);
        const std::string& text = sheet.text(result);
        if (!sheet.computed(result) || text.empty())
            continue;
        bool number = false;
        try {
            number = std::isfinite(strictNumber(text));
        } catch (const StepFailed&) {
        }
        if (!number || text != fresh->text(result))
            return sheet.name(result) + " is " + text + ", the readings give " + fresh->text(result);
    }
    return {};
}

// Plays the events on every sheet, checking after each (or, for speed, after the
// last only); the first event that leaves a result out of step, described.
inline std::string play(const std::uint8_t* data, std::size_t size, bool afterEachEvent = true)
{
    using worked::Window;
    for (Window window : {Window::FlowRate, Window::MassDisplay, Window::NoMassDisplay, Window::Temperature}) {
        const auto sheet = worked::makeSheet(window);
        const std::vector<FieldId> readings = sheet->readingsInOrder();
        for (const std::uint8_t *p = data, *end = data + size; p + 1 < end;) {
            const std::uint8_t kind = *p++;
            const FieldId field = readings.at(*p++ % readings.size());
            std::string done = kind % 4 == 2 ? "Enter" : kind % 4 == 3 ? "focus" : "typed ";
            if (kind % 4 < 2) {
                const std::string text = textFrom(p, end);
                for (std::size_t keys = kind % 4 == 0 ? std::min<std::size_t>(1, text.size()) : text.size();
                     keys <= text.size(); ++keys)
                    sheet->type(field, text.substr(0, keys));
                done += text;
            } else if (kind % 4 == 2) {
                sheet->enter(field);
            } else {
                sheet->focus(field);
            }
            if (afterEachEvent || p + 1 >= end) {
                if (const std::string problem = outOfStep(*sheet, window); !problem.empty())
                    return "at byte " + std::to_string(p - data) + " (" + done + " in " + sheet->name(field)
                           + "): " + problem;
            }
        }
    }
    return {};
}

} // namespace sheet_events
