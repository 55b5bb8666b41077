#include "fields/sheet_window.h"

#include "fields/design.h"
#include "fields/display_format.h"
#include "fields/entry_field.h"
#include "fields/formatted_field.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

SheetWindow::SheetWindow(const QString& caption, int clientWidth, int clientHeight, QColor background,
                         QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_area = new QWidget(central);
    m_area->setFixedSize(design::size(clientWidth, clientHeight));
    m_area->setFont(design::font(8.25));
    QPalette palette = m_area->palette();
    palette.setColor(QPalette::Window, background);
    m_area->setPalette(palette);
    m_area->setAutoFillBackground(true);
    layout->addWidget(m_area);

    // Two lines, so that the longest message fits in the narrowest window.
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setFont(design::font(8.25, false));
    m_status->setWordWrap(true);
    m_status->setFixedSize(m_area->width(), 2 * QFontMetrics(m_status->font()).lineSpacing() + 6);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_status->setContentsMargins(4, 1, 4, 1);
    QPalette statusPalette = m_status->palette();
    statusPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    m_status->setPalette(statusPalette);
    layout->addWidget(m_status);

    setCentralWidget(central);
}

QString SheetWindow::statusText() const { return m_status->text(); }

void SheetWindow::place(Sheet& sheet, std::initializer_list<FieldPlace> fields,
                        std::initializer_list<LabelPlace> labels)
{
    m_bound = &sheet;
    m_widgets.assign(sheet.fieldCount(), nullptr);
    sheet.setObserver([this](FieldId field) { fieldWritten(field); });
    QWidget* previousStop = nullptr;
    for (const FieldPlace& field : fields) {
        QWidget* widget = addField(field);
        if (field.kind != Kind::Entry)
            continue;
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previousStop)
            QWidget::setTabOrder(previousStop, widget);
        else
            widget->setFocus(Qt::OtherFocusReason);  // the focus when first shown
        previousStop = widget;
    }
    for (const LabelPlace& place : labels) {
        auto* label = new QLabel(place.caption, m_area);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeWidget(label, place.twips, place.look);
        if (place.labels != FieldId())
            label->setBuddy(widgetOf(place.labels));
    }
}

QWidget* SheetWindow::addField(const FieldPlace& place)
{
    const FieldId field = place.field;
    const QString text = qText(m_bound->text(field));
    QLineEdit* line = nullptr;
    if (place.kind == Kind::Entry || place.kind == Kind::MouseEntry) {
        auto* entry = new EntryField(m_area);
        connect(entry, &EntryField::focused, this, [this, field] { userEvent(field, &Sheet::focus); });
        connect(entry, &EntryField::enterPressed, this, [this, field] { userEvent(field, &Sheet::enter); });
        line = entry;
    } else if (place.kind == Kind::Result) {
        line = new QLineEdit(m_area);
    } else {
        const int decimals = place.kind == Kind::Percent3 ? 3 : 2;
        auto* formatted = new FormattedField(place.kind == Kind::Psi ? FormattedField::Format(psiDisplay)
                                                                       : [decimals](std::string_view value) {
                                                                             return percentDisplay(value, decimals);
                                                                         },
                                             m_area);
        connect(formatted, &FormattedField::valueEdited, this, [this, field](const QString& value) {
            m_bound->type(field, value.toStdString());
            showStatus();
        });
        formatted->setValue(text);
        line = formatted;
    }
    if (!qobject_cast<FormattedField*>(line)) {
        line->setText(text);
        connect(line, &QLineEdit::textEdited, this, [this, field](const QString& edited) {
            m_bound->type(field, edited.toStdString());
            showStatus();
        });
    }
    // A value longer than its field shows its beginning, its sign and leading
    // digits, whenever the field is not being edited; the whole value is one
    // hover away.
    connect(line, &QLineEdit::textChanged, line, [line] {
        line->setToolTip(line->text());
        if (!line->hasFocus() && !line->isModified())  // written, not typed
            line->setCursorPosition(0);
    });
    line->setToolTip(line->text());
    line->setCursorPosition(0);
    line->installEventFilter(this);
    line->setFocusPolicy(Qt::ClickFocus);
    line->setObjectName(qText(m_bound->name(field)));
    // A screen reader names the field as the status line does.
    line->setAccessibleName(qText(m_bound->caption(field)));
    placeWidget(line, place.twips, place.look);
    m_widgets.at(field.index()) = line;
    return line;
}

void SheetWindow::placeWidget(QWidget* widget, const QRect& twips, const Look& look)
{
    widget->setGeometry(design::rect(twips));
    if (look.points > 0)
        widget->setFont(design::font(look.points));
    QPalette palette = widget->palette();
    if (look.background.isValid()) {
        palette.setColor(QPalette::Window, look.background);
        palette.setColor(QPalette::Base, look.background);
        widget->setAutoFillBackground(true);
    }
    if (look.text.isValid()) {
        palette.setColor(QPalette::WindowText, look.text);
        palette.setColor(QPalette::Text, look.text);
    }
    widget->setPalette(palette);
}

QWidget* SheetWindow::widgetOf(FieldId field) const { return m_widgets.at(field.index()); }

void SheetWindow::showEvent(QShowEvent* event)
{
    // A two-line caption in this face needs a pixel more than the designs give it;
    // the label grows downwards rather than cut the descenders of its last line.
    if (!m_captionsFitted) {
        m_captionsFitted = true;
        for (QLabel* label : m_area->findChildren<QLabel*>()) {
            const QRect needed = label->fontMetrics().boundingRect(QRect(QPoint(), label->contentsRect().size()),
                                                                   Qt::TextWordWrap, label->text());
            if (needed.height() > label->contentsRect().height())
                label->resize(label->width(), label->height() + needed.height() - label->contentsRect().height());
        }
    }
    QMainWindow::showEvent(event);
}

bool SheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a field for another one ends its editing; leaving the window for a
    // while, or opening a menu over it, does not.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            static_cast<QLineEdit*>(watched)->setCursorPosition(0);
    }
    return QMainWindow::eventFilter(watched, event);
}

void SheetWindow::showNote(const QString& note)
{
    m_status->setText(note);
    m_status->setToolTip(note);
}

void SheetWindow::userEvent(FieldId field, void (Sheet::*event)(FieldId))
{
    (m_bound->*event)(field);
    showStatus();
}

void SheetWindow::fieldWritten(FieldId field)
{
    QWidget* widget = m_widgets.at(field.index());
    if (!widget)
        return;  // a hidden work field
    const QString text = qText(m_bound->text(field));
    if (auto* formatted = qobject_cast<FormattedField*>(widget)) {
        formatted->setValue(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        if (line->text() != text)
            line->setText(text);
    }
}

void SheetWindow::showStatus() { showNote(qText(m_bound->status())); }
