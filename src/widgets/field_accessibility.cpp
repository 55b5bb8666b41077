#include "widgets/field_accessibility.h"

#include "widgets/announcer.h"
#include "widgets/entry_field.h"
#include "widgets/formatted_field.h"
#include "widgets/sheet_window.h"
#include "widgets/status_line.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {

// The text interface of a field or of the status line: its characters, and for a
// field its caret and selection.
class TextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    virtual QString whole() const = 0;
    using QAccessibleWidget::text;
    QString text(int start, int end) const override { return whole().mid(start, end - start); }
    int characterCount() const override { return int(whole().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }
};

class StatusLineAccessible : public TextAccessible {
public:
    explicit StatusLineAccessible(QLabel* line) : TextAccessible(line, QAccessible::StatusBar) {}
    QString whole() const override { return static_cast<QLabel*>(widget())->text(); }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? whole() : TextAccessible::text(kind);
    }
};

// A field as Qt shows a line edit, labelled by the captions its window's design
// gives it.
class FieldAccessible : public TextAccessible, public QAccessibleEditableTextInterface {
public:
    explicit FieldAccessible(QLineEdit* field) : TextAccessible(field, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    }
    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::EditableTextInterface ? static_cast<QAccessibleEditableTextInterface*>(this)
                                                          : TextAccessible::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? field()->text() : TextAccessible::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = TextAccessible::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto relations = QAccessibleWidget::relations(match & ~QAccessible::Label);
        if (auto* window = qobject_cast<SheetWindow*>(field()->window()); window && (match & QAccessible::Label)) {
            for (QLabel* label : window->captionsOf(field()))
                relations.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
        }
        return relations;
    }

    QString whole() const override { return field()->text(); }
    void selection(int, int* start, int* end) const override
    {
        *start = field()->selectionStart();
        *end = *start + int(field()->selectedText().size());
        if (*start < 0)
            *start = *end = 0;
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { field()->setSelection(start, end - start); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int start, int end) override { field()->setSelection(start, end - start); }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    // Written as typing is: the window passes every change of an entry's text on to
    // its sheet. A result is read-only here as on the screen.
    void replaceText(int start, int end, const QString& text) override
    {
        if (!field()->isReadOnly())
            field()->setText(field()->text().replace(start, end - start, text));
    }
};

// Found by type, so a renamed or derived class keeps its interface.
QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (qobject_cast<EntryField*>(object) || qobject_cast<FormattedField*>(object))
        return new FieldAccessible(static_cast<QLineEdit*>(object));
    if (auto* line = qobject_cast<StatusLine*>(object))
        return new StatusLineAccessible(line);
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

// The field the focus is moving to, until Qt has told of its focus.
QPointer<QObject> focusing;

void inFocusOrder(QAccessibleEvent* event)
{
    if (focusing && event->object() == focusing) {
        if (event->type() == QAccessible::TextCaretMoved || event->type() == QAccessible::TextSelectionChanged)
            return;
        if (event->type() == QAccessible::Focus)
            focusing = nullptr;
    }
    QAccessible::installUpdateHandler(nullptr);  // Qt's own handler, the bridge to the screen reader
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(inFocusOrder);
}

class FocusWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && qobject_cast<QLineEdit*>(watched))
            focusing = watched;
        return false;
    }
};

}  // namespace

void installFieldAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
    QAccessible::installUpdateHandler(inFocusOrder);
    qApp->installEventFilter(new FocusWatch(qApp));
}
