#pragma once

#include "printing/print_font.h"

#include <string>

// Where one document goes: a printer, a PDF file or a recording for tests. The
// Printer does all the line and zone layout; a device only measures and places
// text. Lengths are in the device's own units, offsets from the top left corner of
// its printable area.
class PageDevice {
public:
    virtual ~PageDevice() = default;

    // Opens the document. Raises PrintFailed when the device cannot take one.
    virtual void beginDocument() = 0;
    virtual void setFont(const PrintFont& font) = 0;
    // Metrics of the font last set.
    virtual double textWidth(const std::string& text) = 0;
    virtual double averageCharWidth() = 0;
    virtual double lineHeight() = 0;
    // top: the top of the line the text stands on.
    virtual void drawText(double x, double top, const std::string& text) = 0;
    // Hands the page over and says what became of it ("Report sent to Office as job
    // 12."). Raises PrintFailed when the device does not take it; the document is
    // closed either way.
    virtual std::string endDocument() = 0;
    // Discards the document; nothing reaches the printer.
    virtual void abortDocument() = 0;
};
