#pragma once

#include "layout/print_font.h"

#include <string>

// What a page is laid out on: a PDF page, or a recording for tests. The Printer
// does all the line and zone layout; a device only measures and places text.
// Lengths are in the device's own units, offsets from the top left corner of its
// printable area.
class PageDevice {
public:
    virtual ~PageDevice() = default;

    virtual void setFont(const PrintFont& font) = 0;
    // Metrics of the font last set.
    virtual double textWidth(const std::string& text) = 0;
    virtual double averageCharWidth() = 0;
    virtual double lineHeight() = 0;
    // top: the top of the line the text stands on.
    virtual void drawText(double x, double top, const std::string& text) = 0;
};
