#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

// Plain computations of the main window's places, kept apart from widgets for testing.
namespace windowgeometry {

// Left half of the primary screen, leaving 30 pixels for the taskbar.
QRect initialPlacement(const QSize &screen);

// Where the window goes at start and when the toggle shows it again, as the outer top-left
// corner and the inner size. Where the desktop reserves nothing, the classic left half above
// (screen == available). Where it reserves space (a panel), the work area's left half and its
// full height, the window frame (its margins, zero before a window manager framed it) included,
// so no panel covers the status bar.
QRect startPlacement(const QRect &screen, const QRect &available, const QMargins &frame);

// Top-left corner of the data-maintenance menu: under its toolbar button, from the window's
// outer top-left corner and the button's rectangle within the toolbar.
QPoint maintenanceMenuPoint(const QPoint &windowTopLeft, const QRect &buttonInToolbar);

// "Default" followed by every family once, sorted alphabetically.
QStringList fontNameList(const QStringList &families);

} // namespace windowgeometry
