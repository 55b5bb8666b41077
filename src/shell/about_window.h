#pragma once

#include <QMainWindow>

// The maker's details, the program's icon and the dispenser drawn large; closed
// with its close box. A frame to a screen reader, as the other windows are.
class AboutWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
