#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

// Plain computations of the main window's places, kept apart from widgets for testing.
namespace windowgeometry {

// Left half of the primary screen, leaving 30 pixels for the taskbar.
QRect initialPlacement(const QSize &screen);

// Top-left corner of the data-maintenance menu: under its toolbar button, from the window's
// outer top-left corner and the button's rectangle within the toolbar.
QPoint maintenanceMenuPoint(const QPoint &windowTopLeft, const QRect &buttonInToolbar);

// "Default" followed by every family once, sorted alphabetically.
QStringList fontNameList(const QStringList &families);

} // namespace windowgeometry
