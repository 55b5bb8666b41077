#pragma once

#include <QLineEdit>

#include <functional>

// A field that holds a value text and shows it through a display format while it
// does not have the focus ("0.0123" shows "1.230%"); with the focus it shows the
// value itself, which the user may edit.
class FormattedField : public QLineEdit {
    Q_OBJECT

public:
    using Format = std::function<QString(const QString&)>;

    explicit FormattedField(Format format, QWidget* parent = nullptr);

    // "0.000%" (decimals 3) or "0.00%" (decimals 2): a fraction as a percentage.
    static Format percent(int decimals);
    // "0,000  PSI": a pressure as a whole number of psi.
    static Format psi();

    QString value() const { return m_value; }
    void setValue(const QString& value);

signals:
    void valueEdited(const QString& value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showValue();

    Format m_format;
    QString m_value;
};
