#include "printing/print_letterhead.h"

#include "printing/maker.h"
#include "printing/printer.h"

#include <string>

void PrintLetterhead(Printer& printer)
{
    printer.FontSize(14.0f);
    printer.FontBold(true);
    printer.FontItalic(true);
    printer.Print({std::string(maker::kName)});
    printer.FontItalic(false);
    printer.Print({std::string(maker::kStreet)});
    printer.Print({std::string(maker::kCity)});
    printer.Print({std::string(maker::kPhone)});
    printer.FontBold(false);
    printer.Print();
}
