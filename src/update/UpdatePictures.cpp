#include "update/UpdatePictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap DrawProgramPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);

    // Signal arcs above the antenna.
    p.setPen(QPen(QColor(0, 150, 220), 6, Qt::SolidLine, Qt::RoundCap));
    for (int r : {14, 26, 38}) p.drawArc(QRectF(88 - r, 26 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    // Antenna.
    p.setPen(QPen(QColor(60, 60, 60), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(88, 30), QPointF(88, 58));
    p.setBrush(QColor(220, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(88, 28), 5, 5);

    // The controller box.
    QLinearGradient body(0, 56, 0, 120);
    body.setColorAt(0, QColor(90, 110, 140));
    body.setColorAt(1, QColor(40, 55, 80));
    p.setBrush(body);
    p.setPen(QPen(QColor(25, 35, 50), 3));
    p.drawRoundedRect(QRectF(10, 56, 108, 62), 10, 10);
    // Display with "MQTT" bars.
    p.setBrush(QColor(180, 230, 180));
    p.setPen(QPen(QColor(20, 60, 20), 2));
    p.drawRoundedRect(QRectF(22, 68, 56, 26), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 100, 40));
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(28 + i * 12, 88 - (i + 1) * 4.5, 8, (i + 1) * 4.5));
    // Status lamps.
    const QColor lamps[] = {QColor(60, 220, 60), QColor(250, 200, 40), QColor(240, 70, 50)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QPointF(92 + (i % 2) * 14, 74 + (i / 2) * 16), 5, 5);
    }
    // Terminal strip.
    p.setBrush(QColor(200, 200, 200));
    for (int i = 0; i < 7; ++i) p.drawRect(QRectF(22 + i * 12, 102, 8, 8));
    return pixmap;
}

QPixmap DrawUpgradePicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Tray.
    p.setPen(QPen(QColor(70, 70, 70), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tray;
    tray.moveTo(4, 20);
    tray.lineTo(4, 28);
    tray.lineTo(28, 28);
    tray.lineTo(28, 20);
    p.drawPath(tray);
    // Arrow.
    QPainterPath arrow;
    arrow.moveTo(12, 3);
    arrow.lineTo(20, 3);
    arrow.lineTo(20, 13);
    arrow.lineTo(26, 13);
    arrow.lineTo(16, 24);
    arrow.lineTo(6, 13);
    arrow.lineTo(12, 13);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 20), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(60, 180, 60));
    p.drawPath(arrow);
    return pixmap;
}
