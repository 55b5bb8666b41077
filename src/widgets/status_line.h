#pragma once

#include <QLabel>

// The line under a window's design that tells what the last computation could not
// work out, or where a report went. A screen reader finds it as the window's
// status bar and can read its text.
class StatusLine : public QLabel {
    Q_OBJECT

public:
    explicit StatusLine(QWidget* parent);
};
