#pragma once

#include <QIcon>
#include <QPixmap>

// The program's 32 x 32 picture of a fuel dispenser.
QPixmap programPixmap();
QIcon programIcon();
