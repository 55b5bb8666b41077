#pragma once

#include "printing/page_device.h"
#include "printing/print_font.h"
#include "printing/print_item.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The process-wide printer the reports write to. A report is a sequence of lines
// printed top to bottom: horizontal places come only from print zones, vertical
// ones only from lines and their fonts. The first line after a document ends opens a new
// document on a device the source provides (the system's default printer in the
// program); endDocument hands the page over.
class Printer {
public:
    // Provides the device for each new document; nullptr when there is no printer.
    using DeviceSource = std::function<std::unique_ptr<PageDevice>()>;

    explicit Printer(DeviceSource source);
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    ~Printer();

    // The font settings persist from one line and one document to the next.
    float fontSize() const { return m_font.size; }
    void setFontSize(float points) { m_font.size = points; }
    bool fontBold() const { return m_font.bold; }
    void setFontBold(bool on) { m_font.bold = on; }
    bool fontItalic() const { return m_font.italic; }
    void setFontItalic(bool on) { m_font.italic = on; }
    // An empty name names no face: the device's own sans-serif face is used.
    const std::string& fontName() const { return m_font.face; }
    void setFontName(std::string face) { m_font.face = std::move(face); }

    // Prints one line and ends it; with no items, a blank line. Raises PrintFailed
    // when the line would open a document and the device cannot take one.
    void print(const std::vector<PrintItem>& items = {});
    void printBlankLines(int count);
    // Ends the document and hands it to the device. Raises PrintFailed when the
    // device does not take it; the document is closed either way.
    void endDocument();
    // What became of the last document ended ("Report sent to Office as job 12.").
    const std::string& lastDelivery() const { return m_lastDelivery; }
    // Discards the open document, if any, and a diversion not used yet.
    void abortDocument();
    bool documentOpen() const { return m_device != nullptr; }

    // The next document goes to this device instead of the source's.
    void divertNextDocument(std::unique_ptr<PageDevice> device);

private:
    void openDocument();

    DeviceSource m_source;
    std::unique_ptr<PageDevice> m_diverted;
    std::unique_ptr<PageDevice> m_device;
    PrintFont m_font;
    std::optional<PrintFont> m_deviceFont;
    double m_top = 0.0;
    std::string m_lastDelivery;
};
