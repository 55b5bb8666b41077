#pragma once

// Each window's worked example, read from worked_examples.txt: what a technician
// types, and what the sheet then holds and the window shows. Shared by the tests,
// the fuzz targets and the benchmarks; plain C++, so that the fuzz build, which has
// no Qt, can use it. The end-to-end tests read the same file.

#include "calibration/calibration_mass_sheet.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "flowrate/flow_rate_sheet.h"
#include "table_file.h"
#include "tempcomp/temp_comp_sheet.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace worked {

enum class Window { FlowRate, MassDisplay, NoMassDisplay, Temperature };
using Texts = std::vector<std::pair<std::string, std::string>>;  // field name, text

struct Example {
    std::string name;  // "with a mass display", which names its window
    Window window;
    // Typed in tab order from the field that has the focus when the window opens,
    // each ended with Enter; an empty text leaves the field's own.
    Texts typed;
    std::string focusAfter;  // where the last Enter leaves the focus
    Texts held;              // what the sheet holds then
    Texts shown;             // what the window shows of it
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

struct Read {
    std::vector<Example> examples;
    std::vector<std::string> problems;  // each with its place in the file
};

// "a=1;b=" as texts; a field the window's sheet lacks is the row's problem.
inline Texts textsOf(TableRow& row, const Sheet& sheet)
{
    Texts texts;
    std::string rest = row.cells[2] + ';';
    for (auto end = rest.find(';'); end != std::string::npos; rest = rest.substr(end + 1), end = rest.find(';')) {
        const std::string pair = rest.substr(0, end);
        const auto equals = pair.find('=');
        const std::string name = pair.substr(0, equals);
        if (sheet.find(name) == FieldId())
            row.fault("no field \"" + name + "\" in the window of \"" + row.cells[0] + "\"");
        else if (!pair.empty())
            texts.emplace_back(name, equals == std::string::npos ? std::string() : pair.substr(equals + 1));
    }
    return texts;
}

inline const Read& read()
{
    static const Read all = [] {
        Read read;
        for (const auto& [name, window] : {std::pair{"flow rate", Window::FlowRate},
                                           {"with a mass display", Window::MassDisplay},
                                           {"without a mass display", Window::NoMassDisplay},
                                           {"temperature", Window::Temperature}})
            read.examples.push_back({name, window, {}, {}, {}, {}});
        for (TableRow& row : readTable("worked_examples.txt", 3)) {
            Example* example = nullptr;
            for (Example& known : read.examples)
                example = known.name == row.cells[0] ? &known : example;
            if (!example) {
                row.fault("no window has the example \"" + row.cells[0] + "\"");
            } else {
                const auto sheet = makeSheet(example->window);
                const std::string& part = row.cells[1];
                if (part == "typed")
                    example->typed = textsOf(row, *sheet);
                else if (part == "held")
                    example->held = textsOf(row, *sheet);
                else if (part == "shown")
                    example->shown = textsOf(row, *sheet);
                else if (part == "focus after" && sheet->find(row.cells[2]) != FieldId())
                    example->focusAfter = row.cells[2];
                else
                    row.fault("no part \"" + part + "\" (typed, focus after, held, shown), or no such field");
            }
            if (!row.problem.empty())
                read.problems.push_back(row.problem);
        }
        return read;
    }();
    return all;
}

// The four examples, in the order of Window.
inline const std::vector<Example>& examples() { return read().examples; }

inline const Example& example(Window window) { return examples().at(std::size_t(window)); }

// The example of that name ("with a mass display"), or none.
inline const Example* named(const std::string& name)
{
    for (const Example& example : examples()) {
        if (example.name == name)
            return &example;
    }
    return nullptr;
}

// Plays the example on a sheet as its window would pass it on: each field gets the
// focus, takes the text and Enter.
inline void fill(Sheet& sheet, const Example& example)
{
    for (const auto& [name, text] : example.typed) {
        const FieldId field = sheet.find(name);
        sheet.focus(field);
        if (!text.empty())
            sheet.type(field, text);
        sheet.enter(field);
    }
}

} // namespace worked
