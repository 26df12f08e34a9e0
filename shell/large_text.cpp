#include "large_text.h"

#include <QApplication>
#include <QCache>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace shell {

namespace {

// The ink of one text, cropped, and where it lies from its rectangle's
// top-left corner (in the painter's pixels).
struct TextImage {
    QImage ink;
    QPointF at;
};

// Bounded by bytes: a maximised window's captions and digits take about
// 2 MB, and a few sizes of them fit.
QCache<QString, TextImage>& textImages() {
    static QCache<QString, TextImage> cache(24 * 1024 * 1024);
    return cache;
}

QString rgba(const QColor& c) {
    return QString::number(c.rgba(), 16);
}

// The rectangle of pixels that are not fully transparent, or an empty one.
QRect inkBounds(const QImage& image) {
    const int w = image.width(), h = image.height();
    int top = h, bottom = -1, left = w, right = -1;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = 0;
        while (first < w && line[first] == 0)
            ++first;
        if (first == w) continue;
        int last = w - 1;
        while (line[last] == 0)
            --last;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The font's size in the device's logical pixels.
double pixelSize(const QFont& font, const QPaintDevice* device) {
    return font.pixelSize() > 0 ? font.pixelSize()
                                : font.pointSizeF() * device->logicalDpiY() / 72.0;
}

// True when a painter with this font on this device fills outlines.
bool drawsOutlines(const QFont& font, const QPaintDevice* device) {
    return pixelSize(font, device) * device->devicePixelRatio() > kLargestCachedGlyph;
}

} // namespace

LargeTextStyle::LargeTextStyle(QStyle* base) : QProxyStyle(base) {}

void LargeTextStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                  const QPalette& pal, bool enabled, const QString& text,
                                  QPalette::ColorRole textRole) const {
    QPaintDevice* device = painter->device();
    const qreal dpr = device ? device->devicePixelRatio() : 1.0;
    const QTransform t = painter->deviceTransform();
    // Only on a raster surface (a PDF keeps its text), and only where the
    // image lands on whole pixels, at the scale it was drawn.
    const bool sameAsDirect = device && painter->paintEngine() &&
                              painter->paintEngine()->type() == QPaintEngine::Raster &&
                              !text.isEmpty() && !(flags & Qt::TextDontClip) &&
                              painter->compositionMode() == QPainter::CompositionMode_SourceOver &&
                              painter->opacity() == 1.0 && t.m11() == dpr && t.m22() == dpr &&
                              t.m12() == 0 && t.m21() == 0 && t.dx() == std::floor(t.dx()) &&
                              t.dy() == std::floor(t.dy()) &&
                              drawsOutlines(painter->font(), device);
    if (!sameAsDirect) {
        QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
        return;
    }
    // Everything the text's pixels depend on.
    const QPalette::ColorRole role = textRole == QPalette::NoRole ? QPalette::WindowText : textRole;
    const QString key =
        painter->font().key() + QLatin1Char('|') + QString::number(device->logicalDpiY()) +
        QLatin1Char('|') + QString::number(dpr) + QLatin1Char('|') + QString::number(flags) +
        QLatin1Char('|') + QString::number(rect.width()) + QLatin1Char('x') +
        QString::number(rect.height()) + QLatin1Char('|') + QString::number(int(enabled)) +
        QLatin1Char(',') + QString::number(int(textRole)) + QLatin1Char(',') +
        QString::number(int(painter->renderHints())) + QLatin1Char(',') +
        QString::number(int(painter->layoutDirection())) + QLatin1Char('|') +
        rgba(pal.color(role)) + QLatin1Char(',') + rgba(pal.color(QPalette::Disabled, role)) +
        QLatin1Char(',') + rgba(pal.color(QPalette::Light)) + QLatin1Char(',') +
        rgba(painter->pen().color()) + QLatin1Char(',') + rgba(painter->background().color()) +
        QLatin1Char('|') + text;

    TextImage found;
    if (const TextImage* cached = textImages().object(key)) {
        found = *cached;
    } else {
        // Only around the laid-out text; ink may reach a little past it
        // (overhangs, accents), so the canvas has a margin and keeps what
        // was inked. Text that does not fit is clipped to its rectangle.
        const QFont& font = painter->font();
        const int margin = int(std::ceil(pixelSize(font, device) / 4)) + 2;
        const QRect local(QPoint(0, 0), rect.size());
        const QRect laidOut =
            QFontMetricsF(font, device).boundingRect(QRectF(local), flags, text).toAlignedRect();
        QRect area = laidOut.adjusted(-margin, -margin, margin, margin);
        if (!local.contains(laidOut)) area &= local;
        if (area.isEmpty()) area = QRect(0, 0, 1, 1);
        QImage canvas(area.size() * dpr, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(dpr);
        // Point sizes become the same pixel sizes as on the window.
        canvas.setDotsPerMeterX(int(std::lround(device->logicalDpiX() / 0.0254)));
        canvas.setDotsPerMeterY(int(std::lround(device->logicalDpiY() / 0.0254)));
        canvas.fill(Qt::transparent);
        {
            QPainter p(&canvas);
            p.setRenderHints(painter->renderHints());
            p.setFont(font);
            p.setPen(painter->pen());
            p.setBackground(painter->background());
            p.setLayoutDirection(painter->layoutDirection());
            QProxyStyle::drawItemText(&p, local.translated(-area.topLeft()), flags, pal, enabled,
                                      text, textRole);
        }
        const QRect ink = inkBounds(canvas);
        if (!ink.isEmpty()) {
            found.ink = canvas.copy(ink);
            found.ink.setDevicePixelRatio(dpr);
        }
        found.at = QPointF(area.topLeft()) + QPointF(ink.topLeft()) / dpr;
        textImages().insert(key, new TextImage(found), int(found.ink.sizeInBytes()) + 64);
    }
    if (found.ink.isNull()) return;
    // Drawn 1:1: without smoothing it is a plain blend, not Qt's texture path.
    const bool smooth = painter->testRenderHint(QPainter::SmoothPixmapTransform);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QPointF(rect.topLeft()) + found.at, found.ink);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void useLargeTextStyle() {
    if (qobject_cast<LargeTextStyle*>(QApplication::style())) return;
    // The style in use goes on under the proxy, which takes it over.
    QApplication::setStyle(new LargeTextStyle(QApplication::style()));
}

} // namespace shell
