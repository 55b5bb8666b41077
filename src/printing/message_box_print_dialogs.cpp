#include "printing/message_box_print_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("Print");

} // namespace

std::optional<QString> MessageBoxPrintDialogs::offerPdf(const QString& message, const QString& suggestedPath)
{
    QWidget* parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Warning, kTitle, message, QMessageBox::Save | QMessageBox::Cancel, parent);
    box.setInformativeText(QStringLiteral("Save the report as a PDF file instead?"));
    box.setDefaultButton(QMessageBox::Save);
    if (box.exec() != QMessageBox::Save)
        return std::nullopt;

    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, QStringLiteral("Save Report as PDF"), suggested.absolutePath(),
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
