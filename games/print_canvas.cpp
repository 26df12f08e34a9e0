#include "print_canvas.h"

#include <QFontMetrics>
#include <QWidget>
#include <cmath>

#include "fonts.h"

namespace games {

PrintCanvas::PrintCanvas(QWidget* host) : host_(host) {}

PrintCanvas::~PrintCanvas() {
    endPrinting();
}

QFont PrintCanvas::fontAt(double points, bool designSize) const {
    QFont f = shell::vbFont(QStringLiteral("MS Sans Serif"), points, true);
    // Sized through the window's mapping so text and cells scale alike;
    // without antialiasing, printing a text again in the back colour leaves
    // no trace.
    f.setPixelSize(tw::fontPixels(designSize ? nullptr : host_, points));
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void PrintCanvas::setPoints(double points) {
    points_ = points;
    font_ = fontAt(points, false);
    printedTexts_.clear();
    host_->setFont(font_);
}

int PrintCanvas::lineTwips() const {
    return tw::fromPx(QFontMetrics(fontAt(points_, true)).height());
}

QColor PrintCanvas::back() const {
    return host_->palette().color(QPalette::Window);
}

QSize PrintCanvas::deviceSize() const {
    return (QSizeF(host_->size()) * host_->devicePixelRatioF()).toSize();
}

void PrintCanvas::print(const QString& text, const QPoint& atTwips, const QColor& colour) {
    PrintOp op{text, atTwips, colour, points_};
    for (int i = 0; i < printed_.size(); ++i) {
        const PrintOp& o = printed_.at(i);
        if (o.at == op.at && o.text == op.text && o.points == op.points) {
            printed_.removeAt(i);
            break; // there is never more than one
        }
    }
    const tw::Zoom z = tw::zoomOf(host_);
    const QRect cell = cellOf(op, laidOut(op.text), z);
    dirtyCells_ |= cell;
    // An erase that lies on nothing printed before it changes no pixel. It is
    // not kept: the list is drawn on every paint, and the erased digits of
    // every jump would pile up in it. Near enough to count is generous, so
    // that rounding at another zoom cannot make it matter there.
    bool keep = op.colour != back();
    const QRect near = cell.adjusted(-cell.width(), -cell.height(), cell.width(), cell.height());
    for (int i = 0; i < printed_.size() && !keep; ++i) {
        const PrintOp& o = printed_.at(i);
        keep = o.points != op.points || cellOf(o, laidOut(o.text), z).intersects(near);
    }
    if (keep) printed_.append(op);
    if (surfaceValid_) renderPrint(surfacePainter(), op, cell);
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            host_, [this] { flushPrints(); }, Qt::QueuedConnection);
    }
}

const PrintCanvas::PrintedText& PrintCanvas::laidOut(const QString& text) const {
    auto laid = printedTexts_.find(text);
    if (laid == printedTexts_.end()) {
        if (printedTexts_.size() > 64) printedTexts_.clear();
        const QFontMetrics fm(font_);
        PrintedText t;
        t.text = QStaticText(text);
        t.text.setTextFormat(Qt::PlainText);
        t.text.setPerformanceHint(QStaticText::AggressiveCaching);
        t.text.prepare(QTransform(), font_);
        t.width = fm.horizontalAdvance(text);
        t.height = fm.height();
        laid = printedTexts_.insert(text, t);
    }
    return *laid;
}

QRect PrintCanvas::cellOf(const PrintOp& op, const PrintedText& t, const tw::Zoom& z) {
    return QRect(z.offset.x() + z.px(op.at.x()), z.offset.y() + z.px(op.at.y()), t.width, t.height);
}

