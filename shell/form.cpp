#include "form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "controls.h"
#include "large_text.h"
#include "registry.h"
#include "runtime.h"
#include "twips.h"

namespace shell {

int digitRowKey(const QString& platform, quint32 sc) {
    if (sc == 0) return -1;
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")) ||
        platform == QLatin1String("eglfs") || platform == QLatin1String("linuxfb")) {
        // X and XKB key codes are the evdev codes + 8: "1".."9" are 10..18, "0" is 19.
        if (sc >= 10 && sc <= 18) return int(sc - 9);
        return sc == 19 ? 0 : -1;
    }
    if (platform == QLatin1String("windows")) {
        // Scan code set 1: "1".."9" are 0x02..0x0A, "0" is 0x0B.
        if (sc >= 0x02 && sc <= 0x0A) return int(sc - 1);
        return sc == 0x0B ? 0 : -1;
    }
    if (platform == QLatin1String("cocoa")) {
        // The ANSI positions of the digit row (kVK_ANSI_0 .. kVK_ANSI_9).
        static const quint32 codes[10] = {0x1D, 0x12, 0x13, 0x14, 0x15,
                                          0x17, 0x16, 0x1A, 0x1C, 0x19};
        for (int d = 0; d < 10; ++d)
            if (codes[d] == sc) return d;
    }
    return -1;
}

int vbKeyCode(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    // The classic codes name the physical key: the digit row gives its digit
    // with or without Shift and on any layout. Events without a native code
    // (offscreen, synthesised) fall back to the key's meaning.
    if (!keypad) {
        const int d = digitRowKey(QGuiApplication::platformName(), e->nativeScanCode());
        if (d >= 0) return 48 + d;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return (keypad ? 96 : 48) + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 65 + (k - Qt::Key_A);
    switch (k) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9; // Shift+Tab is still the Tab key
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 0;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Comma:
        return keypad ? 110 : 188;
    case Qt::Key_Slash:
        return keypad ? 111 : 0;
    default:
        break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    return 0;
}

int vbShiftState(const QKeyEvent* e) {
    int s = 0;
    if (e->modifiers() & Qt::ShiftModifier) s |= 1;
    if (e->modifiers() & Qt::ControlModifier) s |= 2;
    if (e->modifiers() & Qt::AltModifier) s |= 4;
    return s;
}

namespace {
QPointer<Form> gCurrent;
bool gEnded = false;
QList<Form*> gForms;
// Our top-level windows, frontmost first, as they were shown or brought to
// the front.
QList<QPointer<QWidget>> gStacking;

// The frame the window manager put around a window; null while it has none.
QMargins frameOf(const QWidget* w) {
    const QRect f = w->frameGeometry(), g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                    f.bottom() - g.bottom());
}

// The frame of a window, or before it is framed the frame of another window of
// ours: the window manager frames them all alike.
QMargins outerFrame(const QWidget* w) {
    QMargins m = frameOf(w);
    for (int i = 0; m.isNull() && i < gForms.size(); ++i)
        m = frameOf(gForms.at(i));
    return m;
}

void activate(Form* f) {
    gCurrent = f;
    f->Form_Activate();
}

void toFront(QWidget* w) {
    gStacking.removeIf([w](const QPointer<QWidget>& p) { return !p || p == w; });
    gStacking.prepend(w);
}

// The program's one application-wide event filter: follows the windows the
// user brings to the front, and hands keys to the windows with key preview.
class WindowWatch : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            if (watched->isWidgetType()) {
                auto* w = static_cast<QWidget*>(watched);
                if (auto* f = qobject_cast<Form*>(w->window())) return f->previewKey(w, event);
            }
            break;
        case QEvent::Show:
        case QEvent::WindowActivate:
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
                auto* w = static_cast<QWidget*>(watched);
                toFront(w);
                // The user's switch makes a window current, without Activate.
                auto* f = qobject_cast<Form*>(w);
                if (event->type() == QEvent::WindowActivate && f && gForms.contains(f) &&
                    f->isVisible() && !gEnded)
                    gCurrent = f;
            }
            break;
        default:
            break;
        }
        return false;
    }
};
} // namespace

Form::Form(QWidget* parent) : QWidget(parent) {
    gForms.append(this);
    forms::watchWindows();
    useLargeTextStyle();
}

