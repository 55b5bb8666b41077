#include "recording_device.h"

#include <memory>
#include <sstream>

namespace {

std::string number(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

} // namespace

RecordingDevice::RecordingDevice(std::vector<Document>& documents) : m_documents(documents) {}

Printer::DeviceSource RecordingDevice::source(std::vector<Document>& documents)
{
    return [&documents] { return std::make_unique<RecordingDevice>(documents); };
}

void RecordingDevice::record(std::string entry)
{
    if (!m_line.empty())
        m_line += ' ';
    m_line += entry;
}

void RecordingDevice::beginDocument()
{
    m_documents.push_back({"begin"});
}

void RecordingDevice::setFont(const PrintFont& font)
{
    m_size = font.size;
    std::string entry = "{";
    entry += number(font.size);
    if (font.bold)
        entry += " bold";
    if (font.italic)
        entry += " italic";
    if (!font.face.empty())
        entry += " face " + font.face;
    entry += '}';
    record(std::move(entry));
}

double RecordingDevice::textWidth(const std::string& text)
{
    std::size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;  // UTF-8 lead bytes
    return static_cast<double>(characters) * averageCharWidth();
}

double RecordingDevice::averageCharWidth()
{
    return m_size / 2.0;
}

double RecordingDevice::lineHeight()
{
    // Asked for as each line ends.
    m_documents.back().push_back(std::move(m_line));
    m_line.clear();
    return m_size * 1.25;
}

void RecordingDevice::drawText(double x, double top, const std::string& text)
{
    record(number(x) + " " + number(top) + " '" + text + "'");
}

std::string RecordingDevice::endDocument()
{
    m_documents.back().push_back("end");
    return "Report recorded.";
}

void RecordingDevice::abortDocument()
{
    m_line.clear();
    m_documents.back().push_back("abort");
}
