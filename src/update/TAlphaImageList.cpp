#include "update/TAlphaImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace {

// Positions matter: the release history refers to them.
constexpr std::array<const char*, 20> kNames = {
    "About16",       "action_check", "vote_yes_1",  "bug_16x16",      "Attention 16", "trash full_16x16",
    "base_1",        "login",        "User-v1_1",   "blog_1",         "time",         "alert16",
    "arrow_down_16", "Vote_no",      "block_16x16", "computer_16x16", "document_16",  "shuffle_16x16",
    "star_1",        "tag",
};

void Circle(QPainter& p, const QColor& fill) {
    p.setPen(QPen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void Glyph(QPainter& p, const QString& text, const QColor& color) {
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Draw(QPainter& p, int index) {
    const QPen thick(QColor(40, 40, 40), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (index) {
        case 0:  // About16: information badge
            Circle(p, QColor(40, 110, 210));
            Glyph(p, QStringLiteral("i"), Qt::white);
            break;
        case 1: {  // action_check: green tick
            p.setPen(QPen(QColor(30, 150, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
            break;
        }
        case 2:  // vote_yes_1: green plus badge
            Circle(p, QColor(50, 170, 60));
            p.setPen(QPen(Qt::white, 2.2));
            p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
            p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
            break;
        case 3:  // bug_16x16: a beetle
            p.setPen(QPen(QColor(60, 30, 10), 1.2));
            for (double y : {6.0, 9.0, 12.0}) {
                p.drawLine(QPointF(2, y - 1), QPointF(14, y + 1));
                p.drawLine(QPointF(14, y - 1), QPointF(2, y + 1));
            }
            p.setBrush(QColor(170, 80, 30));
            p.drawEllipse(QRectF(4.5, 4, 7, 10.5));
            p.setBrush(QColor(60, 30, 10));
            p.drawEllipse(QRectF(6, 1.5, 4, 3.5));
            break;
        case 4: {  // Attention 16: warning triangle
            p.setPen(QPen(QColor(150, 110, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(QColor(255, 205, 40));
            p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)}));
            Glyph(p, QStringLiteral("!"), Qt::black);
            break;
        }
        case 5:  // trash full_16x16: a filled bin
            p.setPen(QPen(QColor(70, 70, 70), 1));
            p.setBrush(QColor(170, 170, 170));
            p.drawRect(QRectF(3.5, 5.5, 9, 9));
            p.drawRect(QRectF(2.5, 3.5, 11, 2));
            p.setBrush(QColor(230, 200, 120));
            p.drawEllipse(QRectF(5, 0.5, 6, 4));
            break;
        case 6:  // base_1: a database cylinder
            p.setPen(QPen(QColor(40, 70, 120), 1));
            p.setBrush(QColor(110, 150, 210));
            p.drawRect(QRectF(3, 4, 10, 8));
            p.drawEllipse(QRectF(3, 10, 10, 4));
            p.setBrush(QColor(160, 195, 240));
            p.drawEllipse(QRectF(3, 2, 10, 4));
            break;
        case 7:  // login: a key
            p.setPen(QPen(QColor(140, 100, 0), 2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 4.5, 6, 6));
            p.drawLine(QPointF(7.5, 7.5), QPointF(14.5, 7.5));
            p.drawLine(QPointF(12.5, 7.5), QPointF(12.5, 10.5));
            p.drawLine(QPointF(14.5, 7.5), QPointF(14.5, 10));
            break;
        case 8:  // User-v1_1: a person
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 120, 190));
            p.drawEllipse(QRectF(5, 1, 6, 6));
            p.drawChord(QRectF(2, 8, 12, 14), 0, 180 * 16);
            break;
        case 9:  // blog_1: a page of text
            p.setPen(QPen(QColor(180, 90, 0), 1));
            p.setBrush(QColor(255, 230, 190));
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            for (double y : {4.5, 7.0, 9.5, 12.0}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
            break;
        case 10:  // time: a clock
            p.setPen(QPen(QColor(50, 50, 50), 1.2));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(thick);
            p.drawLine(QPointF(8, 8), QPointF(8, 4));
            p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
            break;
        case 11:  // alert16: red exclamation badge
            Circle(p, QColor(210, 40, 40));
            Glyph(p, QStringLiteral("!"), Qt::white);
            break;
        case 12: {  // arrow_down_16
            p.setPen(QPen(QColor(20, 60, 140), 1));
            p.setBrush(QColor(60, 130, 230));
            p.drawPolygon(QPolygonF({QPointF(5.5, 1.5), QPointF(10.5, 1.5), QPointF(10.5, 8), QPointF(14, 8),
                                     QPointF(8, 14.5), QPointF(2, 8), QPointF(5.5, 8)}));
            break;
        }
        case 13:  // Vote_no: red minus badge
            Circle(p, QColor(210, 50, 50));
            p.setPen(QPen(Qt::white, 2.2));
            p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
            break;
        case 14:  // block_16x16: a no-entry sign
            p.setPen(QPen(QColor(200, 30, 30), 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(2, 2, 12, 12));
            p.drawLine(QPointF(4, 12), QPointF(12, 4));
            break;
        case 15:  // computer_16x16: a monitor
            p.setPen(QPen(QColor(50, 50, 50), 1));
            p.setBrush(QColor(120, 180, 230));
            p.drawRect(QRectF(1.5, 2.5, 13, 9));
            p.setBrush(QColor(90, 90, 90));
            p.drawRect(QRectF(6, 11.5, 4, 2));
            p.drawRect(QRectF(4, 13.5, 8, 1.5));
            break;
        case 16: {  // document_16: a page with a folded corner
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(10, 1.5), QPointF(13.5, 5),
                                     QPointF(13.5, 14.5), QPointF(3.5, 14.5)}));
            p.drawPolyline(QPolygonF({QPointF(10, 1.5), QPointF(10, 5), QPointF(13.5, 5)}));
            break;
        }
        case 17:  // shuffle_16x16: two crossing arrows
            p.setPen(QPen(QColor(120, 60, 160), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(2, 4), QPointF(13, 12));
            p.drawLine(QPointF(2, 12), QPointF(13, 4));
            p.drawPolyline(QPolygonF({QPointF(10, 3), QPointF(13.5, 4), QPointF(12.5, 7)}));
            p.drawPolyline(QPolygonF({QPointF(10, 13), QPointF(13.5, 12), QPointF(12.5, 9)}));
            break;
        case 18: {  // star_1: a gold star
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                double r = i % 2 ? 3.0 : 7.0;
                double a = M_PI / 2 + i * M_PI / 5;
                star << QPointF(8 + r * std::cos(a), 8.5 - r * std::sin(a));
            }
            p.setPen(QPen(QColor(170, 120, 0), 1));
            p.setBrush(QColor(255, 200, 30));
            p.drawPolygon(star);
            break;
        }
        case 19: {  // tag: a price tag
            p.setPen(QPen(QColor(40, 110, 60), 1));
            p.setBrush(QColor(120, 200, 130));
            p.drawPolygon(QPolygonF(
                {QPointF(1.5, 1.5), QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)}));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(3.5, 3.5, 3, 3));
            break;
        }
    }
}

}  // namespace

TAlphaImageList::TAlphaImageList() {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        QPixmap pixmap(kSize, kSize);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            Draw(p, static_cast<int>(i));
        }
        // The selected image is the same picture, not a highlighted variant.
        QIcon icon;
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected);
        icon.addPixmap(pixmap, QIcon::Active);
        icons_.push_back(icon);
    }
}

QIcon TAlphaImageList::Icon(int index) const {
    return index >= 0 && index < Count() ? icons_[static_cast<std::size_t>(index)] : QIcon();
}

QString TAlphaImageList::Name(int index) {
    return index >= 0 && index < static_cast<int>(kNames.size()) ? QString::fromLatin1(kNames[index])
                                                                 : QString();
}
