#include "shell/about_window.h"

#include "widgets/design.h"
#include "maker/maker.h"
#include "shell/program.h"
#include "shell/program_icon.h"

#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace {

QLabel* label(QWidget* parent, const QString& text, const QRect& twips, bool black)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(design::rect(twips));
    if (black) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(palette);
    }
    return l;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle("About " + qText(maker::kName));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(design::size(5355, 3270));
    auto* page = new QWidget(this);
    setCentralWidget(page);
    page->setFont(design::font(8.25));
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, Qt::white);
    page->setPalette(palette);
    page->setAutoFillBackground(true);

    // The version line's place is ours to choose: above the address, level with the icon.
    // The version is the project's, the one its package and its metadata give.
    label(page, qText(maker::kName) + QStringLiteral("  Version ") + QString::fromLatin1(kProgramVersion),
          QRect(1200, 240, 3420, 195), true);
    label(page, qText(maker::kStreet), QRect(1200, 600, 2040, 195), true);
    label(page, qText(maker::kCity), QRect(1200, 840, 2040, 195), true);
    label(page, qText(maker::kPhone), QRect(1200, 1200, 3420, 195), true);
    label(page, QStringLiteral("Sales : ") + qText(maker::kSales), QRect(1200, 1560, 1635, 195), false);
    label(page, QStringLiteral("Tech. Support : ") + qText(maker::kSupport), QRect(1200, 1800, 2610, 195), false);

    auto* web = new QLineEdit(qText(maker::kWeb), page);
    web->setObjectName(QStringLiteral("web"));
    web->setAccessibleName(QStringLiteral("Web address"));
    web->setGeometry(design::rect({1200, 2160, 1455, 225}));

    auto* icon = new QLabel(page);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setGeometry(design::rect({360, 480, 480, 480}));
    icon->setPixmap(programPixmap());
    icon->setAlignment(Qt::AlignCenter);

    // The maker's picture: the dispenser drawn large, in the room right of the contacts.
    auto* drawing = new QLabel(page);
    drawing->setObjectName(QStringLiteral("drawing"));
    drawing->setGeometry(design::rect({3960, 1560, 1200, 1440}));
    drawing->setPixmap(QPixmap(QStringLiteral(":/com.example.Flowcal-128.png"))
                           .scaled(drawing->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    drawing->setAlignment(Qt::AlignCenter);

    // No button in the design: Esc and Enter close it, as they close the program's dialogs.
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, &QWidget::close);
}
