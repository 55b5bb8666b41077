#pragma once

#include "layout/page_device.h"
#include "layout/print_font.h"
#include "layout/print_item.h"

#include <optional>
#include <string>
#include <vector>

// The line printer a report writes its page to. A report is a sequence of lines
// printed top to bottom: horizontal places come only from print zones, vertical
// ones only from lines and their fonts. The page is the device's.
class Printer {
public:
    explicit Printer(PageDevice& device) : m_device(device) {}
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The font settings persist from one line to the next.
    float fontSize() const { return m_font.size; }
    void setFontSize(float points) { m_font.size = points; }
    bool fontBold() const { return m_font.bold; }
    void setFontBold(bool on) { m_font.bold = on; }
    bool fontItalic() const { return m_font.italic; }
    void setFontItalic(bool on) { m_font.italic = on; }
    // An empty name names no face: the device's own sans-serif face is used.
    const std::string& fontName() const { return m_font.face; }
    void setFontName(std::string face) { m_font.face = std::move(face); }

    // Prints one line and ends it; with no items, a blank line.
    void print(const std::vector<PrintItem>& items = {});
    void printBlankLines(int count);

private:
    PageDevice& m_device;
    PrintFont m_font;
    std::optional<PrintFont> m_deviceFont;
    double m_top = 0.0;
};
