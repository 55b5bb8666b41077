#pragma once

// The frame of every dialog the program opens: a body of fields or text over a row
// of buttons. A dialog larger than the screen at the current scale takes the
// screen's size and its body scrolls, the buttons staying in sight below it and the
// field the focus goes to scrolled into view; at scale 1 on an ordinary screen it
// shows as laid out.

#include <QDialog>

class QDialogButtonBox;
class QScrollArea;
class QVBoxLayout;

class FittedDialog : public QDialog {
    Q_OBJECT

public:
    FittedDialog(const QString& title, QWidget* parent);
    ~FittedDialog() override;

    QVBoxLayout* body() const { return m_body; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void setVisible(bool visible) override;

private:
    void showFocused(QWidget* focused);

    QScrollArea* m_scroll = nullptr;
    QVBoxLayout* m_body = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QMetaObject::Connection m_focusFollowed;
};
