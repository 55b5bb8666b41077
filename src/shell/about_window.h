#pragma once

#include <QMainWindow>

// The maker's details, the program's version and icon and the dispenser drawn large;
// Esc, Enter or the close box close it. A frame to a screen reader, as the other
// windows are.
class AboutWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
