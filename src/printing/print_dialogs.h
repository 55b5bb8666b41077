#pragma once

#include <QString>

#include <optional>

// What the program asks and tells the user when a report cannot be printed. The
// program shows message boxes; tests answer for the user.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    // Says that there is no printer and offers to save the report as a PDF file;
    // the file chosen, or nothing when the user declines.
    virtual std::optional<QString> offerPdf(const QString& message, const QString& suggestedPath) = 0;
    virtual void tell(const QString& message) = 0;
};
