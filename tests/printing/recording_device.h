#pragma once

#include "printing/page_device.h"
#include "printing/printer.h"

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// A device with fixed metrics that writes down what it is given, for layout tests.
// Every character is half the font size wide (so is the average), a line is 1.25
// times the font size high. Each document is a list of entries: "begin", then a
// printed line each, "end" or "abort". A line is its font, where it changed, and
// its items at their places: "{14 bold italic} 0 0 'Vantrel, Inc.'", "84 207.5
// 'Mass' 168 207.5 'Percent'", "" for a blank line.
class RecordingDevice : public PageDevice {
public:
    using Document = std::vector<std::string>;

    explicit RecordingDevice(std::vector<Document>& documents) : m_documents(documents) {}

    // A source that gives each document a new recording device writing into documents.
    static Printer::DeviceSource source(std::vector<Document>& documents)
    {
        return [&documents] { return std::make_unique<RecordingDevice>(documents); };
    }

    void beginDocument() override { m_documents.push_back({"begin"}); }
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
    std::string endDocument() override
    {
        m_documents.back().push_back("end");
        return "Report recorded.";
    }
    void abortDocument() override
    {
        m_line.clear();
        m_documents.back().push_back("abort");
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
        m_documents.back().push_back(std::exchange(m_line, {}));
        return m_size * 1.25;
    }

private:
    static std::string number(double value) { return (std::ostringstream() << value).str(); }
    void record(const std::string& entry) { m_line += (m_line.empty() ? "" : " ") + entry; }

    std::vector<Document>& m_documents;
    std::string m_line;
    float m_size = 12.0f;
};
