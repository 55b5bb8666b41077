#include "printing/message_box_print_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Print");

int ask(QMessageBox::Icon icon, const QString& message, const QString& question, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton preferred)
{
    QMessageBox box(icon, kTitle, message, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(question);
    box.setDefaultButton(preferred);
    return box.exec();
}

} // namespace

bool MessageBoxPrintDialogs::offerPdf(const QString& message)
{
    return ask(QMessageBox::Warning, message, QStringLiteral("Save the report as a PDF file instead?"),
               QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save)
        == QMessageBox::Save;
}

PrintDialogs::PrinterChoice MessageBoxPrintDialogs::choosePrinter(const QString& message, const QStringList& printers)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(&dialog);
    auto* said = new QLabel(message, &dialog);
    said->setTextFormat(Qt::PlainText);
    said->setWordWrap(true);
    auto* list = new QListWidget(&dialog);
    list->addItems(printers);  // plain text
    list->setCurrentRow(0);
    said->setBuddy(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* print = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::AcceptRole);
    QPushButton* pdf = buttons->addButton(QStringLiteral("Save as P&DF..."), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    print->setDefault(true);
    layout->addWidget(said);
    layout->addWidget(list);
    layout->addWidget(buttons);
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool MessageBoxPrintDialogs::confirmReplace(const QString& path)
{
    return ask(QMessageBox::Question, QStringLiteral("%1 already exists.").arg(path),
               QStringLiteral("Replace it with the report?"), QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void MessageBoxPrintDialogs::tell(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, kTitle, message, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
