#pragma once

#include <QPageLayout>

// The page a report is laid out on when the printer does not say which: Letter
// where the system's locale measures in US inches and A4 elsewhere, with margins
// of a laser printer's printable area, a quarter inch.
QPageLayout localePageLayout();
