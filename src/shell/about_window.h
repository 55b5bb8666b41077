#pragma once

#include <QWidget>

// The maker's details and the program's icon; closed with its close box.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
