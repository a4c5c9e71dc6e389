#include "app/ClientNetworkIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap Draw(int scale) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    // The monitor.
    p.setPen(QPen(QColor(0x33, 0x3d, 0x4a), 1));
    p.setBrush(QColor(0xe8, 0xec, 0xf0));
    p.drawRoundedRect(QRectF(1.5, 1.5, 11, 8.5), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x7f, 0xd8));
    p.drawRect(QRectF(3, 3, 8, 5.5));
    p.setBrush(QColor(0x33, 0x3d, 0x4a));
    p.drawRect(QRectF(6, 10, 2, 2));
    p.drawRect(QRectF(4, 11.5, 6, 1.2));
    // The network: a cable to a node.
    p.setPen(QPen(QColor(0x2e, 0x9a, 0x44), 1.3));
    p.drawLine(QPointF(7, 13), QPointF(7, 14.5));
    p.drawLine(QPointF(7, 14.5), QPointF(12.5, 14.5));
    p.drawLine(QPointF(12.5, 14.5), QPointF(12.5, 12));
    p.setPen(QPen(QColor(0x1f, 0x6b, 0x2f), 0.8));
    p.setBrush(QColor(0x3c, 0xc0, 0x5a));
    p.drawEllipse(QRectF(10.5, 8.5, 4, 4));
    return pixmap;
}

}  // namespace

QIcon ClientNetworkIcon() {
    static const QIcon icon = [] {
        QIcon made;
        made.addPixmap(Draw(1));
        made.addPixmap(Draw(2));
        return made;
    }();
    return icon;
}
