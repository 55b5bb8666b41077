#pragma once

#include "printing/page_device.h"
#include "printing/printer.h"

#include <string>
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

    explicit RecordingDevice(std::vector<Document>& documents);

    // A source that gives each document a new recording device writing into documents.
    static Printer::DeviceSource source(std::vector<Document>& documents);

    // What it writes down.
    void beginDocument() override;
    void setFont(const PrintFont& font) override;
    void drawText(double x, double top, const std::string& text) override;
    std::string endDocument() override;
    void abortDocument() override;

    // Its fixed metrics.
    double textWidth(const std::string& text) override;
    double averageCharWidth() override;
    double lineHeight() override;

private:
    void record(std::string entry);

    std::vector<Document>& m_documents;
    std::string m_line;
    float m_size = 12.0f;
};
