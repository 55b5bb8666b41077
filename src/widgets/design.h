#pragma once

// Window designs are given in twips (1440 to the inch), fonts in points and colours
// as red, green, blue. These turn them into what the widgets take.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

#include <string_view>

namespace design {

// Pixels for a length in twips at the screen's logical resolution, so a design
// keeps its proportions at any scale factor.
int px(int twips);
QRect rect(const QRect& twips);
QSize size(int width, int height);

// The designs name "MS Sans Serif" and "Arial"; both map to the platform's
// sans-serif face at the design size and weight.
QFont font(double points, bool bold = true);

// A note for the status line when the font families at hand lack the face the
// windows are measured in, Liberation Sans; empty when it is there.
QString missingFaceNote(const QStringList& families);

// The room a window or dialog has on its screen at the current scale, leaving the
// window manager's title bar and frame, which are not known before it first shows.
QSize roomOnScreen(const QWidget* window);

// The colours the designs use.
inline const QColor kYellow{255, 255, 0};
inline const QColor kPaleYellow{255, 255, 128};
inline const QColor kWhite{255, 255, 255};
inline const QColor kBlack{0, 0, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kAqua{0, 255, 255};
inline const QColor kLightCyan{128, 255, 255};
inline const QColor kPaleCyan{192, 255, 255};
inline const QColor kLightGreen{128, 255, 128};

}  // namespace design

// A text of the plain C++ parts (sheets, reports, the maker's details) for a widget.
inline QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
