#include "controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <cmath>

#include "twips.h"

namespace shell {

// ---------------------------------------------------------------- VbLabel

VbLabel::VbLabel(QWidget* parent, const QString& name) : QLabel(parent) {
    setObjectName(name);
    setAutoFillBackground(true);
}

void VbLabel::setCaption(const QString& c) {
    if (c == caption_) return;
    caption_ = c;
    // The label shows carriage returns as line breaks.
    QString shown = c;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
}

long long VbLabel::value() const {
    return caption_.trimmed().toLongLong();
}

void VbLabel::setBackColor(quint32 v) {
    QPalette p = palette();
    p.setColor(QPalette::Window, bgr(v));
    setPalette(p);
}

void VbLabel::setForeColor(quint32 v) {
    setForeColor(bgr(v));
}

void VbLabel::setForeColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, c);
    setPalette(p);
}

QColor VbLabel::backColor() const {
    return palette().color(QPalette::Window);
}
QColor VbLabel::foreColor() const {
    return palette().color(QPalette::WindowText);
}

void VbLabel::setBorder(bool single) {
    setFrameStyle(single ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    zoomFrame();
}

void VbLabel::zoomFrame() {
    if (frameShape() != QFrame::NoFrame) setLineWidth(tw::stroke(this, 1));
}

bool VbLabel::event(QEvent* e) {
    if (e->type() == tw::zoomChangedEvent()) zoomFrame();
    return QLabel::event(e);
}

void VbLabel::setItalic(bool italic) {
    QFont f = font();
    f.setItalic(italic);
    setFont(f);
}

void VbLabel::dropFrom(QWidget* source) {
    if (onDragDrop) onDragDrop(source);
}

void VbLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

void VbLabel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click) {
        if (onClick) onClick();
        emit clicked();
    }
}

// ---------------------------------------------------------------- VbPicture

VbPicture::VbPicture(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setAutoFillBackground(true);
}

void VbPicture::setBackColor(quint32 v) {
    QPalette p = palette();
    p.setColor(QPalette::Window, bgr(v));
    setPalette(p);
}

QColor VbPicture::backColor() const {
    return palette().color(QPalette::Window);
}

void VbPicture::setPicture(Painter p) {
    picture_ = std::move(p);
    update();
}

void VbPicture::setBorder(bool raised) {
    raised_ = raised;
    update();
}

void VbPicture::dropFrom(QWidget* source) {
    if (onDragDrop) onDragDrop(source);
}

void VbPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (picture_) {
        // Drawn as at 100 % through a scaled painter, so strokes grow with the
        // picture and stay sharp.
        p.save();
        picture_(p, tw::drawAtDesignSize(p, this));
        p.restore();
    }
    if (raised_) {
        const int w = tw::stroke(this, 1);
        const QRect r = rect().adjusted(0, 0, -w, -w);
        p.setRenderHint(QPainter::Antialiasing, false);
        const QColor light = Qt::white, dark(0x40, 0x40, 0x40);
        // Bands as wide as the zoom: the top and left edge lit, the others in shade.
        p.fillRect(QRect(r.left(), r.top(), r.width() + 1, w), light);
        p.fillRect(QRect(r.left(), r.top(), w, r.height() + 1), light);
        p.fillRect(QRect(r.left(), r.bottom(), r.width() + w, w), dark);
        p.fillRect(QRect(r.right(), r.top(), w, r.height() + w), dark);
    }
}

void VbPicture::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

void VbPicture::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click) {
        if (onClick) onClick();
        emit clicked();
    }
}

// ---------------------------------------------------------------- VbShape

VbShape::VbShape(QWidget* parent, const QString& name, Kind kind) : QWidget(parent), kind_(kind) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VbShape::setFill(quint32 v) {
    filled_ = true;
    fill_ = bgr(v);
    if (kind_ == Rectangle) {
        // A solid box is opaque: the window need not paint its own background
        // beneath it first, which counts on a window grown to a whiteboard.
        QPalette p = palette();
        p.setColor(QPalette::Window, fill_);
        setPalette(p);
        setAutoFillBackground(true);
    }
    update();
}

void VbShape::setTransparentFill() {
    filled_ = false;
    setAutoFillBackground(false);
    update();
}

void VbShape::setBorderColor(quint32 v) {
    border_ = bgr(v);
    update();
}

void VbShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int width = tw::stroke(this, borderWidth_);
    if (kind_ == Rectangle && width > 1) {
        // A grown window's boxes are large: filled as bands, not stroked as a path.
        const QRect r = rect();
        // The inside is the background Qt filled.
        p.fillRect(QRect(r.left(), r.top(), r.width(), width), border_);
        p.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), border_);
        p.fillRect(QRect(r.left(), r.top(), width, r.height()), border_);
        p.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), border_);
        return;
    }
    const qreal half = width / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    p.setPen(QPen(border_, width));
    p.setBrush(filled_ ? QBrush(fill_) : Qt::NoBrush);
    if (kind_ == Circle) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(r);
    } else {
        p.drawRect(r);
    }
}

// ---------------------------------------------------------------- VbLine

VbLine::VbLine(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2, quint32 colour,
               int widthPx)
    : QWidget(parent), colour_(bgr(colour)), width_(widthPx) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The widget spans the line's bounding box plus half the pen on every side.
    const int padTw = (widthPx / 2 + 1) * tw::kTwipsPerPixel;
    const int l = std::min(x1, x2) - padTw, t = std::min(y1, y2) - padTw;
    tw::place(this, l, t, std::abs(x2 - x1) + 2 * padTw, std::abs(y2 - y1) + 2 * padTw);
    a_ = QPoint(x1 - l, y1 - t);
    b_ = QPoint(x2 - l, y2 - t);
}

void VbLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPoint a(tw::toPx(this, a_.x()), tw::toPx(this, a_.y()));
    const QPoint b(tw::toPx(this, b_.x()), tw::toPx(this, b_.y()));
    if (a.x() != b.x() && a.y() != b.y()) p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour_, tw::stroke(this, width_), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

// ---------------------------------------------------------------- buttons

VbButton::VbButton(QWidget* parent, const QString& name, const QString& caption)
    : QPushButton(caption, parent) {
    setObjectName(name);
    setAutoDefault(false);
}

namespace {
// Every control resolves its own copy of the palette, and the style keys its
// cache of drawn bevels by the palette's identity: a grown window would draw
// a bevel for each button. Buttons of the same colours share one palette.
QPalette sharedPalette(const QPalette& palette) {
    static QList<QPalette> known;
    for (const QPalette& k : std::as_const(known))
        if (k == palette) return k;
    if (known.size() == 16) known.removeFirst();
    known.append(palette);
    return palette;
}
} // namespace

void VbButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    // A widget's painter smooths pixmaps by default, and then the style's
    // bevel, cached as a pixmap and drawn 1:1, takes Qt's slow texture path:
    // on a grown button that is most of its paint. Off, it is a plain blend.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.palette = sharedPalette(option.palette);
    p.drawControl(QStyle::CE_PushButton, option);
}

} // namespace shell
