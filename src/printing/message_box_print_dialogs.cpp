#include "printing/message_box_print_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("Print");

} // namespace

bool MessageBoxPrintDialogs::offerPdf(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, kTitle, message, QMessageBox::Save | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setInformativeText(QStringLiteral("Save the report as a PDF file instead?"));
    box.setDefaultButton(QMessageBox::Save);
    return box.exec() == QMessageBox::Save;
}

std::optional<QString> MessageBoxPrintDialogs::choosePdfFile(const QString& suggestedPath)
{
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Save Report as PDF"), suggested.absolutePath(),
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void MessageBoxPrintDialogs::tell(const QString& message)
{
    QMessageBox::warning(QApplication::activeWindow(), kTitle, message);
}
