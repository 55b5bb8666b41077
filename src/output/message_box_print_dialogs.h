#pragma once

#include "output/print_dialogs.h"

// Message boxes and the file dialog over the window the user printed from.
class MessageBoxPrintDialogs : public PrintDialogs {
public:
    bool offerPdf(const QString& message) override;
    PrinterChoice choosePrinter(const QString& message, const QStringList& printers) override;
    std::optional<QString> choosePdfFile(const QString& suggestedPath) override;
    bool confirmReplace(const QString& path) override;
    void tell(const QString& message) override;
};
