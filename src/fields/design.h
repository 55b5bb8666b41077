#pragma once

// Window designs are given in twips (1440 to the inch), fonts in points and colours
// as red, green, blue. These turn them into what the widgets take.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

namespace design {

// Pixels for a length in twips at the screen's logical resolution, so a design
// keeps its proportions at any scale factor.
int px(int twips);
QRect rect(int left, int top, int width, int height);
QSize size(int width, int height);

// The designs name "MS Sans Serif" and "Arial"; both map to the platform's
// sans-serif face at the design size and weight.
QFont font(double points, bool bold = true);

inline QColor rgb(int red, int green, int blue) { return QColor(red, green, blue); }

} // namespace design
