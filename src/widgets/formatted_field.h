#pragma once

#include <QLineEdit>

#include <functional>
#include <string>
#include <string_view>

// A field that holds a value text and shows it through a display format while it
// does not have the focus ("0.0123" shows "1.230%"); with the focus it shows the
// value itself.
class FormattedField : public QLineEdit {
    Q_OBJECT

public:
    using Format = std::function<std::string(std::string_view value)>;

    explicit FormattedField(Format format, QWidget* parent = nullptr);

    QString value() const { return m_value; }
    void setValue(const QString& value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showValue();

    Format m_format;
    QString m_value;
};
