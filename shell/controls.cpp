#include "controls.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <cmath>

#include "form.h"
#include "twips.h"

namespace shell {

QColor bgr(quint32 v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

quint32 toBgr(const QColor& c) {
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

QColor qbColor(int i) {
    static const quint32 table[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                      0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                      0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return bgr(table[(i % 16 + 16) % 16]);
}

namespace {
// The installed ones among the candidates, in order, looked up once: asking
// fontconfig about a family that is not there costs a full match each time.
QStringList installedFamilies(const QStringList& candidates) {
    const QStringList all = QFontDatabase::families();
    QStringList found;
    for (const QString& c : candidates)
        if (all.contains(c, Qt::CaseInsensitive)) found << c;
    if (found.isEmpty()) found << candidates.first();
    return found;
}

const QStringList& monoFamilies() {
    static const QStringList f =
        installedFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                           QStringLiteral("DejaVu Sans Mono")});
    return f;
}

const QStringList& sansFamilies() {
    static const QStringList f =
        installedFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("DejaVu Sans")});
    return f;
}
} // namespace

QFont vbFont(const QString& family, double points, bool bold, bool italic, bool underline) {
    QFont f;
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0) {
        f.setFamilies(monoFamilies());
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
    } else if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        f.setFamilies(sansFamilies());
        f.setStyleHint(QFont::SansSerif);
    } else {
        f.setFamily(family);
    }
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    if (f.fixedPitch() && !QFontInfo(f).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(points);
        fixed.setBold(bold);
        fixed.setItalic(italic);
        fixed.setUnderline(underline);
        return fixed;
    }
    return f;
}

DropTarget* dropTargetAt(const QPoint& globalPos) {
    // Widget lookups across windows ignore their stacking on some platforms:
    // take the window in front first, then the control in it.
    QWidget* window = forms::windowAt(globalPos);
    if (!window) return nullptr;
    QWidget* w = window->childAt(window->mapFromGlobal(globalPos));
    if (!w) return nullptr;
    auto* t = dynamic_cast<DropTarget*>(w);
    if (t && t->acceptsDrops()) return t;
    return nullptr;
}

namespace {
// The control the last press went to. The platform reports a quick second
// press as a double-click wherever it lands, and Qt then delivers it as a
// double-click alone, without the press; it is a double-click only when both
// presses hit the same control, otherwise it is a press of its own.
QPointer<QWidget> gLastPress;

// Notes the press of a double-click event and tells whether the first press
// of the pair went to the same control.
bool secondPressOnSameControl(QWidget* w) {
    const bool same = gLastPress == w;
    gLastPress = w;
    return same;
}
} // namespace

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
    zoomFrame(tw::zoomOf(this).factor);
}

