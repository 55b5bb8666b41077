#include "layout/printer.h"

#include <cmath>

namespace {

// A print zone is 14 columns of the current font's average character width.
constexpr double kZoneColumns = 14.0;

}  // namespace

void Printer::print(const std::vector<PrintItem>& items)
{
    if (m_deviceFont != m_font) {
        m_device.setFont(m_font);
        m_deviceFont = m_font;
    }

    const double zone = kZoneColumns * m_device.averageCharWidth();
    double x = 0.0;
    for (const PrintItem& item : items) {
        if (item.isZoneStep()) {
            // The next boundary strictly beyond the offset: an item that ends on a
            // boundary, or runs past its zone, pushes the next one a zone further.
            x = (std::floor(x / zone) + 1.0) * zone;
            continue;
        }
        if (item.text().empty())
            continue;
        m_device.drawText(x, m_top, item.text());
        x += m_device.textWidth(item.text());
    }
    m_top += m_device.lineHeight();
}

void Printer::printBlankLines(int count)
{
    for (int line = 0; line < count; ++line)
        print();
}
