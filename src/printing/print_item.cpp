#include "printing/print_item.h"

#include "fields/number_text.h"

PrintItem PrintItem::number(double value)
{
    return PrintItem(printerNumberText(value) + " ");
}