Form::~Form() {
    gForms.removeAll(this);
    if (gCurrent == this) gCurrent = nullptr;
}

void Form::setClientTwips(int width, int height, Sizing sizing) {
    clientTw_ = QSize(width, height);
    growing_ = sizing == Growing;
    const QSize px(tw::toPx(width), tw::toPx(height));
    if (!growing_) {
        setFixedSize(px);
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint |
                       Qt::CustomizeWindowHint);
        return;
    }
    // A fixed size would tell the window manager min = max, and it would
    // offer no maximise; the specified size is the smallest instead.
    setMinimumSize(px);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(px);
    setWindowFlags(growingFlags(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
}

Qt::WindowFlags Form::growingFlags(Qt::WindowFlags extra) {
    return Qt::Window | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
           Qt::CustomizeWindowHint | extra;
}

double Form::zoom() const {
    return tw::zoomOf(this).factor;
}

void Form::takeSizeFrom(const Form* other) {
    if (!growing_ || !other) return;
    if (other->isMaximized() || other->isFullScreen()) {
        setWindowState((windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
        return;
    }
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    const double z = other->zoom();
    QSize want(int(std::lround(tw::toPx(clientTw_.width()) * z)),
               int(std::lround(tw::toPx(clientTw_.height()) * z)));
    // Never larger than the screen: the frame must stay reachable.
    if (const QScreen* s = other->screen()) {
        const QSize room = s->availableGeometry().size() -
                           (other->frameGeometry().size() - other->geometry().size());
        want = want.boundedTo(room).expandedTo(minimumSize());
    }
    resize(want);
}

void Form::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (growing_) applyZoom();
}

namespace {
// Size of a font as one number: points when positive, pixels when negative.
double fontSize(const QFont& f) {
    return f.pointSizeF() > 0 ? f.pointSizeF() : -double(f.pixelSize());
}

// The size of a control's font at 100 % and the size it was given at the
// current zoom.
struct FontSizes {
    double base;
    double shown;
};
Registry<FontSizes>& fontSizes() {
    static Registry<FontSizes> r;
    return r;
}

// Fonts set on a control grow with the zoom; a font that the program set
// anew since the last zoom is taken as the new size at 100 %.
void zoomFont(QWidget* w, double factor) {
    if (!w->testAttribute(Qt::WA_SetFont)) return;
    QFont f = w->font();
    const double size = fontSize(f);
    const FontSizes* known = fontSizes().find(w);
    const double base = known && known->shown == size ? known->base : size;
    if (base > 0)
        f.setPointSizeF(base * factor);
    else
        f.setPixelSize(std::max(1, int(std::lround(-base * factor))));
    if (fontSize(f) != size) w->setFont(f);
    fontSizes().set(w, {base, fontSize(w->font())});
}
} // namespace

void Form::applyZoom() {
    const QSize design(tw::toPx(clientTw_.width()), tw::toPx(clientTw_.height()));
    if (design.isEmpty()) return;
    const double z = std::max(
        1.0, std::min(double(width()) / design.width(), double(height()) / design.height()));
    tw::Zoom zoom;
    zoom.factor = z;
    // Centred: what is left over shows the window's back colour.
    zoom.offset = QPoint(int(std::lround((width() - design.width() * z) / 2)),
                         int(std::lround((height() - design.height() * z) / 2)));
    zoom.content = QRect(zoom.offset, (QSizeF(design) * z).toSize());
    const tw::Zoom before = tw::zoomOf(this);
    if (zoomSet_ && before.factor == zoom.factor && before.offset == zoom.offset) return;
    zoomSet_ = true;
    tw::setZoom(this, zoom);
    tw::relayout(this);
    zoomFont(this, z);
    const auto children = findChildren<QWidget*>();
    for (QWidget* c : children) {
        if (c->window() != this) continue; // boxes keep their own fonts
        zoomFont(c, z);
        if (auto* label = qobject_cast<VbLabel*>(c)) label->zoomFrame(z);
    }
    zoomChanged();
    update();
}

int Form::leftTw() const {
    return tw::fromPx(frameGeometry().x());
}
int Form::topTw() const {
    return tw::fromPx(frameGeometry().y());
}
int Form::widthTw() const {
    const QMargins m = outerFrame(this);
    return tw::fromPx(width() + m.left() + m.right());
}
int Form::heightTw() const {
    const QMargins m = outerFrame(this);
    return tw::fromPx(height() + m.top() + m.bottom());
}

void Form::moveTw(double left, double top) {
    const QPoint outer(tw::toPx(int(std::lround(left))), tw::toPx(int(std::lround(top))));
    const QMargins guess = outerFrame(this);
    placedOuter_ = outer;
    placedClient_ = outer;
    // Until its own frame is known, Qt places a shown window's client area
    // where the frame should go; place the client area inside the frame the
    // window will get instead.
    if (testAttribute(Qt::WA_WState_Created) && frameOf(this).isNull() && !guess.isNull()) {
        placedClient_ = outer + QPoint(guess.left(), guess.top());
        setGeometry(QRect(placedClient_, size()));
    } else {
        move(outer);
    }
}

void Form::centreOnScreen() {
    // A maximised window already fills the screen; moving it would only
    // take it out of that state on some window managers.
    if (isMaximized() || isFullScreen()) return;
    centrePending_ = frameOf(this).isNull();
    const QSize s = runtime().screenTwips();
    moveTw((s.width() - widthTw()) / 2.0, (s.height() - heightTw()) / 2.0);
}

void Form::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    // The window manager framed the window after it was centred: centre the
    // framed window once more. A frame may come without a move, so the next
    // move may be the user's: that one stands.
    if (!centrePending_) return;
    const QMargins frame = frameOf(this);
    if (frame.isNull()) return;
    const QPoint client = geometry().topLeft();
    const bool whereWePutIt = client == placedClient_ || client == placedOuter_ ||
                              client == placedOuter_ + QPoint(frame.left(), frame.top());
    if (whereWePutIt)
        centreOnScreen();
    else
        centrePending_ = false;
}

void Form::closeEvent(QCloseEvent* e) {
    if (gEnded) {
        e->accept();
        return;
    }
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        e->ignore();
    else
        e->accept();
}

bool Form::previewKey(QWidget* w, QEvent* event) {
    if (!keyPreview_) return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyRelease:
        // A new key is under way: a press that follows is a new delivery,
        // even if it reuses the address of the last one.
        lastKey_ = nullptr;
        break;
    case QEvent::KeyPress: {
        // A key the receiver ignores goes on to its parent as the same event;
        // take it once, where it was first delivered (usually the focus
        // widget, but a key may also be sent to the window itself).
        const bool bubbling = event == lastKey_ && lastKeyAt_ && lastKeyAt_->parentWidget() == w;
        lastKey_ = event;
        lastKeyAt_ = w;
        if (!bubbling && isVisible()) {
            auto* ke = static_cast<QKeyEvent*>(event);
            keyTaken_ = false;
            Form_KeyDown(vbKeyCode(ke), vbShiftState(ke));
            if (keyTaken_) {
                keyTaken_ = false;
                lastKey_ = nullptr;
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return false; // the key goes on to the control with the focus
}

namespace forms {

void show(Form* f) {
    f->show();
    f->raise();
    f->activateWindow();
    toFront(f);
    activate(f);
}

void hide(Form* f) {
    f->hide();
    if (gCurrent == f) gCurrent = nullptr;
}

Form* current() {
    return gCurrent;
}

void restoreFocus() {
    if (gCurrent && gCurrent->isVisible()) gCurrent->activateWindow();
}

void endProgram() {
    gEnded = true;
    for (Form* f : std::as_const(gForms))
        f->hide();
    gCurrent = nullptr;
    QCoreApplication::exit(0);
}

bool programEnded() {
    return gEnded;
}

QWidget* windowAt(const QPoint& globalPos) {
    auto holds = [&globalPos](QWidget* w) {
        return w && w->isVisible() && !w->isMinimized() &&
               w->rect().contains(w->mapFromGlobal(globalPos));
    };
    for (const QPointer<QWidget>& w : std::as_const(gStacking))
        if (holds(w)) return w;
    // Windows shown before the filter was installed come after the known ones.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (holds(w)) return w;
    return nullptr;
}

void watchWindows() {
    static QPointer<WindowWatch> watch;
    if (watch || !qApp) return;
    watch = new WindowWatch;
    watch->setParent(qApp);
    qApp->installEventFilter(watch);
}

} // namespace forms

} // namespace shell
