#include "widgets/sheet_window.h"

#include "widgets/design.h"
#include "sheet/display_format.h"
#include "widgets/entry_field.h"
#include "widgets/announcer.h"
#include "widgets/field_accessibility.h"
#include "widgets/formatted_field.h"
#include "widgets/status_line.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QLayout>
#include <QVBoxLayout>

#include <utility>

SheetWindow::SheetWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QWidget* parent)
    : QMainWindow(parent)
{
    installFieldAccessibility();
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

    m_status = new StatusLine(central);
    m_status->setFixedSize(m_area->width(), 2 * m_status->fontMetrics().lineSpacing() + 6);
    m_statusHeight = m_status->height();
    layout->addWidget(m_status);
    m_announcer = new Announcer(central);
    setCentralWidget(central);

    // Not a key of the fields' own: the Tab chain and the fields' editing stay as they are.
    auto* read = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(read, &QShortcut::activated, this, &SheetWindow::readResults);
}

QString SheetWindow::statusText() const { return m_status->text(); }

QList<QLabel*> SheetWindow::captionsOf(const QWidget* field) const
{
    const auto found = m_captions.find(field);
    return found == m_captions.end() ? QList<QLabel*>() : found->second;
}

void SheetWindow::place(Sheet& sheet, std::initializer_list<FieldPlace> fields,
                        std::initializer_list<LabelPlace> labels)
{
    m_bound = &sheet;
    m_widgets.assign(sheet.fieldCount(), nullptr);
    sheet.setObserver([this](FieldId field) { fieldWritten(field); });
    QWidget* previousStop = nullptr;
    for (const FieldPlace& field : fields) {
        QWidget* widget = addField(field);
        if (field.kind != Kind::Entry) {
            m_results.push_back(widget);  // computed, though some may be typed over
            continue;
        }
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previousStop)
            QWidget::setTabOrder(previousStop, widget);
        else
            m_firstField = widget;
        previousStop = widget;
    }
    for (const LabelPlace& place : labels) {
        auto* label = new QLabel(place.caption, m_area);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeWidget(label, place.twips, place.look);
        for (FieldId field : place.names)
            m_captions[widgetOf(field)].append(label);
        if (place.names.size() == 1)
            label->setBuddy(widgetOf(place.names.front()));
    }
    for (const auto& [field, captions] : m_captions) {
        QStringList names;
        for (const QLabel* caption : captions)
            names << caption->text();
        const_cast<QWidget*>(field)->setAccessibleName(names.join(", "));
    }
}

QWidget* SheetWindow::addField(const FieldPlace& place)
{
    const FieldId field = place.field;
    const QString text = qText(m_bound->text(field));
    QLineEdit* line = nullptr;
    if (place.kind == Kind::Entry) {
        auto* entry = new EntryField(m_area);
        entry->setText(text);
        connect(entry, &EntryField::focused, this,
                [this, field] { userEvent([this, field] { m_bound->focus(field); }, Event::Focus); });
        connect(entry, &EntryField::enterPressed, this,
                [this, field] { userEvent([this, field] { m_bound->enter(field); }, Event::Enter); });
        // Every change of the text that the window did not make reaches the sheet by
        // this one path: typing, paste, undo and redo, drag and drop, and a screen
        // reader or voice control writing through the field's accessible interface.
        connect(entry, &QLineEdit::textChanged, this, [this, field](const QString& changed) {
            if (!m_showing)
                userEvent([this, field, changed] { m_bound->type(field, changed.toStdString()); }, Event::Typed);
        });
        line = entry;
    } else {
        const int decimals = place.kind == Kind::Percent3 ? 3 : 2;
        const FormattedField::Format format =
            place.kind == Kind::Result ? [](std::string_view value) { return std::string(value); }
            : place.kind == Kind::Psi  ? FormattedField::Format(psiDisplay)
                                       : [decimals](std::string_view value) { return percentDisplay(value, decimals); };
        auto* formatted = new FormattedField(format, m_area);
        formatted->setValue(text);
        // A page shows only numbers the program computed: a result can be selected,
        // copied and read, never typed over.
        formatted->setReadOnly(true);
        line = formatted;
    }
    // A value longer than its field shows its beginning, its sign and leading
    // digits, whenever the field is not being edited; the whole value is one
    // hover away.
    connect(line, &QLineEdit::textChanged, line, [this, line, field] {
        line->setToolTip(toolTipOf(field, line->text()));
        if (!line->hasFocus() && !line->isModified())  // written, not typed
            line->setCursorPosition(0);
    });
    line->setToolTip(toolTipOf(field, line->text()));
    line->setCursorPosition(0);
    line->installEventFilter(this);
    line->setFocusPolicy(Qt::ClickFocus);
    line->setObjectName(qText(m_bound->name(field)));
    // A screen reader describes the field as the status line names it.
    line->setAccessibleDescription(qText(m_bound->caption(field)));
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

void SheetWindow::setVisible(bool visible)
{
    if (visible)
        fitScreen();
    // The first field has the focus when the window first shows, in a scroll area too.
    if (visible && m_firstField && !std::exchange(m_focusGiven, true))
        m_firstField->setFocus(Qt::OtherFocusReason);
    QMainWindow::setVisible(visible);
}

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

namespace {

// Room kept round a field scrolled into view.
constexpr int kMargin = 12;

}  // namespace

// At a scale at which the window is larger than the screen, the design opens in a
// scroll area the size of the screen, and a field that gets the focus is scrolled
// into view. The layout inside is the design's.
void SheetWindow::fitScreen()
{
    if (m_scroll || !screen())
        return;
    const QSize room = screen()->availableGeometry().size();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize needed = sizeHint() + frame;
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return;
    QWidget* designed = takeCentralWidget();
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(designed);
    m_scroll->setWidgetResizable(false);
    setCentralWidget(m_scroll);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // The scroll area is no stop of its own: Tab and Enter go round the fields as
    // they do without it.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->installEventFilter(this);
    resize((needed
            + QSize(m_scroll->verticalScrollBar()->sizeHint().width(),
                    m_scroll->horizontalScrollBar()->sizeHint().height()))
               .boundedTo(design::roomOnScreen(this) - frame));
}

void SheetWindow::showFocusedField()
{
    // Once the scroll area has worked out its view from its new size.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QWidget* field = focusWidget();
            if (!field || !m_scroll || !m_scroll->widget()->isAncestorOf(field))
                return;
            // The whole field, not only its caret.
            const QRect place(field->mapTo(m_scroll->widget(), QPoint()), field->size());
            m_scroll->ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + kMargin,
                                    place.height() / 2 + kMargin);
        },
        Qt::QueuedConnection);
}

