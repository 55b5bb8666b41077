#include "layout/letterhead.h"

#include "maker/maker.h"
#include "layout/printer.h"

#include <string>

void printLetterhead(Printer& printer)
{
    printer.setFontSize(14.0f);
    printer.setFontBold(true);
    printer.setFontItalic(true);
    printer.print({std::string(maker::kName)});
    printer.setFontItalic(false);
    printer.print({std::string(maker::kStreet)});
    printer.print({std::string(maker::kCity)});
    printer.print({std::string(maker::kPhone)});
    printer.setFontBold(false);
    printer.print();
}
