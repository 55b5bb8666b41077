#pragma once

#include "fields/sheet_window.h"

// Temperature compensation: the fill pressures of the P-30 and P-36 classes at the
// temperature typed in degrees Fahrenheit.
class TcompWindow : public SheetWindow {
    Q_OBJECT

public:
    explicit TcompWindow(QWidget* parent = nullptr);
};
