#pragma once

#include <QLineEdit>

// A field the technician types into. Getting the focus (by Tab, Enter or the mouse)
// selects the whole text, so the next digit replaces it. Enter never reaches the
// text: it queues a Tab, which moves the focus on only after the Enter's
// computation has finished, and then announces itself.
class EntryField : public QLineEdit {
    Q_OBJECT

public:
    explicit EntryField(QWidget* parent = nullptr);

signals:
    void focused();
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_selectOnPress = false;
    bool m_leftWithWindow = false;
};
