#include "dialogs/BadgeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace {

QPixmap DrawBadge(bool tick) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QColor base = tick ? QColor(0x2e, 0xa0, 0x43) : QColor(0xd3, 0x2f, 0x2f);
    QRadialGradient fill(QPointF(18, 16), 30);
    fill.setColorAt(0, base.lighter(135));
    fill.setColorAt(1, base);
    p.setPen(QPen(base.darker(130), 1.5));
    p.setBrush(fill);
    p.drawEllipse(QRectF(3, 3, 42, 42));
    QPen mark(Qt::white, 5.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    if (tick) {
        QPainterPath path;
        path.moveTo(14, 25);
        path.lineTo(21, 32);
        path.lineTo(34, 17);
        p.drawPath(path);
    } else {
        p.drawLine(QPointF(16, 16), QPointF(32, 32));
        p.drawLine(QPointF(32, 16), QPointF(16, 32));
    }
    return pixmap;
}

}  // namespace

QIcon BadgeIcon(int index) {
    static const QIcon tick(DrawBadge(true));
    static const QIcon cross(DrawBadge(false));
    return index == 0 ? tick : cross;
}

QList<QIcon> BadgeImageList() { return {BadgeIcon(0), BadgeIcon(1)}; }
