#include "twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace tw {

namespace {
const char* const kRect = "twipsRect";
const char* const kFactor = "twipsZoom";
const char* const kOffset = "twipsOffset";

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

void apply(QWidget* w, const QRect& r) {
    w->setProperty(kRect, r);
    w->setGeometry(toPx(w->parentWidget(), r));
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
    return z;
}

void setZoom(QWidget* window, const Zoom& z) {
    window->setProperty(kFactor, z.factor > 0 ? z.factor : 1.0);
    window->setProperty(kOffset, z.offset);
}

int toPx(const QWidget* w, double twips) {
    return scaled(twips, zoomOf(w).factor);
}

QRect toPx(const QWidget* parent, const QRect& r) {
    const Zoom z = zoomOf(parent);
    // Only the window's own controls are shifted; controls in a container
    // move with it.
    const QPoint off = parent && parent->isWindow() ? z.offset : QPoint();
    return QRect(scaled(r.x(), z.factor) + off.x(), scaled(r.y(), z.factor) + off.y(),
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
        if (v.isValid()) c->setGeometry(toPx(c->parentWidget(), v.toRect()));
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
