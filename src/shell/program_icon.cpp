#include "shell/program_icon.h"

#include "icon.xpm"

QPixmap programPixmap() { return QPixmap(flowcal_icon_xpm); }

QIcon programIcon() { return QIcon(programPixmap()); }
