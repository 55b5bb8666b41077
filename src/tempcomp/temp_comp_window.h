#pragma once

#include "widgets/sheet_window.h"
#include "tempcomp/temp_comp_sheet.h"

// Temperature compensation: the fill pressures of the P-30 and P-36 classes at the
// temperature typed in degrees Fahrenheit. No menu, no icon of its own.
class TempCompWindow : public SheetWindow {
    Q_OBJECT

public:
    explicit TempCompWindow(QWidget* parent = nullptr);

    TempCompSheet& sheet() { return m_sheet; }

protected:
    bool focusNextPrevChild(bool next) override;
    QString remarkOn(FieldId field) const override;

private:
    TempCompSheet m_sheet;
};
