#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library: they must be registered by name before first use.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace appicon {

QIcon icon()
{
    static const QIcon drawn = [] {
        initResources();
        QSvgRenderer renderer(QStringLiteral(":/icons/TarkelFAQvuviri.svg"));
        QIcon icon;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
            painter.end();
            icon.addPixmap(pixmap);
        }
        return icon;
    }();
    return drawn;
}

} // namespace appicon