void VbLabel::zoomFrame(double zoom) {
    if (frameShape() != QFrame::NoFrame) setLineWidth(std::max(1, int(std::lround(zoom))));
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
    gLastPress = this;
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

// The second press of a double-click is not a second click: a child who
// double-clicks a cell keeps the marker that the first click put there. A
// quick press after a click on another control is a click of its own.
void VbLabel::mouseDoubleClickEvent(QMouseEvent* e) {
    pressed_ = !secondPressOnSameControl(this) && e->button() == Qt::LeftButton;
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
    const double zoom = tw::zoomOf(this).factor;
    if (picture_) {
        // Drawn as at 100 % through a scaled painter, so strokes grow with the
        // picture and stay sharp.
        p.save();
        p.scale(zoom, zoom);
        picture_(p, QRectF(0, 0, width() / zoom, height() / zoom));
        p.restore();
    }
    if (raised_) {
        const int w = std::max(1, int(std::lround(zoom)));
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
    gLastPress = this;
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

// The second press of a double-click is not a second click: a child who
// double-clicks a cell keeps the marker that the first click put there. A
// quick press after a click on another control is a click of its own.
void VbPicture::mouseDoubleClickEvent(QMouseEvent* e) {
    const bool same = secondPressOnSameControl(this);
    pressed_ = (repeatClicks || !same) && e->button() == Qt::LeftButton;
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
    const int width = std::max(1, int(std::lround(borderWidth_ * tw::zoomOf(this).factor)));
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
    const double zoom = tw::zoomOf(this).factor;
    const QPoint a(tw::toPx(this, a_.x()), tw::toPx(this, a_.y()));
    const QPoint b(tw::toPx(this, b_.x()), tw::toPx(this, b_.y()));
    if (a.x() != b.x() && a.y() != b.y()) p.setRenderHint(QPainter::Antialiasing);
    p.setPen(
        QPen(colour_, std::max(1, int(std::lround(width_ * zoom))), Qt::SolidLine, Qt::FlatCap));
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

namespace {
QPointer<DragButton> gDrag;

// Watches the whole program while a drag runs, for the events after which its
// release will never come.
class DragWatch : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        DragButton* d = gDrag;
        if (!d) return false;
        switch (event->type()) {
        case QEvent::WindowBlocked: // a modal box or dialog opened
        case QEvent::UngrabMouse:
            d->cancelDrag();
            break;
        case QEvent::Show:
            if (watched->isWidgetType()) {
                auto* w = static_cast<QWidget*>(watched);
                if (w->isWindow() && w->isModal()) d->cancelDrag();
            }
            break;
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            if (watched == d || watched == d->window()) d->cancelDrag();
            break;
        case QEvent::MouseMove: {
            // The button came up where we did not see it. Another pointer's
            // moves (a finger during a mouse drag, the mouse during a finger's)
            // say nothing about this one.
            auto* me = static_cast<QMouseEvent*>(event);
            if (!d->samePointer(me)) break;
            if (!(me->buttons() & Qt::LeftButton)) d->cancelDrag();
            break;
        }
        case QEvent::MouseButtonRelease: {
            // The last button of this pointer came up. When the release went
            // elsewhere (a finger took Qt's grab meanwhile), the digit still
            // drops where the pointer let go. The other pointer's release ends
            // nothing.
            auto* me = static_cast<QMouseEvent*>(event);
            if (!d->samePointer(me) || (me->buttons() & Qt::LeftButton)) break;
            const QPoint at = me->globalPosition().toPoint();
            QMetaObject::invokeMethod(
                qApp,
                [d = QPointer<DragButton>(d), at] {
                    if (d && gDrag == d) d->finishDrag(at);
                },
                Qt::QueuedConnection);
            break;
        }
        default:
            break;
        }
        return false;
    }
};

QObject* dragWatch() {
    static QPointer<DragWatch> watch;
    if (!watch) {
        watch = new DragWatch;
        watch->setParent(qApp);
    }
    return watch;
}
} // namespace

DragButton::DragButton(QWidget* parent, const QString& name, const QString& caption)
    : VbButton(parent, name, caption) {
    setFocusPolicy(Qt::NoFocus);
}

DragButton::~DragButton() {
    if (dragging_) cancelDrag();
}

DragButton* DragButton::current() {
    return gDrag;
}

void DragButton::cancelDrag() {
    if (dragging_) endDrag();
}

void DragButton::mousePressEvent(QMouseEvent* e) {
    // One drag at a time: a second pointer does not start another.
    if (e->button() != Qt::LeftButton || dragging_ || gDrag) {
        e->accept();
        return;
    }
    dragging_ = true;
    byFinger_ = e->source() == Qt::MouseEventSynthesizedByQt;
    gDrag = this;
    qApp->installEventFilter(dragWatch());
    setDown(true);
    if (!image_) {
        image_ = new QLabel(window());
        image_->setObjectName(QStringLiteral("dragImage"));
        image_->setAttribute(Qt::WA_TransparentForMouseEvents);
        image_->setAlignment(Qt::AlignCenter);
        image_->setAutoFillBackground(true);
        image_->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    image_->setParent(window());
    image_->setText(text());
    // The held digit is as large as its key, at any zoom.
    image_->setLineWidth(std::max(1, int(std::lround(tw::zoomOf(this).factor))));
    image_->setFont(font());
    image_->setPalette(palette());
    image_->resize(size());
    moveImage(e->globalPosition().toPoint());
    image_->show();
    image_->raise();
    e->accept();
}

bool DragButton::samePointer(const QMouseEvent* e) const {
    // Qt makes the mouse events of a finger itself; a mouse's come from the platform.
    return (e->source() == Qt::MouseEventSynthesizedByQt) == byFinger_;
}

void DragButton::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_ && samePointer(e)) moveImage(e->globalPosition().toPoint());
    e->accept();
}

void DragButton::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton || !samePointer(e)) {
        e->accept();
        return;
    }
    e->accept();
    finishDrag(e->globalPosition().toPoint());
}

void DragButton::finishDrag(const QPoint& globalPos) {
    endDrag();
    // The drop may open a modal box and even start a new task; look the
    // target up only after the image is gone so it is not found itself.
    if (DropTarget* t = dropTargetAt(globalPos)) t->dropFrom(this);
}

void DragButton::moveImage(const QPoint& globalPos) {
    if (!image_) return;
    QWidget* host = image_->parentWidget();
    const QPoint local = host->mapFromGlobal(globalPos);
    // The image sits centred on the pointer, the way the digit is held.
    image_->move(local - QPoint(image_->width() / 2, image_->height() / 2));
}

void DragButton::endDrag() {
    dragging_ = false;
    if (gDrag == this) {
        gDrag = nullptr;
        qApp->removeEventFilter(dragWatch());
    }
    setDown(false);
    if (image_) image_->hide();
}

} // namespace shell
