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
#include <array>
#include <cmath>
#include <cstdint>

namespace sheet_events {

// Seven times in eight one of the texts technicians type: readings as people write them (most of
// them numbers, so that whole worksheets come about), the empty text and mistakes;
// otherwise up to 15 characters of what a number is made of, a byte with the top
// bit set typed as it is.
inline std::string textFrom(const std::uint8_t*& data, const std::uint8_t* end)
{
    // clang-format off
    static const char* const typed[] = {
        "0",     "5.66", "12",   "100",  "98.5",  "20.12", "1,000", "-3.5", "2e307", "70",  "101",    "99",
        "20.41", "19.7", "26.6", "27",   "4.201", "17.5",  "1, 000", "",    "",      "",    "12,5",   "1e400",
        "1O",    "100 kg", ".",  "1\xe2\x80\x8b" "0", "15.8b", "0.001", "1e-300", "43.023"};
    // clang-format on
    static const char alphabet[] = "0123456789.,-+eE k";
    const std::uint8_t pick = data < end ? *data++ : 0;
    if (pick % 8)
        return typed[pick / 8 % 32];
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

// A worksheet's errors and new factor worked out here from its readings, with no
// use of the sheet's own steps: a test counts when both its readings are numbers,
// a reading that is neither empty nor a number leaves the sums' results empty, and
// each value passes through the texts the window holds (15 digits, four decimals).
// The first shown result that differs, described; empty when all agree.
inline std::string outOfArithmetic(const Sheet& sheet, worked::Window window)
{
    if (window != worked::Window::MassDisplay && window != worked::Window::NoMassDisplay)
        return {};
    const bool gallons = window == worked::Window::NoMassDisplay;
    const auto& w = static_cast<const CalibrationSheet&>(sheet);
    const auto text = [&](const char* name, std::size_t test) {
        return sheet.text(sheet.find(name + std::to_string(test + 1)));
    };
    const auto computed = [](auto&& compute) -> std::string {
        try {
            return compute();
        } catch (const StepFailed&) {
            return {};
        }
    };
    std::vector<std::size_t> counted;
    bool mistake = false;
    std::array<double, 3> scale{}, mass{};
    std::vector<std::pair<FieldId, std::string>> expected;
    for (std::size_t test = 0; test < 3; ++test) {
        const std::string s = text("scale", test), d = text(gallons ? "gallons" : "display", test);
        bool numbers = !s.empty() && !d.empty();
        for (const std::string& reading : {s, d}) {
            if (!reading.empty() && computed([&] { return numberText(strictNumber(reading)); }).empty())
                mistake = true, numbers = false;
        }
        if (!numbers) {
            expected.push_back({w.tests[test].percentError, ""});
            continue;
        }
        counted.push_back(test);
        scale[test] = strictNumber(s);
        const std::string m = computed([&] {
            return gallons ? numberText(times(strictNumber(sheet.text(sheet.find("lbsPerGge"))), strictNumber(d))) : d;
        });
        mass[test] = m.empty() ? NAN : strictNumber(m);
        expected.push_back({w.tests[test].percentError, computed([&] {
                                return fourDecimals(
                                    over(strictNumber(numberText(minus(scale[test], strictNumber(m)))), scale[test]));
                            })});
    }
    std::string sumError, averageError, newFactor, averages[2];
    if (!mistake && !counted.empty()) {
        double scaleSum = 0, massSum = 0;
        for (std::size_t i = 0; i < counted.size(); ++i) {
            scaleSum += scale[counted[i]];
            massSum += mass[counted[gallons ? counted.size() - 1 - i : i]];  // in each worksheet's order
        }
        const auto k = double(counted.size());
        const std::string sums[] = {computed([&] { return numberText(scaleSum); }),
                                    computed([&] { return numberText(massSum); })};
        sumError = computed([&] {
            return fourDecimals(over(strictNumber(numberText(minus(strictNumber(sums[0]), strictNumber(sums[1])))),
                                     strictNumber(sums[0])));
        });
        newFactor = computed([&] {
            const double existing = strictNumber(sheet.text(w.existingFactor));
            return fourDecimals(times(existing, over(strictNumber(sums[0]), strictNumber(sums[1]))));
        });
        for (int column = 0; column < 2; ++column)
            averages[column] = computed([&] { return fourDecimals(strictNumber(sums[column]) / k); });
        averageError = computed([&] {
            const double averageScale = strictNumber(averages[0]), averageMass = strictNumber(averages[1]);
            return fourDecimals(over(strictNumber(numberText(minus(averageScale, averageMass))), averageScale));
        });
    }
    expected.push_back({w.averageScale, averages[0]});
    expected.push_back({w.averageDisplay, averages[1]});
    expected.push_back({w.sumError, sumError});
    expected.push_back({w.newFactor, newFactor});
    if (gallons)
        expected.push_back({sheet.find("averageError"), averageError});
    for (const auto& [field, value] : expected) {
        if (sheet.text(field) != value)
            return sheet.name(field) + " is " + sheet.text(field) + ", the readings give " + value;
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
                std::string problem = outOfStep(*sheet, window);
                if (problem.empty())
                    problem = outOfArithmetic(*sheet, window);
                if (!problem.empty())
                    return "at byte " + std::to_string(p - data) + " (" + done + " in " + sheet->name(field)
                           + "): " + problem;
            }
        }
    }
    return {};
}

}  // namespace sheet_events
