#pragma once

#include <QPageLayout>

// The page a report is laid out on, printed or saved as PDF: the default printer's
// paper and printable area when a printer is set up and says which; otherwise
// Letter where the system's locale measures in US inches and A4 elsewhere, with
// margins of a laser printer's printable area, a quarter inch.
QPageLayout reportPageLayout();
