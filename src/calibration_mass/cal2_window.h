#pragma once

#include "fields/sheet_window.h"

// The calibration worksheet for a dispenser with a mass display.
class Cal2Window : public SheetWindow {
    Q_OBJECT

public:
    explicit Cal2Window(QWidget* parent = nullptr);
};
