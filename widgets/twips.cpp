#include "twips.h"

#include "registry.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tw {

namespace {
// The twips rectangle of every placed control and the mapping of every grown
// window, looked up on each paint.
widgets::Registry<QRect>& rects() {
    static widgets::Registry<QRect> r;
    return r;
}
widgets::Registry<Zoom>& zooms() {
    static widgets::Registry<Zoom> z;
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

// A control of the window that reaches past the designed client area shows
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

// The cap of boxes and dialogs: any larger and a box no longer fits the screen.
constexpr double kLargestBoxZoom = 3.0;

// Size of a font as one number: points when positive, pixels when negative.
double fontSize(const QFont& f) {
    return f.pointSizeF() > 0 ? f.pointSizeF() : -double(f.pixelSize());
}

QFont scaledFont(QFont f, double factor) {
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * factor);
    else
        f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() * factor))));
    return f;
}

// The size of a control's font at 100 % and the size it was given at the
// current zoom.
struct FontSizes {
    double base;
    double shown;
};
widgets::Registry<FontSizes>& fontSizes() {
    static widgets::Registry<FontSizes> r;
    return r;
}

double boxZoom(const QWidget* parent) {
    return parent ? std::min(kLargestBoxZoom, zoomOf(parent).factor) : 1.0;
}
} // namespace

int Zoom::px(double twips) const {
    return scaled(twips, factor);
}

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

Zoom fit(const QSize& designTwips, const QSize& clientPx) {
    const QSize design(toPx(designTwips.width()), toPx(designTwips.height()));
    Zoom z;
    if (design.isEmpty()) return z;
    z.factor = std::max(1.0, std::min(double(clientPx.width()) / design.width(),
                                      double(clientPx.height()) / design.height()));
    z.offset = QPoint(int(std::lround((clientPx.width() - design.width() * z.factor) / 2)),
                      int(std::lround((clientPx.height() - design.height() * z.factor) / 2)));
    z.content = QRect(z.offset, (QSizeF(design) * z.factor).toSize());
    return z;
}

QSize sizeAtZoomOf(const QWidget* other, const QSize& designTwips) {
    const Zoom z = zoomOf(other);
    return QSize(int(std::lround(toPx(designTwips.width()) * z.factor)),
                 int(std::lround(toPx(designTwips.height()) * z.factor)));
}

int toPx(const QWidget* w, double twips) {
    return zoomOf(w).px(twips);
}

int stroke(const QWidget* w, double widthPx) {
    return std::max(1, int(std::lround(widthPx * zoomOf(w).factor)));
}

QRectF drawAtDesignSize(QPainter& p, const QWidget* w) {
    const double z = zoomOf(w).factor;
    p.scale(z, z);
    return QRectF(0, 0, w->width() / z, w->height() / z);
}

void zoomFont(QWidget* w) {
    if (!w->testAttribute(Qt::WA_SetFont)) return;
    const QFont f = w->font();
    const double size = fontSize(f);
    const FontSizes* known = fontSizes().find(w);
    const double base = known && known->shown == size ? known->base : size;
    QFont atBase = f;
    if (base > 0)
        atBase.setPointSizeF(base);
    else
        atBase.setPixelSize(int(-base));
    const QFont zoomed = scaledFont(atBase, zoomOf(w).factor);
    if (fontSize(zoomed) != size) w->setFont(zoomed);
    fontSizes().set(w, {base, fontSize(w->font())});
}

int fontPixels(const QWidget* w, double points) {
    // A point is 20 twips.
    return std::max(1, toPx(w, points * 20));
}

bool growsBoxes(const QWidget* parent) {
    return boxZoom(parent) > 1.0;
}

void zoomBox(QWidget* box, const QWidget* parent) {
    if (growsBoxes(parent)) box->setFont(boxFont(box->font(), parent));
}

QFont boxFont(const QFont& font, const QWidget* parent) {
    return scaledFont(font, boxZoom(parent));
}

namespace {
// The free area of the screen a window opens on and the frame the window
// manager puts around the program's windows.
struct Room {
    QRect area;
    QMargins frame;
};
Room roomOf(const QWidget* near) {
    const QScreen* screen = near ? near->screen() : QGuiApplication::primaryScreen();
    Room room;
    room.area = screen ? screen->availableGeometry() : QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (const QWidget* framed = near ? near->window() : nullptr) {
        const QRect f = framed->frameGeometry(), g = framed->geometry();
        room.frame = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                              f.bottom() - g.bottom());
    }
    return room;
}
} // namespace

QSize roomOnScreen(const QWidget* near) {
    const Room room = roomOf(near);
    return room.area.size().shrunkBy(room.frame);
}

void returnFocus(const QWidget* parent) {
    QWidget* window = parent ? parent->window() : nullptr;
    if (window && window->isVisible()) window->activateWindow();
}

void fitBox(QWidget* box, const QWidget* parent) {
    const Room room = roomOf(parent ? parent : box);
    const QSize fits = room.area.size().shrunkBy(room.frame);
    // A box of a fixed size (a message box) is as large as it is; any other
    // must fit at least its smallest size.
    auto needs = [box] {
        return box->minimumSize() == box->maximumSize() ? box->size() : box->minimumSizeHint();
    };
    const QFont base = QApplication::font(box);
    for (double z = boxZoom(parent); z > 1.0;) {
        const QSize need = needs();
        if (need.width() <= fits.width() && need.height() <= fits.height()) break;
        z = std::max(1.0, z - 0.25);
        box->setFont(scaledFont(base, z));
        // A message box sizes itself anew on the layout's request.
        QCoreApplication::sendPostedEvents(box, QEvent::LayoutRequest);
    }
    if (!growsBoxes(parent)) return;
    if (box->minimumSize() != box->maximumSize())
        box->resize(box->sizeHint().boundedTo(fits).expandedTo(box->minimumSizeHint()));
    // Centred over its window as Qt places a dialog, but all of it, frame
    // included, on the screen (a message box learns its size only as it
    // shows, after it was placed).
    const QSize framed = box->size().grownBy(room.frame);
    const QWidget* over = parent ? parent->window() : nullptr;
    const QPoint centre = over ? over->frameGeometry().center() : room.area.center();
    const QPoint first = room.area.topLeft();
    const QPoint last(std::max(first.x(), room.area.right() + 1 - framed.width()),
                      std::max(first.y(), room.area.bottom() + 1 - framed.height()));
    box->move(std::clamp(centre.x() - framed.width() / 2, first.x(), last.x()),
              std::clamp(centre.y() - framed.height() / 2, first.y(), last.y()));
}

void zoomMenu(QMenu* menu, const QWidget* parent) {
    menu->setFont(boxFont(QApplication::font(menu), parent));
    if (!growsBoxes(parent)) {
        menu->setMinimumWidth(0);
        return;
    }
    // Some styles indent an entry by a share of its height on either side
    // but size the menu without it: at a large font the longest entries
    // would lose their middle to an ellipsis.
    const QFontMetrics metrics(menu->font());
    int widest = 0, tallest = 0;
    const auto actions = menu->actions();
    for (QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible()) continue;
        widest = std::max(widest, metrics.horizontalAdvance(a->text()));
        tallest = std::max(tallest, menu->actionGeometry(a).height());
    }
    menu->setMinimumWidth(widest + 2 * tallest + 2 * menu->style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, menu) + 8);
}

void takeBoxZoom(QWidget* window, const QWidget* parent) {
    Zoom z;
    z.factor = boxZoom(parent);
    setZoom(window, z);
}

QEvent::Type zoomChangedEvent() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
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
