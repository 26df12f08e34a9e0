#include "twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace tw {

namespace {
const char* const kRect = "twipsRect";
const char* const kFactor = "twipsZoom";
const char* const kOffset = "twipsOffset";
const char* const kContent = "twipsContent";

int scaled(double twips, double factor) {
    return static_cast<int>(std::lround(twips * factor / kTwipsPerPixel));
}

QRect stored(const QWidget* w) {
    const QVariant v = w->property(kRect);
    if (v.isValid()) return v.toRect();
    // A control that was never placed in twips: derive from its pixels.
    const Zoom z = zoomOf(w);
    const QRect g = w->geometry();
    auto back = [&z](int px) {
        return static_cast<int>(std::lround(px * kTwipsPerPixel / z.factor));
    };
    return QRect(back(g.x()), back(g.y()), back(g.width()), back(g.height()));
}

// A control of the window that reaches past the specified client area shows
// only its part inside; one wholly outside takes no clicks either.
void clipToContent(QWidget* w, const QRect& content) {
    if (content.isEmpty()) return;
    const QRect g = w->geometry();
    if (content.contains(g)) {
        if (!w->mask().isEmpty()) w->clearMask();
        return;
    }
    const QRect inside = content.intersected(g).translated(-g.topLeft());
    // An empty mask would mean "no mask": a region beside the control hides it whole.
    const QRegion mask = inside.isEmpty() ? QRegion(-1, -1, 1, 1) : QRegion(inside);
    if (w->mask() != mask) w->setMask(mask);
}

void placeInPixels(QWidget* w, const QRect& r) {
    QWidget* parent = w->parentWidget();
    w->setGeometry(toPx(parent, r));
    if (parent && parent->isWindow()) clipToContent(w, zoomOf(parent).content);
}

void apply(QWidget* w, const QRect& r) {
    const bool moved = w->property(kRect).toRect().topLeft() != r.topLeft();
    w->setProperty(kRect, r);
    placeInPixels(w, r);
    // Controls inside are rounded where they lie in the window: a container
    // that moves takes them to the pixels of their new place.
    if (moved)
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->property(kRect).isValid()) placeInPixels(c, c->property(kRect).toRect());
}
} // namespace

int toPx(int twips) {
    return scaled(twips, 1.0);
}
int fromPx(int px) {
    return static_cast<int>(std::lround(double(px) * kTwipsPerPixel));
}

Zoom zoomOf(const QWidget* w) {
    Zoom z;
    if (!w) return z;
    const QWidget* win = w->window();
    const QVariant f = win->property(kFactor);
    if (!f.isValid()) return z;
    z.factor = f.toDouble();
    z.offset = win->property(kOffset).toPoint();
    z.content = win->property(kContent).toRect();
    return z;
}

void setZoom(QWidget* window, const Zoom& z) {
    window->setProperty(kFactor, z.factor > 0 ? z.factor : 1.0);
    window->setProperty(kOffset, z.offset);
    window->setProperty(kContent, z.content);
}

int toPx(const QWidget* w, double twips) {
    return scaled(twips, zoomOf(w).factor);
}

QRect toPx(const QWidget* parent, const QRect& r) {
    const Zoom z = zoomOf(parent);
    if (!parent || parent->isWindow())
        return QRect(scaled(r.x(), z.factor) + z.offset.x(), scaled(r.y(), z.factor) + z.offset.y(),
                     scaled(r.width(), z.factor), scaled(r.height(), z.factor));
    // A control in a container: rounded where it lies in the window, so a
    // cell in a container meets the same pixel grid as the cells beside it.
    QPoint origin;
    for (const QWidget* c = parent; c && !c->isWindow(); c = c->parentWidget()) {
        const QVariant v = c->property(kRect);
        if (!v.isValid()) {
            origin = QPoint();
            break;
        }
        origin += v.toRect().topLeft();
    }
    return QRect(scaled(origin.x() + r.x(), z.factor) - scaled(origin.x(), z.factor),
                 scaled(origin.y() + r.y(), z.factor) - scaled(origin.y(), z.factor),
                 scaled(r.width(), z.factor), scaled(r.height(), z.factor));
}

void place(QWidget* w, int left, int top, int width, int height) {
    apply(w, QRect(left, top, width, height));
}

void setLeft(QWidget* w, int left) {
    QRect r = stored(w);
    r.moveLeft(left);
    apply(w, r);
}

void setTop(QWidget* w, int top) {
    QRect r = stored(w);
    r.moveTop(top);
    apply(w, r);
}

void move(QWidget* w, int left, int top) {
    QRect r = stored(w);
    r.moveTo(left, top);
    apply(w, r);
}

void relayout(QWidget* window) {
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* c : children) {
        const QVariant v = c->property(kRect);
        if (v.isValid()) placeInPixels(c, v.toRect());
    }
}

int left(const QWidget* w) {
    return stored(w).x();
}
int top(const QWidget* w) {
    return stored(w).y();
}
int width(const QWidget* w) {
    return stored(w).width();
}
int height(const QWidget* w) {
    return stored(w).height();
}
QRect rect(const QWidget* w) {
    return stored(w);
}

} // namespace tw
