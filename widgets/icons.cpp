#include "icons.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace icons {

namespace {
// Maps the 32 x 32 design square into r, centred and as large as fits.
void designSpace(QPainter& p, const QRectF& r) {
    const qreal s = std::min(r.width(), r.height()) / 32.0;
    p.translate(r.center().x() - 16 * s, r.center().y() - 16 * s);
    p.scale(s, s);
}
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kDarkRed(0x40, 0x00, 0x00);
} // namespace

void tile(QPainter& p, const QRectF& r, Glyph g) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    designSpace(p, r);
    p.setPen(QPen(kDarkRed, 3));
    p.setBrush(kGreen);
    p.drawRect(QRectF(1.5, 1.5, 29, 29));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::white);
    switch (g) {
    case Glyph::Cross:
        p.drawLine(QPointF(9, 9), QPointF(23, 23));
        p.drawLine(QPointF(23, 9), QPointF(9, 23));
        break;
    case Glyph::Division:
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 10), 3.2, 3.2);
        p.drawEllipse(QPointF(16, 22), 3.2, 3.2);
        break;
    case Glyph::Info:
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 8.5), 2.6, 2.6);
        p.drawRect(QRectF(13.5, 13, 5, 12));
        p.drawRect(QRectF(11.5, 13, 4, 2.5));
        p.drawRect(QRectF(11.5, 23, 9, 2.5));
        break;
    }
    p.restore();
}

void logo(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    designSpace(p, r);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 2.5, 23, 27));
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 2, Qt::SolidLine, Qt::RoundCap));
    // "84 : 4 = 21" as strokes: two short rows of ticks and the colon.
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(8 + 4 * i, 8), QPointF(8 + 4 * i, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawEllipse(QPointF(21, 8.5), 1.2, 1.2);
    p.drawEllipse(QPointF(21, 11.5), 1.2, 1.2);
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 8), QPointF(24, 12));
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(10, 22), QPointF(14, 22));
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 1.5));
    p.drawLine(QPointF(8, 19.5), QPointF(17, 19.5));
    p.drawLine(QPointF(8, 25.5), QPointF(22, 25.5));
    p.restore();
}

void climber(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    designSpace(p, r);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal rad = (i % 2) ? 6.5 : 15.0;
        star << QPointF(16 + rad * std::cos(a), 17 + rad * std::sin(a));
    }
    p.setPen(QPen(QColor(0x80, 0x50, 0x00), 1.2));
    p.setBrush(QColor(0xFF, 0xD0, 0x00));
    p.drawPolygon(star);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(13.5, 15.5), 1.3, 1.3);
    p.drawEllipse(QPointF(18.5, 15.5), 1.3, 1.3);
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12.5, 16, 7, 5), 200 * 16, 140 * 16);
    p.restore();
}

void goal(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    designSpace(p, r);
    QPolygonF hill;
    hill << QPointF(1, 31) << QPointF(16, 12) << QPointF(31, 31);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawPolygon(hill);
    QPolygonF snow;
    snow << QPointF(11.2, 18) << QPointF(16, 12) << QPointF(20.8, 18) << QPointF(16, 16.5);
    p.setBrush(Qt::white);
    p.drawPolygon(snow);
    p.setPen(QPen(QColor(0x40, 0x20, 0x00), 1.6));
    p.drawLine(QPointF(16, 13), QPointF(16, 1.5));
    QPolygonF flag;
    flag << QPointF(16.8, 2) << QPointF(27, 5.5) << QPointF(16.8, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0x00, 0x00));
    p.drawPolygon(flag);
    p.restore();
}

void keyCap(QPainter& p, const QRectF& r, const QColor& face) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    designSpace(p, r);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(face.darker(130));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(6, 4.5, 20, 19), 3.5, 3.5);
    // the cursor bar: type here
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(QRectF(15, 8, 2, 12));
    p.restore();
}

void arrow(QPainter& p, const QRectF& r, int direction) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    designSpace(p, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(QRectF(0, 0, 32, 32));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0, 0, 32, 2));
    p.drawRect(QRectF(0, 0, 2, 32));
    p.setBrush(QColor(0x40, 0x40, 0x40));
    p.drawRect(QRectF(0, 30, 32, 2));
    p.drawRect(QRectF(30, 0, 2, 32));
    QPolygonF t;
    switch (direction) {
    case 0:
        t << QPointF(8, 16) << QPointF(23, 7) << QPointF(23, 25);
        break;
    case 1:
        t << QPointF(16, 8) << QPointF(25, 23) << QPointF(7, 23);
        break;
    case 2:
        t << QPointF(16, 24) << QPointF(7, 9) << QPointF(25, 9);
        break;
    default:
        t << QPointF(24, 16) << QPointF(9, 7) << QPointF(9, 25);
        break;
    }
    p.setBrush(Qt::black);
    p.drawPolygon(t);
    p.restore();
}

} // namespace icons
