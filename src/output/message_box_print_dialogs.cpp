#include "output/message_box_print_dialogs.h"

#include "widgets/design.h"
#include "widgets/fitted_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Print");

// A label of plain text, as wide as a message box's and no wider than the screen.
QLabel* addText(FittedDialog& dialog, const QString& text, const char* name)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);  // names of printers and files, and the printer system's words
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(
        std::min(label->fontMetrics().averageCharWidth() * 45, design::roomOnScreen(&dialog).width() * 3 / 4));
    dialog.body()->addWidget(label);
    return label;
}

// The message, the question and its buttons; the button pressed, or Cancel for Esc.
QDialogButtonBox::StandardButton ask(const QString& message, const QString& question,
                                     QDialogButtonBox::StandardButtons buttons,
                                     QDialogButtonBox::StandardButton preferred)
{
    FittedDialog dialog(kTitle, QApplication::activeWindow());
    addText(dialog, message, "message");
    if (!question.isEmpty())
        addText(dialog, question, "question");
    dialog.buttons()->setStandardButtons(buttons);
    dialog.buttons()->button(preferred)->setDefault(true);
    QDialogButtonBox::StandardButton pressed = QDialogButtonBox::Cancel;
    QObject::connect(dialog.buttons(), &QDialogButtonBox::clicked, &dialog, [&](QAbstractButton* button) {
        pressed = dialog.buttons()->standardButton(button);
        dialog.accept();
    });
    dialog.exec();
    return pressed;
}

// Qt's file dialog, where it is larger than the screen: its places go, its lists
// and boxes may shrink, and it takes the room there is, the file name and the
// buttons in sight.
void fitFileDialog(QFileDialog& dialog)
{
    const QSize room = design::roomOnScreen(&dialog);
    const QSize wanted = dialog.sizeHint().expandedTo(dialog.minimumSizeHint());
    if (wanted.width() <= room.width() && wanted.height() <= room.height())
        return;
    if (QWidget* places = dialog.findChild<QWidget*>(QStringLiteral("sidebar")))
        places->hide();
    for (QWidget* part : dialog.findChildren<QWidget*>()) {
        if (part->inherits("QAbstractItemView") || part->inherits("QComboBox") || part->inherits("QLineEdit"))
            part->setMinimumSize(0, 0);
    }
    dialog.setMinimumSize(0, 0);
    dialog.resize(room.boundedTo(dialog.sizeHint()).expandedTo(dialog.minimumSizeHint()).boundedTo(room));
}

}  // namespace

bool MessageBoxPrintDialogs::offerPdf(const QString& message)
{
    return ask(message, QStringLiteral("Save the report as a PDF file instead?"),
               QDialogButtonBox::Save | QDialogButtonBox::Cancel, QDialogButtonBox::Save)
           == QDialogButtonBox::Save;
}

PrintDialogs::PrinterChoice MessageBoxPrintDialogs::choosePrinter(const QString& message, const QStringList& printers)
{
    FittedDialog dialog(kTitle, QApplication::activeWindow());
    QLabel* said = addText(dialog, message, "message");
    auto* list = new QListWidget;
    list->addItems(printers);  // plain text
    list->setCurrentRow(0);
    list->setMinimumHeight(list->sizeHintForRow(0) * std::min(int(printers.size()), 4) + 2 * list->frameWidth());
    said->setBuddy(list);
    dialog.body()->addWidget(list);
    QDialogButtonBox* buttons = dialog.buttons();
    QPushButton* print = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::AcceptRole);
    QPushButton* pdf = buttons->addButton(QStringLiteral("Save as P&DF..."), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    print->setDefault(true);
    PrinterChoice choice;
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        choice = {PrinterChoice::Kind::Printer, list->currentItem() ? list->currentItem()->text() : QString()};
        dialog.accept();
    });
    QObject::connect(list, &QListWidget::itemActivated, print, &QPushButton::click);
    QObject::connect(pdf, &QPushButton::clicked, &dialog, [&] {
        choice = {PrinterChoice::Kind::Pdf, {}};
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
    return choice;
}

std::optional<QString> MessageBoxPrintDialogs::choosePdfFile(const QString& suggestedPath)
{
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Save Report as PDF"), suggested.absolutePath(),
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // The program asks itself, naming the file that would really change.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(suggested.fileName());
    fitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool MessageBoxPrintDialogs::confirmReplace(const QString& path)
{
    return ask(QStringLiteral("%1 already exists.").arg(path), QStringLiteral("Replace it with the report?"),
               QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::No)
           == QDialogButtonBox::Yes;
}

void MessageBoxPrintDialogs::tell(const QString& message)
{
    ask(message, {}, QDialogButtonBox::Ok, QDialogButtonBox::Ok);
}