void PrintCanvas::paintPrints(QPainter& p, const QRect& area) const {
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font_);
    const QColor background = back();
    const tw::Zoom z = tw::zoomOf(host_);
    for (const PrintOp& op : std::as_const(printed_)) {
        if (op.points != points_) {
            // Printed before the size changed: rare, so laid out on the spot.
            const QFont f = fontAt(op.points, false);
            const QFontMetrics fm(f);
            PrintedText t;
            t.width = fm.horizontalAdvance(op.text);
            t.height = fm.height();
            const QRect cell = cellOf(op, t, z);
            if (!cell.intersects(area)) continue;
            // Opaque background: a caught digit vanishes under the cross printed on it.
            p.fillRect(cell, background);
            p.setFont(f);
            p.setPen(op.colour);
            p.drawText(cell.left(), cell.top() + fm.ascent(), op.text);
            p.setFont(font_);
            continue;
        }
        const PrintedText& t = laidOut(op.text);
        const QRect cell = cellOf(op, t, z);
        if (!cell.intersects(area)) continue;
        p.fillRect(cell, background);
        p.setPen(op.colour);
        p.drawStaticText(cell.topLeft(), t.text);
    }
}

void PrintCanvas::renderPrint(QPainter& p, const PrintOp& op, const QRect& cell) {
    // Opaque background: a caught digit vanishes under the cross printed on it.
    p.fillRect(cell, back());
    p.setFont(font_);
    p.setPen(op.colour);
    p.drawStaticText(cell.topLeft(), laidOut(op.text).text);
}

QPainter& PrintCanvas::surfacePainter() {
    if (!surfacePainter_.isActive()) {
        surfacePainter_.begin(&surface_);
        surfacePainter_.setRenderHint(QPainter::TextAntialiasing, false);
        surfacePainter_.setRenderHint(QPainter::Antialiasing, false);
    }
    return surfacePainter_;
}

void PrintCanvas::endPrinting() const {
    if (surfacePainter_.isActive()) surfacePainter_.end();
}

void PrintCanvas::dropSurface() {
    endPrinting();
    surface_ = QImage();
    surfaceValid_ = false;
}

void PrintCanvas::buildSurface() {
    endPrinting();
    surface_ = QImage(deviceSize(), QImage::Format_RGB32);
    surface_.setDevicePixelRatio(host_->devicePixelRatioF());
    surface_.fill(back());
    QPainter p(&surface_);
    paintPrints(p, host_->rect());
    surfaceValid_ = true;
}

void PrintCanvas::zoomChanged() {
    font_ = fontAt(points_, false);
    printedTexts_.clear();
    host_->setFont(font_);
    dropSurface();
    host_->update();
}

void PrintCanvas::resized() {
    if (surfaceValid_ && surface_.size() != deviceSize()) dropSurface();
}

void PrintCanvas::flushPrints() {
    flushQueued_ = false;
    endPrinting();
    // The game goes on at this size: from now on a jump prints into the image
    // and a repaint copies from it.
    if (!surfaceValid_) buildSurface();
    host_->update(dirtyCells_);
    dirtyCells_ = QRect();
}

void PrintCanvas::clear() {
    printed_.clear();
    if (surfaceValid_) {
        endPrinting();
        surface_.fill(back());
    }
    host_->update();
}

QImage PrintCanvas::image() const {
    if (surfaceValid_) {
        endPrinting();
        return surface_;
    }
    QImage img(deviceSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(host_->devicePixelRatioF());
    img.fill(back());
    QPainter p(&img);
    paintPrints(p, host_->rect());
    return img;
}

void PrintCanvas::paint(QPainter& p, const QRect& area) {
    // While the game is played the prints are kept in an image of the window
    // and a repaint copies from it. Right after the window changed its size
    // they are drawn from the list instead: a window grown to a whiteboard
    // would otherwise make, fill and copy an image of its size on every
    // resize.
    if (surfaceValid_) {
        endPrinting();
        const qreal dpr = surface_.devicePixelRatio();
        // Copied pixel for pixel: smoothing would only send it down Qt's
        // slow texture path.
        p.setRenderHint(QPainter::SmoothPixmapTransform, dpr != std::floor(dpr));
        p.drawImage(
            area, surface_,
            QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
        return;
    }
    paintPrints(p, area);
}

} // namespace games
