#include "form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "controls.h"
#include "runtime.h"
#include "twips.h"

namespace shell {

int vbKeyCode(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    // Shift changes key() of the digit row; the classic codes ignore Shift,
    // so take the digit from the X key code where the platform has one.
    const quint32 sc = e->nativeScanCode();
    if (!keypad && sc >= 10 && sc <= 19 && (k < Qt::Key_0 || k > Qt::Key_9) &&
        (e->modifiers() & Qt::ShiftModifier))
        return sc == 19 ? 48 : int(48 + (sc - 9));
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
// The window the program showed last, until the platform reports its focus.
// Reports that arrive before that are about windows shown earlier.
QPointer<Form> gAwaitingFocus;
QElapsedTimer gShownAt;
// Longer than any platform takes to focus a shown window; after that a focus
// change is the user's again even if the shown window never got the focus.
constexpr qint64 kFocusCatchUpMs = 1000;
bool gEnded = false;
bool gTrackerConnected = false;
QList<Form*> gForms;

void activate(Form* f) {
    gCurrent = f;
    f->Form_Activate();
}

void connectTracker() {
    if (gTrackerConnected || !qApp) return;
    gTrackerConnected = true;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* w) {
        // Another application is not an activation; after the end nothing is.
        if (!w || gEnded) return;
        Form* f = nullptr;
        for (Form* g : std::as_const(gForms))
            if (g->windowHandle() == w) f = g;
        if (!f) return; // boxes and dialogs are not ours: ignored
        if (gAwaitingFocus) {
            if (f == gAwaitingFocus)
                gAwaitingFocus = nullptr;
            else if (gShownAt.elapsed() < kFocusCatchUpMs)
                return; // late news of a window shown before the last one
            else
                gAwaitingFocus = nullptr;
        }
        if (f->isVisible() && f != gCurrent) activate(f);
    });
}
} // namespace

Form::Form(QWidget* parent) : QWidget(parent) {
    gForms.append(this);
    connectTracker();
    qApp->installEventFilter(this);
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
const char* const kBaseFont = "zoomBaseFontSize";
const char* const kShownFont = "zoomShownFontSize";

// Size of a font as one number: points when positive, pixels when negative.
double fontSize(const QFont& f) {
    return f.pointSizeF() > 0 ? f.pointSizeF() : -double(f.pixelSize());
}

// Fonts set on a control grow with the zoom; a font that the program set
// anew since the last zoom is taken as the new size at 100 %.
void zoomFont(QWidget* w, double factor) {
    if (!w->testAttribute(Qt::WA_SetFont)) return;
    QFont f = w->font();
    const double size = fontSize(f);
    const QVariant shown = w->property(kShownFont);
    double base = size;
    if (shown.isValid() && shown.toDouble() == size)
        base = w->property(kBaseFont).toDouble();
    else
        w->setProperty(kBaseFont, size);
    if (base > 0)
        f.setPointSizeF(base * factor);
    else
        f.setPixelSize(std::max(1, int(std::lround(-base * factor))));
    if (fontSize(f) != size) w->setFont(f);
    w->setProperty(kShownFont, fontSize(w->font()));
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
    return tw::fromPx(frameGeometry().width());
}
int Form::heightTw() const {
    return tw::fromPx(frameGeometry().height());
}

void Form::moveTw(double left, double top) {
    move(tw::toPx(int(std::lround(left))), tw::toPx(int(std::lround(top))));
}

void Form::centreOnScreen() {
    // A maximised window already fills the screen; moving it would only
    // take it out of that state on some window managers.
    if (isMaximized() || isFullScreen()) return;
    const QSize s = runtime().screenTwips();
    moveTw((s.width() - widthTw()) / 2.0, (s.height() - heightTw()) / 2.0);
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

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (!keyPreview_ || !watched->isWidgetType()) return false;
    // Keys of other windows, a box opened by KeyDown among them, leave the
    // record of this window's key alone.
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this) return false;
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
            Form_KeyDown(vbKeyCode(ke), vbShiftState(ke));
        }
        break;
    }
    default:
        break;
    }
    return false; // the key is not swallowed
}

namespace forms {

void show(Form* f) {
    f->show();
    f->raise();
    f->activateWindow();
    gAwaitingFocus = f;
    gShownAt.start();
    activate(f);
}

void hide(Form* f) {
    f->hide();
    if (gCurrent == f) gCurrent = nullptr;
    if (gAwaitingFocus == f) gAwaitingFocus = nullptr;
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

} // namespace forms

} // namespace shell
