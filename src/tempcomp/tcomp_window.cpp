#include "tempcomp/tcomp_window.h"

#include "fields/design.h"
#include "fields/entry_field.h"

#include <QLabel>

namespace {

const QColor kYellow = design::rgb(255, 255, 0);


} // namespace

TcompWindow::TcompWindow(QWidget* parent)
    : SheetWindow(QStringLiteral("Temperature Compensation"), 4905, 2700, design::rgb(0, 255, 255), parent)
{
    bind(m_sheet);

    addLabel(QStringLiteral("Vantrel, Inc."), QRect(360, 120, 3255, 270))->setFont(design::font(12));
    addLabel(QStringLiteral("P-30"), QRect(2040, 720, 405, 195));
    addLabel(QStringLiteral("P-36"), QRect(2040, 1920, 405, 195));
    addLabel(QStringLiteral("Temperature"), QRect(720, 1320, 1080, 195));

    m_text1 = addEntry(m_sheet.Text1, QRect(1080, 960, 495, 285));
    addFormatted(m_sheet.MaskedEdit3, QRect(2520, 720, 1095, 285), FormattedField::psi(), {kYellow, {}});
    addFormatted(m_sheet.MaskedEdit4, QRect(2520, 1920, 1095, 285), FormattedField::psi(), {kYellow, {}});
    // The first activation of the window gives Text1 the focus, and its focus
    // reaction shows the pressures for the design temperature.
    setTabChain({m_text1});
}

// Text1 is the only tab stop, so Tab, and the Tab that Enter queues, find no other
// field to move to and the focus stays. That is no new arrival for Qt, so the text
// is selected here as on any arrival: the next digit typed replaces it.
bool TcompWindow::focusNextPrevChild(bool next)
{
    const bool moved = SheetWindow::focusNextPrevChild(next);
    if (focusWidget() != m_text1)
        return moved;
    m_text1->selectAll();
    return true;
}