bool SheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_scroll
        && (event->type() == QEvent::FocusIn || (watched == m_scroll->viewport() && event->type() == QEvent::Resize)))
        showFocusedField();
    if (watched == (m_scroll ? m_scroll->viewport() : nullptr))
        return QMainWindow::eventFilter(watched, event);
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
    if (note != m_lastingNote)
        m_lastingNote.clear();
    if (note != m_status->text() && !note.isEmpty())
        m_announcer->say(note);
    setStatus(note);
}

void SheetWindow::showLastingNote(const QString& note)
{
    showNote(note);
    m_lastingNote = note;
}

void SheetWindow::setStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setToolTip(plainToolTip(text));
    // A long message makes the line, and the window, as high as it needs, and the
    // next short one as they were.
    const QMargins margins = m_status->contentsMargins();
    const QRect needed =
        m_status->fontMetrics().boundingRect(QRect(0, 0, m_status->width() - margins.left() - margins.right(),
                                                   QWIDGETSIZE_MAX),
                                             Qt::TextWordWrap, text);
    const int height = std::max(m_statusHeight, needed.height() + margins.top() + margins.bottom() + 6);
    if (height == m_status->height())
        return;
    m_status->setFixedHeight(height);
    if (!m_scroll && isVisible()) {
        m_status->parentWidget()->layout()->activate();
        adjustSize();
    }
}

QString SheetWindow::plainToolTip(const QString& text)
{
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

QString SheetWindow::remarkOn(FieldId) const { return {}; }

void SheetWindow::sheetEventDone() {}

QString SheetWindow::toolTipOf(FieldId field, const QString& shown) const
{
    const QString remark = remarkOn(field);
    return plainToolTip(remark.isEmpty() ? shown : shown + ": " + remark + '.');
}

QString SheetWindow::spoken(const QWidget* field) const
{
    return field->accessibleName() + ' ' + static_cast<const QLineEdit*>(field)->text();
}

void SheetWindow::userEvent(const std::function<void()>& event, Event kind)
{
    if (kind == Event::Focus)
        m_written.clear();
    const std::string before = m_bound->status();
    const std::size_t writtenBefore = m_written.size();
    event();
    sheetEventDone();
    if (kind != Event::Typed)
        readingSettled();
    // Going from field to field, by Tab or by an Enter that computes nothing, is no
    // act on the window: a note, such as the one about a missing face, stays until
    // the technician types or an Enter computes.
    const bool computed = kind == Event::Enter ? !m_written.empty() : m_written.size() != writtenBefore;
    if (kind != Event::Typed && m_bound->status() == before && !computed)
        return;
    const QString status = m_bound->status().empty() ? m_lastingNote : qText(m_bound->status());
    if (kind != Event::Enter) {
        showNote(status);
        return;
    }
    QStringList results;
    for (QWidget* written : m_written) {
        if (written != focusWidget())
            results << spoken(written);
    }
    m_written.clear();
    if (results.isEmpty()) {
        showNote(status);
        return;
    }
    // The results and their message are spoken together, once the Tab that the
    // Enter queued has moved the focus: a screen reader that hears of the move after
    // the results may drop them as out of date.
    if (!status.isEmpty() && status != m_lastingNote)  // a lasting note is said once
        results << status;
    QMetaObject::invokeMethod(
        m_announcer, [announcer = m_announcer, said = results.join(", ")] { announcer->say(said); },
        Qt::QueuedConnection);
    setStatus(status);
}

void SheetWindow::readResults()
{
    QStringList results;
    for (QWidget* result : m_results)
        results << spoken(result);
    if (!statusText().isEmpty())
        results << statusText();
    m_announcer->say(results.join(", "));
}

std::map<std::string, std::string> SheetWindow::readings() const
{
    std::map<std::string, std::string> typed;
    for (FieldId reading : m_bound->readingsInOrder())
        typed[m_bound->name(reading)] = m_bound->text(reading);
    return typed;
}

void SheetWindow::retype(const std::map<std::string, std::string>& readings, bool asOpened)
{
    const bool none = m_bound->typeReadings(readings);
    for (FieldId reading : m_bound->readingsInOrder())
        fieldWritten(reading);
    m_written.clear();
    sheetEventDone();
    setStatus(none || asOpened ? QString() : qText(m_bound->status()));
}

void SheetWindow::fieldWritten(FieldId field)
{
    QWidget* widget = m_widgets.at(field.index());
    if (!widget)
        return;  // a hidden work field
    if (std::find(m_written.begin(), m_written.end(), widget) == m_written.end())
        m_written.push_back(widget);
    const QString text = qText(m_bound->text(field));
    m_showing = true;
    if (auto* formatted = qobject_cast<FormattedField*>(widget)) {
        formatted->setValue(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        if (line->text() != text)
            line->setText(text);
    }
    m_showing = false;
}
