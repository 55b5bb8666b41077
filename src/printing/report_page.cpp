#include "printing/report_page.h"

#include "printing/cups_destination.h"

#include <QLocale>
#include <QPageSize>

QPageLayout reportPageLayout()
{
    if (const std::optional<CupsDestination> printer = CupsDestination::systemDefault()) {
        if (const std::optional<QPageLayout> layout = printer->pageLayout())
            return *layout;
    }
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}
