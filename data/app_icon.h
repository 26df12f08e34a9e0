#pragma once

#include <QIcon>
#include <QPainter>
#include <QRectF>

// The desktop icon: the start window's logo (a small division on paper) laid
// on the green, dark-red framed tile of the start window's pictures. The
// hand-written SVG in this folder draws the same shapes.
namespace appicon {

// The icon sizes installed into the hicolor theme, in pixels.
inline constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

void paint(QPainter& p, const QRectF& r);
// A scalable QIcon drawn by paint(), for the windows' title bars and task bars.
QIcon icon();

} // namespace appicon
