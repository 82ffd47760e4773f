#include "app/WindowGeometry.h"

#include <algorithm>

namespace windowgeometry {

QRect initialPlacement(const QSize &screen)
{
    return QRect(0, 0, screen.width() / 2, screen.height() - 30);
}

QRect startPlacement(const QRect &screen, const QRect &available, const QMargins &frame)
{
    if (available == screen)
        return initialPlacement(screen.size()).translated(screen.topLeft());
    return QRect(available.left(), available.top(), available.width() / 2 - frame.left() - frame.right(),
                 available.height() - frame.top() - frame.bottom());
}

QPoint maintenanceMenuPoint(const QPoint &windowTopLeft, const QRect &buttonInToolbar)
{
    return QPoint(windowTopLeft.x() + buttonInToolbar.left() + 5,
                  windowTopLeft.y() + buttonInToolbar.top() + buttonInToolbar.height() + 22);
}

QStringList fontNameList(const QStringList &families)
{
    QStringList names = families;
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    names.prepend(QStringLiteral("Default"));
    return names;
}

} // namespace windowgeometry
