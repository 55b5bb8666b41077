#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program asks and tells the user about a report. The program shows
// message boxes and the file dialog; tests answer for the user. Every text shown
// is plain text: names of files and printers and the printer system's words are
// never taken for markup.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    // Says why the report cannot be printed and offers to save it as a PDF file
    // instead; true when the user takes the offer.
    virtual bool offerPdf(const QString& message) = 0;
    // There are printers but none is the default: print on one of them this once,
    // or save the report as a PDF file. The only dialog Print ever shows.
    struct PrinterChoice {
        enum class Kind { Printer, Pdf, Cancel };
        Kind kind = Kind::Cancel;
        QString printer;
    };
    virtual PrinterChoice choosePrinter(const QString& message, const QStringList& printers) = 0;
    // The file to save a report in, suggested first; nothing when the user cancels.
    virtual std::optional<QString> choosePdfFile(const QString& suggestedPath) = 0;
    // Whether to replace the file that exists there, named as it really is.
    virtual bool confirmReplace(const QString& path) = 0;
    virtual void tell(const QString& message) = 0;
};
