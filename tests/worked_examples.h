#pragma once

// Each window's worked example, read from worked_examples.txt: what a technician
// types, and what the sheet then holds and the window shows; and each window's
// sheet made new. Shared by the tests, the benchmarks and the fuzz targets; plain
// C++, so that the fuzz build, which has no Qt, can use it. The end-to-end tests
// read the same file.

#include "calibration/calibration_mass_sheet.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "flowrate/flow_rate_sheet.h"
#include "table_file.h"
#include "tempcomp/temp_comp_sheet.h"

#include <algorithm>
#include <memory>

namespace worked {

enum class Window { FlowRate, MassDisplay, NoMassDisplay, Temperature };
using Texts = std::vector<std::pair<std::string, std::string>>;  // field name, text

struct Example {
    std::string name;  // "with a mass display", which names its window
    Window window;
    // Typed in tab order from the field that has the focus when the window opens,
    // each ended with Enter; an empty text leaves the field's own.
    Texts typed = {};
    Texts focusAfter = {};  // where the last Enter leaves the focus, a name alone
    Texts held = {};        // what the sheet holds then
    Texts shown = {};       // what the window shows of it
};

inline std::unique_ptr<Sheet> makeSheet(Window window)
{
    switch (window) {
    case Window::FlowRate: return std::make_unique<FlowRateSheet>();
    case Window::MassDisplay: return std::make_unique<CalibrationMassSheet>();
    case Window::NoMassDisplay: return std::make_unique<CalibrationNoMassSheet>();
    case Window::Temperature: break;
    }
    return std::make_unique<TempCompSheet>();
}

// The four examples in the order of Window, and each problem of the table with its
// place (a window, part or field the table names that does not exist).
inline const std::vector<Example>& examples(std::vector<std::string>* problems = nullptr)
{
    static std::vector<std::string> found;
    static const std::vector<Example> all = [] {
        std::vector<Example> read{{"flow rate", Window::FlowRate},
                                  {"with a mass display", Window::MassDisplay},
                                  {"without a mass display", Window::NoMassDisplay},
                                  {"temperature", Window::Temperature}};
        for (TableRow& row : readTable("worked_examples.txt", 3)) {
            auto example = std::find_if(read.begin(), read.end(), [&](auto& e) { return e.name == row.cells[0]; });
            const std::map<std::string, Texts Example::*> parts{{"typed", &Example::typed},
                                                                {"focus after", &Example::focusAfter},
                                                                {"held", &Example::held},
                                                                {"shown", &Example::shown}};
            if (example == read.end() || !parts.contains(row.cells[1]))
                row.fault("no example \"" + row.cells[0] + "\" or no part \"" + row.cells[1] + '"');
            const auto sheet = row.problem.empty() ? makeSheet(example->window) : nullptr;
            for (std::string rest = row.cells[2] + ';'; row.problem.empty() && !rest.empty();) {
                const std::string pair = rest.substr(0, rest.find(';'));
                const auto equals = pair.find('=');
                rest = rest.substr(pair.size() + 1);
                if (sheet->find(pair.substr(0, equals)) == FieldId())
                    row.fault("no field \"" + pair.substr(0, equals) + "\" in the window");
                else
                    ((*example).*parts.at(row.cells[1]))
                        .emplace_back(pair.substr(0, equals),
                                      equals == std::string::npos ? "" : pair.substr(equals + 1));
            }
            if (!row.problem.empty())
                found.push_back(row.problem);
        }
        for (const Example& example : read)
            if (example.typed.empty() || example.focusAfter.size() != 1 || example.shown.empty()
                || example.held.empty())
                found.push_back("worked_examples.txt: \"" + example.name + "\" lacks a part or has two");
        return read;
    }();
    if (problems)
        *problems = found;
    return all;
}

inline const Example& example(Window window) { return examples().at(std::size_t(window)); }

// The example of that name ("with a mass display"), or none.
inline const Example* named(const std::string& name)
{
    for (const Example& example : examples())
        if (example.name == name)
            return &example;
    return nullptr;
}

// Plays the example on a sheet as its window would pass it on: each field gets the
// focus, takes the text and Enter.
inline void fill(Sheet& sheet, const Example& example)
{
    for (const auto& [name, text] : example.typed) {
        sheet.focus(sheet.find(name));
        if (!text.empty())
            sheet.type(sheet.find(name), text);
        sheet.enter(sheet.find(name));
    }
}

}  // namespace worked
