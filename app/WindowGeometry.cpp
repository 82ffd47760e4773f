#include "app/WindowGeometry.h"

#include <algorithm>

namespace windowgeometry {

QRect initialPlacement(const QSize &screen)
{
    return QRect(0, 0, screen.width() / 2, screen.height() - 30);
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
