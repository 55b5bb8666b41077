#pragma once

#include <QString>

#include <optional>

// What the program asks and tells the user about a report. The program shows
// message boxes and the file dialog; tests answer for the user.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    // Says why the report cannot be printed and offers to save it as a PDF file
    // instead; true when the user takes the offer.
    virtual bool offerPdf(const QString& message) = 0;
    // The file to save a report in, suggested first; nothing when the user cancels.
    virtual std::optional<QString> choosePdfFile(const QString& suggestedPath) = 0;
    virtual void tell(const QString& message) = 0;
};
