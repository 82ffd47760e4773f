#include "tree/NodePictures.h"

#include <QPainter>
#include <QPainterPath>

namespace nodepictures {

namespace {
QPixmap blank()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

QPixmap openFolder()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x9a, 0x6a, 0x00);
    // Back of the folder with its tab.
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5);
    back.lineTo(12.5, 5);
    back.lineTo(12.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(0xe8, 0xb8, 0x30));
    p.drawPath(back);
    // The open front flap, tilted forward.
    QPainterPath front;
    front.moveTo(3.5, 7.5);
    front.lineTo(15, 7.5);
    front.lineTo(12.5, 13.5);
    front.lineTo(1.5, 13.5);
    front.closeSubpath();
    p.setBrush(QColor(0xff, 0xd8, 0x4a));
    p.drawPath(front);
    return pixmap;
}

QPixmap closedBook()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Pages seen from the side, then the cover and its spine.
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(QColor(0xfa, 0xfa, 0xf0));
    p.drawRect(QRectF(4.5, 2.5, 9, 12));
    p.setPen(QPen(QColor(0x10, 0x30, 0x70), 1));
    p.setBrush(QColor(0x2a, 0x5c, 0xb8));
    p.drawRect(QRectF(2.5, 1.5, 10, 12));
    p.setBrush(QColor(0x1a, 0x3c, 0x80));
    p.drawRect(QRectF(2.5, 1.5, 2, 12));
    p.setPen(QPen(QColor(0xf0, 0xd0, 0x60), 1));
    p.drawLine(QPointF(6.5, 5.5), QPointF(10.5, 5.5));
    return pixmap;
}

QList<QIcon> imageList()
{
    return {QIcon(openFolder()), QIcon(closedBook())};
}

} // namespace nodepictures
