#pragma once

#include <QWidget>

// Speaks a text to a screen reader without moving the keyboard focus: an unseen
// notification that shows itself anew with each text. Orca reads it out, after the
// word "notification".
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void say(const QString& text);
};
