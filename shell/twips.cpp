#include "twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace tw {

namespace {
double gScale = 1.0;
const char* const kRect = "twipsRect";

QRect stored(const QWidget* w) {
    const QVariant v = w->property(kRect);
    if (v.isValid()) return v.toRect();
    // A control that was never placed in twips: derive from its pixels.
    const QRect g = w->geometry();
    return QRect(fromPx(g.x()), fromPx(g.y()), fromPx(g.width()), fromPx(g.height()));
}

void apply(QWidget* w, const QRect& r) {
    w->setProperty(kRect, r);
    w->setGeometry(toPx(r.x()), toPx(r.y()), toPx(r.width()), toPx(r.height()));
}
} // namespace

double scale() {
    return gScale;
}
void setScale(double s) {
    gScale = s > 0 ? s : 1.0;
}

int toPx(int twips) {
    return static_cast<int>(std::lround(twips * gScale / kTwipsPerPixel));
}
int fromPx(int px) {
    return static_cast<int>(std::lround(px * kTwipsPerPixel / gScale));
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
