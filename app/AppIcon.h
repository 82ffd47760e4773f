#pragma once

#include <QIcon>

// The application's own icon (resources/TarkelFAQvuviri.svg), drawn sharp at every size the
// window frame, the taskbar and the tray ask for.
namespace appicon {

QIcon icon();

} // namespace appicon
