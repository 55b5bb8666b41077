#include "widgets/status_line.h"

#include "widgets/design.h"

StatusLine::StatusLine(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("status"));
    setFont(design::font(8.25, false));
    // Names of files and printers and typed text are never taken for markup.
    setTextFormat(Qt::PlainText);
    // At least two lines; a longer message makes the line as high as it needs.
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContentsMargins(4, 1, 4, 1);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(128, 0, 0));
    setPalette(colours);
}
