#pragma once

#include "printing/print_dialogs.h"

// Message boxes over the window the user printed from, and a file dialog for the PDF.
class MessageBoxPrintDialogs : public PrintDialogs {
public:
    std::optional<QString> offerPdf(const QString& message, const QString& suggestedPath) override;
    void tell(const QString& message) override;
};
