#include "form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

#include "double_click.h"
#include "runtime.h"
#include "twips.h"

namespace widgets {

namespace {
QList<Form*> gForms;
bool gEnding = false;

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

// The double-click rule holds in the program's windows and on the buttons of
// its boxes; Qt's file and print dialogs keep their double-clicks (a folder
// opens on one).
bool followsClickRule(const QWidget* w) {
    const QWidget* top = w->window();
    if (qobject_cast<const Form*>(top)) return true;
    if (!qobject_cast<const QDialog*>(top) || !qobject_cast<const QAbstractButton*>(w)) return false;
    return !top->inherits("QFileDialog") && !top->inherits("QAbstractPrintDialog") &&
           !top->inherits("QPageSetupDialog");
}

// Watches the input of the whole program: hands keys to the windows with key
// preview, and holds the second half of a double-click to its rule.
class InputWatch : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::KeyPress:
            clicks_.keyPressed();
            [[fallthrough]];
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            if (auto* f = qobject_cast<Form*>(w->window())) return f->previewKey(w, event);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return clicks_.filter(w, static_cast<QMouseEvent*>(event), followsClickRule(w));
        default:
            break;
        }
        return false;
    }

  private:
    DoubleClickRule clicks_;
};

void watchInput() {
    static QPointer<InputWatch> watch;
    if (watch || !qApp) return;
    watch = new InputWatch;
    watch->setParent(qApp);
    qApp->installEventFilter(watch);
}
} // namespace

Form::Form(QWidget* parent) : QWidget(parent) {
    gForms.append(this);
    watchInput();
}

Form::~Form() {
    gForms.removeAll(this);
}

const QList<Form*>& Form::all() {
    return gForms;
}

bool Form::programEnding() {
    return gEnding;
}

void Form::setProgramEnding() {
    gEnding = true;
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
    // offer no maximise; the designed size is the smallest instead.
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
    QSize want = tw::sizeAtZoomOf(other, clientTw_);
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

void Form::applyZoom() {
    const tw::Zoom zoom = tw::fit(clientTw_, size());
    const tw::Zoom before = tw::zoomOf(this);
    if (zoomSet_ && before.factor == zoom.factor && before.offset == zoom.offset) return;
    zoomSet_ = true;
    tw::setZoom(this, zoom);
    // The whole window is painted anew at the new zoom: the controls need not
    // each mark where they were and where they go.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    tw::relayout(this);
    tw::zoomFont(this);
    QEvent changed(tw::zoomChangedEvent());
    const auto children = findChildren<QWidget*>();
    for (QWidget* c : children) {
        if (c->window() != this) continue; // boxes keep their own fonts
        tw::zoomFont(c);
        QCoreApplication::sendEvent(c, &changed);
    }
    zoomChanged();
    setUpdatesEnabled(updates);
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
    if (gEnding) {
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
            keyPressed(ke);
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

} // namespace widgets
