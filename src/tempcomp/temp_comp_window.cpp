#include "tempcomp/temp_comp_window.h"

#include "maker/maker.h"
#include "widgets/design.h"

#include <QLineEdit>

TempCompWindow::TempCompWindow(QWidget* parent)
    : SheetWindow(QStringLiteral("Temperature Compensation"), 4905, 2700, design::kAqua, parent)
{
    const Look pressure{design::kYellow};
    // The first activation of the window gives the temperature the focus, and its
    // focus reaction shows the pressures for the design temperature.
    place(m_sheet,
          {
              {m_sheet.temperature, Kind::Entry, {1080, 960, 495, 285}},
              {m_sheet.p30Pressure, Kind::Psi, {2520, 720, 1095, 285}, pressure},
              {m_sheet.p36Pressure, Kind::Psi, {2520, 1920, 1095, 285}, pressure},
          },
          {
              {qText(maker::kName), {360, 120, 3255, 270}, {{}, {}, 12}},
              {"P-30", {2040, 720, 405, 195}, {}, {m_sheet.p30Pressure}},
              {"P-36", {2040, 1920, 405, 195}, {}, {m_sheet.p36Pressure}},
              {"Temperature", {720, 1320, 1080, 195}, {}, {m_sheet.temperature}},
          });
}

// The fill limit a pressure crosses, one hover away after its whole value.
QString TempCompWindow::remarkOn(FieldId field) const
{
    return field == m_sheet.p30Pressure || field == m_sheet.p36Pressure ? qText(m_sheet.limitCrossed(field))
                                                                        : QString();
}

// The temperature is the only tab stop, so Tab, and the Tab that Enter queues, find
// no other field to move to and the focus stays. That is no new arrival for Qt, so
// the text is selected here as on any arrival: the next digit typed replaces it.
bool TempCompWindow::focusNextPrevChild(bool next)
{
    const bool moved = SheetWindow::focusNextPrevChild(next);
    auto* temperature = qobject_cast<QLineEdit*>(widgetOf(m_sheet.temperature));
    if (focusWidget() != temperature)
        return moved;
    temperature->selectAll();
    return true;
}
