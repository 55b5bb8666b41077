#include "layout/print_item.h"

#include "sheet/number_text.h"

PrintItem PrintItem::number(double value) { return PrintItem(printerNumberText(value) + " "); }
