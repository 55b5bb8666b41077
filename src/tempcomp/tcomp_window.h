#pragma once

#include "fields/sheet_window.h"
#include "tempcomp/tcomp_sheet.h"

class EntryField;

// Temperature compensation: the fill pressures of the P-30 and P-36 classes at the
// temperature typed in degrees Fahrenheit. No menu, no icon of its own.
class TcompWindow : public SheetWindow {
    Q_OBJECT

public:
    explicit TcompWindow(QWidget* parent = nullptr);

    TcompSheet& sheet() { return m_sheet; }

protected:
    bool focusNextPrevChild(bool next) override;

private:
    TcompSheet m_sheet;
    EntryField* m_text1 = nullptr;
};
