#include "controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <cmath>

#include "keyboard_access.h"
#include "twips.h"

namespace widgets {

namespace {
void setColour(QWidget* w, QPalette::ColorRole role, const QColor& c) {
    // Views show their whole model each time: an unchanged colour costs nothing.
    if (w->palette().color(role) == c) return;
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

// Drawn as at 100 % through a scaled painter, so strokes grow with the
// picture and stay sharp.
void paintPicture(QWidget* w, const PictureFunction& picture) {
    if (!picture) return;
    QPainter p(w);
    p.setRenderHint(QPainter::Antialiasing);
    picture(p, tw::drawAtDesignSize(p, w));
}
} // namespace

void fillBackground(QWidget* w, const QColor& c) {
    w->setAutoFillBackground(true);
    setColour(w, QPalette::Window, c);
}

// ---------------------------------------------------------------- labels

Label::Label(QWidget* parent, const QString& objectName, const QString& text)
    : QLabel(text, parent) {
    setObjectName(objectName);
    setAutoFillBackground(true);
}

void Label::setColours(const QColor& text, const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Window, background);
    setPalette(p);
}

void Label::setTextColour(const QColor& c) {
    setColour(this, QPalette::WindowText, c);
}

void Label::setBackground(const QColor& c) {
    setColour(this, QPalette::Window, c);
}

QColor Label::textColour() const {
    return palette().color(QPalette::WindowText);
}

QColor Label::background() const {
    return palette().color(QPalette::Window);
}

void Label::setFramed(bool framed) {
    setFrameStyle(framed ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    zoomFrame();
}

void Label::zoomFrame() {
    if (frameShape() != QFrame::NoFrame) setLineWidth(tw::stroke(this, 1));
}

void Label::setItalic(bool italic) {
    if (font().italic() == italic) return;
    QFont f = font();
    f.setItalic(italic);
    setFont(f);
}

bool Label::event(QEvent* e) {
    if (e->type() == tw::zoomChangedEvent()) zoomFrame();
    return QLabel::event(e);
}

void Label::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    paintKeyboardFocus(this);
}

void ClickableLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click) emit clicked();
}

DigitCell::DigitCell(QWidget* parent, const QString& objectName)
    : ClickableLabel(parent, objectName) {
    setAlignment(Qt::AlignCenter);
}

void DigitCell::setMark(std::function<void(QPainter&, const QRectF&)> mark) {
    mark_ = std::move(mark);
    update();
}

void DigitCell::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (!mark_ || text().isEmpty()) return;
    QPainter p(this);
    mark_(p, tw::drawAtDesignSize(p, this));
}

// ---------------------------------------------------------------- pictures

Picture::Picture(QWidget* parent, const QString& objectName) : QWidget(parent) {
    setObjectName(objectName);
    setAutoFillBackground(true);
}

void Picture::setBackground(const QColor& c) {
    setColour(this, QPalette::Window, c);
}

QColor Picture::background() const {
    return palette().color(QPalette::Window);
}

void Picture::setPicture(PictureFunction picture) {
    picture_ = std::move(picture);
    update();
}

void Picture::paintEvent(QPaintEvent*) {
    paintPicture(this, picture_);
}

PictureButton::PictureButton(QWidget* parent, const QString& objectName)
    : QAbstractButton(parent) {
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    // Filled like any picture, not in the colour of a button.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void PictureButton::setBackground(const QColor& c) {
    setColour(this, QPalette::Window, c);
}

void PictureButton::setPicture(PictureFunction picture) {
    picture_ = std::move(picture);
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    paintPicture(this, picture_);
    paintKeyboardFocus(this);
}

void PictureButton::keyPressEvent(QKeyEvent* e) {
    QWidget::keyPressEvent(e);
}

void PictureButton::keyReleaseEvent(QKeyEvent* e) {
    QWidget::keyReleaseEvent(e);
}

// ---------------------------------------------------------------- shapes and lines

Shape::Shape(QWidget* parent, const QString& objectName, Kind kind) : QWidget(parent), kind_(kind) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFill(const QColor& c) {
    filled_ = true;
    fill_ = c;
    if (kind_ == Rectangle) {
        // A solid box is opaque: the window need not paint its own background
        // beneath it first, which counts on a window grown to a whiteboard.
        setColour(this, QPalette::Window, fill_);
        setAutoFillBackground(true);
    }
    update();
}

void Shape::setNoFill() {
    filled_ = false;
    setAutoFillBackground(false);
    update();
}

void Shape::setBorderColour(const QColor& c) {
    border_ = c;
    update();
}

void Shape::setBorderWidth(int px) {
    borderWidth_ = px;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
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

Line::Line(QWidget* parent, const QString& objectName, int x1, int y1, int x2, int y2,
           const QColor& colour, int widthPx)
    : QWidget(parent), colour_(colour), width_(widthPx) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The widget spans the line's bounding box plus half the pen on every side.
    const int padTw = (widthPx / 2 + 1) * tw::kTwipsPerPixel;
    const int l = std::min(x1, x2) - padTw, t = std::min(y1, y2) - padTw;
    tw::place(this, l, t, std::abs(x2 - x1) + 2 * padTw, std::abs(y2 - y1) + 2 * padTw);
    a_ = QPoint(x1 - l, y1 - t);
    b_ = QPoint(x2 - l, y2 - t);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPoint a(tw::toPx(this, a_.x()), tw::toPx(this, a_.y()));
    const QPoint b(tw::toPx(this, b_.x()), tw::toPx(this, b_.y()));
    if (a.x() != b.x() && a.y() != b.y()) p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour_, tw::stroke(this, width_), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

// ---------------------------------------------------------------- buttons

CommandButton::CommandButton(QWidget* parent, const QString& objectName, const QString& text)
    : QPushButton(text, parent) {
    setObjectName(objectName);
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

void CommandButton::paintEvent(QPaintEvent*) {
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

} // namespace widgets
