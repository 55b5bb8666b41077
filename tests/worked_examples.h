#pragma once

// Each window's worked example as a technician types it, and what the sheet then
// holds and the window shows. Shared by the tests, the fuzz targets and the
// benchmarks; plain C++, so that the fuzz build, which has no Qt, can use it.

#include "calibration/calibration_mass_sheet.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "flowrate/flow_rate_sheet.h"
#include "tempcomp/temp_comp_sheet.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace worked {

enum class Window { FlowRate, MassDisplay, NoMassDisplay, Temperature };
using Texts = std::vector<std::pair<std::string, std::string>>;  // field name, text

struct Example {
    const char* name;
    Window window;
    // Typed in tab order from the field that has the focus when the window opens,
    // each ended with Enter; an empty text leaves the field's own.
    Texts typed;
    std::string focusAfter;  // where the last Enter leaves the focus
    Texts held;              // what the sheet holds then
    Texts shown;             // what the window shows of it
};

inline const std::vector<Example>& examples()
{
    static const std::vector<Example> all = {
        {"flow rate", Window::FlowRate,
         {{"maximumFlow", "10"}, {"pulsesPerGallon", "1000"}, {"density", "5.66"}}, "maximumFlow",
         {{"pulsesPerPound", "176.678445229682"}, {"pulsesPerMinute", "1766.78445229682"},
          {"unroundedFrequency", "29.4464075382803"}, {"frequencyRatio", "0.984840000000001"},
          {"frequency", "29"}, {"rate", "9.8484"}},
         {{"frequency", "29"}, {"rate", "9.8484"}}},
        {"with a mass display", Window::MassDisplay,
         {{"existingFactor", ""}, {"scale1", "100"}, {"display1", "98"}, {"scale2", "101"}, {"display2", "100"},
          {"scale3", "102"}, {"display3", "103"}}, "existingFactor",
         {{"averageScale", "101"}, {"averageDisplay", "100.3333"}, {"percentError1", "0.02"},
          {"percentError2", "0.0099"}, {"percentError3", "-0.0098"}, {"sumError", "0.0066"}, {"newFactor", "49.3487"}},
         {{"averageScale", "101"}, {"averageDisplay", "100.3333"}, {"percentError1", "2.000%"},
          {"percentError3", "-0.980%"}, {"sumError", "0.660%"}, {"newFactor", "49.3487"}}},
        {"without a mass display", Window::NoMassDisplay,
         {{"lbsPerGge", ""}, {"existingFactor", ""}, {"scale1", "100"}, {"gallons1", "17.5"}, {"scale2", "120"},
          {"gallons2", "21"}, {"scale3", "81"}, {"gallons3", "14.3"}}, "lbsPerGge",
         {{"display1", "99.05"}, {"display2", "118.86"}, {"display3", "80.938"}, {"difference1", "0.950000000000003"},
          {"percentError1", "0.0095"}, {"percentError2", "0.0095"}, {"percentError3", "0.0008"}, {"scaleSum", "301"},
          {"displaySum", "298.848"}, {"averageScale", "100.3333"}, {"averageDisplay", "99.616"},
          {"averageError", "0.0071"}, {"sumError", "0.0071"}, {"newFactor", "43.3328"}},
         {{"display1", "99.05"}, {"percentError3", "0.08%"}, {"averageDisplay", "99.616"}, {"averageError", "0.71%"},
          {"newFactor", "43.3328"}}},
        {"temperature", Window::Temperature, {{"temperature", "-40"}}, "temperature",
         {{"celsius", "-40"}, {"p30Pressure", "1624.42224"}, {"p36Pressure", "1891.291608"}},
         {{"p30Pressure", "1,624  PSI"}, {"p36Pressure", "1,891  PSI"}}},
    };
    return all;
}

// A window's example; the examples are in the order of Window.
inline const Example& example(Window window) { return examples().at(std::size_t(window)); }

// The example of that name ("with a mass display"), which names its window.
inline const Example& named(const std::string& name)
{
    for (const Example& example : examples()) {
        if (name == example.name)
            return example;
    }
    throw std::invalid_argument("no worked example " + name);
}

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
