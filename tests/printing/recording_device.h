#pragma once

#include "layout/page_device.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

// A device with fixed metrics that writes down what it is given, for layout tests.
// Every character is half the font size wide (so is the average), a line is 1.25
// times the font size high. A page is a list of its printed lines: its font, where
// it changed, and its items at their places: "{14 bold italic} 0 0 'Vantrel, Inc.'",
// "84 207.5 'Mass' 168 207.5 'Percent'", "" for a blank line.
class RecordingDevice : public PageDevice {
public:
    std::vector<std::string> lines;

    void setFont(const PrintFont& font) override
    {
        m_size = font.size;
        record("{" + number(font.size) + (font.bold ? " bold" : "") + (font.italic ? " italic" : "")
               + (font.face.empty() ? "" : " face " + font.face) + "}");
    }
    void drawText(double x, double top, const std::string& text) override
    {
        record(number(x) + " " + number(top) + " '" + text + "'");
    }
    double textWidth(const std::string& text) override
    {
        std::size_t characters = 0;
        for (const char c : text)
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;  // UTF-8 lead bytes
        return static_cast<double>(characters) * averageCharWidth();
    }
    double averageCharWidth() override { return m_size / 2.0; }
    double lineHeight() override  // asked for as each line ends
    {
        lines.push_back(std::exchange(m_line, {}));
        return m_size * 1.25;
    }

private:
    static std::string number(double value) { return (std::ostringstream() << value).str(); }
    void record(const std::string& entry) { m_line += (m_line.empty() ? "" : " ") + entry; }

    std::string m_line;
    float m_size = 12.0f;
};
