#include "widgets/design.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace design {

int px(int twips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return qRound(twips * dpi / 1440.0);
}

QRect rect(const QRect& twips) { return QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())); }

QSize size(int width, int height) { return QSize(px(width), px(height)); }

QFont font(double points, bool bold)
{
    QFont f;
    // Liberation Sans has the widths of the faces the designs were drawn with.
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString missingFaceNote(const QStringList& families)
{
    if (families.contains(QStringLiteral("Liberation Sans")))
        return {};
    return QStringLiteral("The face these windows are drawn in, Liberation Sans, is missing, so captions may be "
                          "cut: install the Debian package fonts-liberation2.");
}

QSize roomOnScreen(const QWidget* window)
{
    constexpr int kTitleBar = 32;
    constexpr int kFrame = 8;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry().size() - QSize(kFrame, kTitleBar);
}

}  // namespace design
