#pragma once

#include <string>

// Separator that moves the next item to the start of the next print zone; also
// allowed before a line's first item.
struct NextZone {};
inline constexpr NextZone nextZone{};

// One item of a print line: a text printed verbatim (a fixed text or a field's
// text, blanks included), a number, or a step to the next zone. Items that follow
// each other without a zone step are printed adjacent.
class PrintItem {
public:
    PrintItem() = default;
    PrintItem(std::string text) : m_text(std::move(text)) {}
    PrintItem(const char* text) : m_text(text) {}
    PrintItem(NextZone) : m_zoneStep(true) {}

    // A computed value in printer form: a blank for a value that is not negative
    // (the minus sign takes its place otherwise), the number text and one blank.
    static PrintItem number(double value);

    bool isZoneStep() const { return m_zoneStep; }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
    bool m_zoneStep = false;
};
