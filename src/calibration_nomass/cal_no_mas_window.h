#pragma once

#include "fields/sheet_window.h"

// The calibration worksheet for a dispenser whose display shows gallon equivalents.
class CalNoMasWindow : public SheetWindow {
    Q_OBJECT

public:
    explicit CalNoMasWindow(QWidget* parent = nullptr);
};
