#include "widgets/fitted_dialog.h"

#include "widgets/design.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

FittedDialog::FittedDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes from field to field only
    auto* content = new QWidget(m_scroll);
    m_body = new QVBoxLayout(content);
    m_body->setContentsMargins(0, 0, 0, 0);
    m_scroll->setWidget(content);
    m_buttons = new QDialogButtonBox(this);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_buttons);
    m_focusFollowed =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { showFocused(now); });
}

// The focus moves while the widgets go, after this dialog has stopped being one.
FittedDialog::~FittedDialog() { disconnect(m_focusFollowed); }

// Sized before it first shows: as its body asks, up to the room on the screen.
void FittedDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        const QMargins margins = layout()->contentsMargins();
        const QSize room = design::roomOnScreen(this);
        // Buttons too many for a row on the screen stand one above the other.
        if (m_buttons->minimumSizeHint().width() + margins.left() + margins.right() > room.width())
            m_buttons->setOrientation(Qt::Vertical);
        layout()->activate();
        const QSize bodySize = m_scroll->widget()->sizeHint();
        const QSize needed(std::max(bodySize.width(), m_buttons->sizeHint().width()) + margins.left() + margins.right(),
                           bodySize.height() + layout()->spacing() + m_buttons->sizeHint().height() + margins.top()
                               + margins.bottom());
        QSize size = needed.boundedTo(room);
        // Room for a scroll bar where the body scrolls, as far as the screen allows.
        if (needed.height() > room.height())
            size.setWidth(std::min(room.width(), size.width() + m_scroll->verticalScrollBar()->sizeHint().width()));
        if (needed.width() > room.width())
            size.setHeight(
                std::min(room.height(), size.height() + m_scroll->horizontalScrollBar()->sizeHint().height()));
        m_scroll->setMinimumSize(0, 0);
        setMinimumSize(0, 0);
        resize(size);
        if (QScreen* shown = screen(); shown && size != needed)
            move(shown->availableGeometry().topLeft()
                 + QPoint(std::max(0, (room.width() - size.width()) / 2),
                          std::max(0, (room.height() - size.height()) / 2)));
    }
    QDialog::setVisible(visible);
}

void FittedDialog::showFocused(QWidget* focused)
{
    if (focused && m_scroll->widget()->isAncestorOf(focused))
        m_scroll->ensureWidgetVisible(focused);
}
