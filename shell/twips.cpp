#include "twips.h"

#include "registry.h"

#include <QWidget>
#include <cmath>

namespace tw {

namespace {
// The twips rectangle of every placed control and the mapping of every grown
// window, looked up on each paint.
shell::Registry<QRect>& rects() {
    static shell::Registry<QRect> r;
    return r;
}
shell::Registry<Zoom>& zooms() {
    static shell::Registry<Zoom> z;
    return z;
}

int scaled(double twips, double factor) {
    return static_cast<int>(std::lround(twips * factor / kTwipsPerPixel));
}

QRect stored(const QWidget* w) {
    if (const QRect* r = rects().find(w)) return *r;
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
    const QRect* before = rects().find(w);
    const bool moved = !before || before->topLeft() != r.topLeft();
    rects().set(w, r);
    placeInPixels(w, r);
    // Controls inside are rounded where they lie in the window: a container
    // that moves takes them to the pixels of their new place.
    if (moved && before)
        for (QWidget* c : w->findChildren<QWidget*>())
            if (const QRect* cr = rects().find(c)) placeInPixels(c, *cr);
}
} // namespace

int toPx(int twips) {
    return scaled(twips, 1.0);
}
int fromPx(int px) {
    return static_cast<int>(std::lround(double(px) * kTwipsPerPixel));
}

Zoom zoomOf(const QWidget* w) {
    if (!w) return Zoom();
    const Zoom* z = zooms().find(w->window());
    return z ? *z : Zoom();
}

void setZoom(QWidget* window, const Zoom& z) {
    Zoom kept = z;
    if (kept.factor <= 0) kept.factor = 1.0;
    zooms().set(window, kept);
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
        const QRect* placed = rects().find(c);
        if (!placed) {
            origin = QPoint();
            break;
        }
        origin += placed->topLeft();
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
    for (QWidget* c : children)
        if (const QRect* r = rects().find(c)) placeInPixels(c, *r);
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
