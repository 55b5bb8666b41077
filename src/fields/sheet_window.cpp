#include "fields/sheet_window.h"

#include "fields/design.h"
#include "fields/entry_field.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QString qText(const std::string& text) { return QString::fromStdString(text); }

} // namespace

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

void SheetWindow::bind(Sheet& sheet)
{
    m_sheet = &sheet;
    m_widgets.assign(sheet.fieldCount(), nullptr);
    sheet.setObserver([this](FieldId field) { fieldWritten(field); });
}

void SheetWindow::placeField(QWidget* widget, FieldId field, const QRect& twips, const Look& look)
{
    widget->setObjectName(qText(m_sheet->name(field)));
    // A screen reader names the field as the status line does.
    widget->setAccessibleName(qText(m_sheet->caption(field)));
    place(widget, twips, look);
    m_widgets.at(field.index()) = widget;
}

void SheetWindow::place(QWidget* widget, const QRect& twips, const Look& look)
{
    widget->setGeometry(design::rect(twips.x(), twips.y(), twips.width(), twips.height()));
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

QLabel* SheetWindow::addLabel(const QString& caption, const QRect& twips, const Look& look)
{
    auto* label = new QLabel(caption, m_area);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, twips, look);
    return label;
}

EntryField* SheetWindow::addEntry(FieldId field, const QRect& twips, const Look& look)
{
    auto* entry = new EntryField(m_area);
    entry->setText(qText(m_sheet->text(field)));
    placeField(entry, field, twips, look);
    connect(entry, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_sheet->type(field, text.toStdString());
        eventDone();
    });
    connect(entry, &EntryField::focused, this, [this, field] {
        m_sheet->focus(field);
        eventDone();
    });
    connect(entry, &EntryField::enterPressed, this, [this, field] {
        m_sheet->enter(field);
        eventDone();
    });
    return entry;
}

QLineEdit* SheetWindow::addResult(FieldId field, const QRect& twips, const Look& look)
{
    auto* result = new QLineEdit(m_area);
    result->setText(qText(m_sheet->text(field)));
    result->setFocusPolicy(Qt::ClickFocus);
    placeField(result, field, twips, look);
    connect(result, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_sheet->type(field, text.toStdString());
        eventDone();
    });
    return result;
}

FormattedField* SheetWindow::addFormatted(FieldId field, const QRect& twips, FormattedField::Format format,
                                          const Look& look)
{
    auto* formatted = new FormattedField(std::move(format), m_area);
    formatted->setValue(qText(m_sheet->text(field)));
    formatted->setFocusPolicy(Qt::ClickFocus);
    placeField(formatted, field, twips, look);
    connect(formatted, &FormattedField::valueEdited, this, [this, field](const QString& value) {
        m_sheet->type(field, value.toStdString());
        eventDone();
    });
    return formatted;
}

void SheetWindow::setTabChain(std::initializer_list<QWidget*> chain)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : chain) {
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    // The first tab stop has the focus when the window is first shown.
    if (chain.size() > 0)
        (*chain.begin())->setFocus(Qt::OtherFocusReason);
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

void SheetWindow::fieldWritten(FieldId field)
{
    QWidget* widget = m_widgets.at(field.index());
    if (!widget)
        return;  // a hidden work field
    const QString text = qText(m_sheet->text(field));
    if (auto* formatted = qobject_cast<FormattedField*>(widget)) {
        formatted->setValue(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        if (line->text() != text)
            line->setText(text);
    }
}

void SheetWindow::eventDone()
{
    const QString status = qText(m_sheet->status());
    m_status->setText(status);
    m_status->setToolTip(status);
}
