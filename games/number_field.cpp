#include "number_field.h"

#include <QFontMetrics>
#include <QWidget>
#include <cmath>

#include "fonts.h"

namespace games {

namespace {
constexpr double kPoints = 13.5;
constexpr int kCellTwips = 280; // 14 points
} // namespace

NumberField::NumberField(QWidget* window) : window_(window) {
    font_ = zoomedFont();
    window_->setFont(font_);
}

NumberField::~NumberField() {
    endDrawing();
}

QFont NumberField::zoomedFont() const {
    QFont f = widgets::sansFont(kPoints, true);
    // Sized through the window's mapping so texts and cells scale alike;
    // without antialiasing, a text drawn again in the back colour leaves no
    // trace.
    f.setPixelSize(tw::fontPixels(window_, kPoints));
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QColor NumberField::back() const {
    return window_->palette().color(QPalette::Window);
}

QSize NumberField::deviceSize() const {
    return (QSizeF(window_->size()) * window_->devicePixelRatioF()).toSize();
}

void NumberField::draw(const QString& text, Cell at, const QColor& colour) {
    const Drawn d{text, at, colour};
    for (int i = 0; i < drawn_.size(); ++i) {
        const Drawn& o = drawn_.at(i);
        if (o.at == d.at && o.text == d.text) {
            drawn_.removeAt(i);
            break; // there is never more than one
        }
    }
    const tw::Zoom z = tw::zoomOf(window_);
    const QRect rect = rectOf(d, z);
    dirty_ |= rect;
    // An erase that lies on nothing drawn before it changes no pixel. It is
    // not kept: the list is painted on every paint, and the erased digits of
    // every jump would pile up in it. Near enough to count is generous, so
    // that rounding at another zoom cannot make it matter there.
    bool keep = d.colour != back();
    const QRect near = rect.adjusted(-rect.width(), -rect.height(), rect.width(), rect.height());
    for (int i = 0; i < drawn_.size() && !keep; ++i)
        keep = rectOf(drawn_.at(i), z).intersects(near);
    if (keep) drawn_.append(d);
    if (surfaceValid_) render(surfacePainter(), d, rect);
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            window_, [this] { flush(); }, Qt::QueuedConnection);
    }
}

const NumberField::LaidOut& NumberField::laidOut(const QString& text) const {
    auto laid = laidOut_.find(text);
    if (laid == laidOut_.end()) {
        if (laidOut_.size() > 64) laidOut_.clear();
        const QFontMetrics fm(font_);
        LaidOut t;
        t.text = QStaticText(text);
        t.text.setTextFormat(Qt::PlainText);
        t.text.setPerformanceHint(QStaticText::AggressiveCaching);
        t.text.prepare(QTransform(), font_);
        t.width = fm.horizontalAdvance(text);
        t.height = fm.height();
        laid = laidOut_.insert(text, t);
    }
    return *laid;
}

QRect NumberField::rectOf(const Drawn& d, const tw::Zoom& z) const {
    const LaidOut& t = laidOut(d.text);
    return QRect(z.offset.x() + z.px(kCellTwips * d.at.column),
                 z.offset.y() + z.px(kCellTwips * d.at.row), t.width, t.height);
}

void NumberField::paintAll(QPainter& p, const QRect& area) const {
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font_);
    const QColor background = back();
    const tw::Zoom z = tw::zoomOf(window_);
    for (const Drawn& d : std::as_const(drawn_)) {
        const QRect rect = rectOf(d, z);
        if (!rect.intersects(area)) continue;
        // Opaque background: a caught digit vanishes under the cross drawn on it.
        p.fillRect(rect, background);
        p.setPen(d.colour);
        p.drawStaticText(rect.topLeft(), laidOut(d.text).text);
    }
}

void NumberField::render(QPainter& p, const Drawn& d, const QRect& rect) {
    p.fillRect(rect, back());
    p.setFont(font_);
    p.setPen(d.colour);
    p.drawStaticText(rect.topLeft(), laidOut(d.text).text);
}

QPainter& NumberField::surfacePainter() {
    if (!surfacePainter_.isActive()) {
        surfacePainter_.begin(&surface_);
        surfacePainter_.setRenderHint(QPainter::TextAntialiasing, false);
        surfacePainter_.setRenderHint(QPainter::Antialiasing, false);
    }
    return surfacePainter_;
}

void NumberField::endDrawing() const {
    if (surfacePainter_.isActive()) surfacePainter_.end();
}

void NumberField::dropSurface() {
    endDrawing();
    surface_ = QImage();
    surfaceValid_ = false;
}

void NumberField::buildSurface() {
    endDrawing();
    surface_ = QImage(deviceSize(), QImage::Format_RGB32);
    surface_.setDevicePixelRatio(window_->devicePixelRatioF());
    surface_.fill(back());
    QPainter p(&surface_);
    paintAll(p, window_->rect());
    surfaceValid_ = true;
}

void NumberField::zoomChanged() {
    font_ = zoomedFont();
    laidOut_.clear();
    window_->setFont(font_);
    dropSurface();
    window_->update();
}

void NumberField::resized() {
    if (surfaceValid_ && surface_.size() != deviceSize()) dropSurface();
}

void NumberField::flush() {
    flushQueued_ = false;
    endDrawing();
    // The game goes on at this size: from now on a jump draws into the image
    // and a repaint copies from it.
    if (!surfaceValid_) buildSurface();
    window_->update(dirty_);
    dirty_ = QRect();
}

void NumberField::clear() {
    drawn_.clear();
    if (surfaceValid_) {
        endDrawing();
        surface_.fill(back());
    }
    window_->update();
}

void NumberField::paint(QPainter& p, const QRect& area) {
    // While the game is played what was drawn is kept in an image of the
    // window and a repaint copies from it. Right after the window changed its
    // size it is painted from the list instead: a window grown to a
    // whiteboard would otherwise make, fill and copy an image of its size on
    // every resize.
    if (surfaceValid_) {
        endDrawing();
        const qreal dpr = surface_.devicePixelRatio();
        // Copied pixel for pixel: smoothing would only send it down Qt's
        // slow texture path.
        p.setRenderHint(QPainter::SmoothPixmapTransform, dpr != std::floor(dpr));
        p.drawImage(
            area, surface_,
            QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
        return;
    }
    paintAll(p, area);
}

} // namespace games
