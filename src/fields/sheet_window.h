#pragma once

// The frame every calculating window shares: a design area of fixed size in which
// labels and fields stand where the design puts them, a status line under it that
// tells what the last computation could not work out, and the binding of the
// fields to the window's sheet.

#include "fields/formatted_field.h"
#include "fields/sheet.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

#include <initializer_list>
#include <vector>

class EntryField;
class QLabel;
class QLineEdit;

class SheetWindow : public QMainWindow {
    Q_OBJECT

public:
    // The status line's text, empty while the last computation went through.
    QString statusText() const;

protected:
    // client: the design's client area in twips; the status line comes below it.
    SheetWindow(const QString& caption, int clientWidth, int clientHeight, QColor background,
                QWidget* parent = nullptr);

    // Must be called before any field is added.
    void bind(Sheet& sheet);

    struct Look {
        QColor background;  // invalid: the window's colour shows through
        QColor text;        // invalid: the default text colour
    };

    QWidget* area() const { return m_area; }
    QLabel* addLabel(const QString& caption, const QRect& twips, const Look& look = {});
    // A typed field with the focus and Enter reactions; a tab stop.
    EntryField* addEntry(FieldId field, const QRect& twips, const Look& look = {});
    // A computed field: shown, editable, reached by the mouse only.
    QLineEdit* addResult(FieldId field, const QRect& twips, const Look& look = {});
    FormattedField* addFormatted(FieldId field, const QRect& twips, FormattedField::Format format,
                                 const Look& look = {});
    // The tab stops in order; Tab and Enter go round them. The first has the focus
    // when the window is first shown.
    void setTabChain(std::initializer_list<QWidget*> chain);

    QWidget* widgetOf(FieldId field) const;

    void showEvent(QShowEvent* event) override;

private:
    void place(QWidget* widget, const QRect& twips, const Look& look);
    void placeField(QWidget* widget, FieldId field, const QRect& twips, const Look& look);
    void fieldWritten(FieldId field);
    void eventDone();

    Sheet* m_sheet = nullptr;
    QWidget* m_area = nullptr;
    QLabel* m_status = nullptr;
    std::vector<QWidget*> m_widgets;
    bool m_captionsFitted = false;
};
