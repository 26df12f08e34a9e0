#include "program_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

#include "desktop.h"
#include "twips.h"
#include "window_stack.h"

namespace widgets {

namespace {
// The frame the window manager put around a window; null while it has none.
QMargins frameOf(const QWidget* w) {
    const QRect f = w->frameGeometry(), g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                    f.bottom() - g.bottom());
}

// The frame of a window, or before it is framed the frame of another window of
// the program: the window manager frames them all alike.
QMargins outerFrame(const ProgramWindow* w) {
    QMargins m = frameOf(w);
    const QList<ProgramWindow*>& all = w->stack().windows();
    for (int i = 0; m.isNull() && i < all.size(); ++i)
        m = frameOf(all.at(i));
    return m;
}
} // namespace

ProgramWindow::ProgramWindow(WindowStack& stack) : stack_(stack) {
    stack_.add(this);
}

ProgramWindow::~ProgramWindow() {
    stack_.remove(this);
}

Desktop& ProgramWindow::desktop() const {
    return stack_.desktop();
}

ProgramWindow* ProgramWindow::of(const QWidget* w) {
    return w ? qobject_cast<ProgramWindow*>(w->window()) : nullptr;
}

void ProgramWindow::setClientTwips(int width, int height, Sizing sizing) {
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

Qt::WindowFlags ProgramWindow::growingFlags(Qt::WindowFlags extra) {
    return Qt::Window | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
           Qt::CustomizeWindowHint | extra;
}

double ProgramWindow::zoom() const {
    return tw::zoomOf(this).factor;
}

void ProgramWindow::takeSizeFrom(const ProgramWindow* other) {
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

void ProgramWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (growing_) applyZoom();
}

void ProgramWindow::applyZoom() {
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

int ProgramWindow::leftTw() const {
    return tw::fromPx(frameGeometry().x());
}
int ProgramWindow::topTw() const {
    return tw::fromPx(frameGeometry().y());
}
int ProgramWindow::widthTw() const {
    const QMargins m = outerFrame(this);
    return tw::fromPx(width() + m.left() + m.right());
}
int ProgramWindow::heightTw() const {
    const QMargins m = outerFrame(this);
    return tw::fromPx(height() + m.top() + m.bottom());
}

void ProgramWindow::moveTw(double left, double top) {
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

void ProgramWindow::centreOnScreen() {
    // A maximised window already fills the screen; moving it would only
    // take it out of that state on some window managers.
    if (isMaximized() || isFullScreen()) return;
    centrePending_ = frameOf(this).isNull();
    const QSize s = desktop().screenTwips();
    moveTw((s.width() - widthTw()) / 2.0, (s.height() - heightTw()) / 2.0);
}

void ProgramWindow::moveEvent(QMoveEvent* e) {
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

void ProgramWindow::closeEvent(QCloseEvent* e) {
    if (stack_.programEnding() || closeRequested())
        e->accept();
    else
        e->ignore();
}

bool ProgramWindow::previewKey(QWidget* w, QEvent* event) {
    if (!keyPreview_) return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A new key is under way: a press that follows is a new delivery,
        // even if it reuses the address of the last one.
        lastKey_ = nullptr;
        break;
    case QEvent::KeyRelease: {
        lastKey_ = nullptr;
        // Passed up to the parents like a press: seen where it was first delivered.
        const bool bubbling =
            event == lastRelease_ && lastReleaseAt_ && lastReleaseAt_->parentWidget() == w;
        lastRelease_ = event;
        lastReleaseAt_ = w;
        if (!bubbling && isVisible()) keyReleased(static_cast<QKeyEvent*>(event));
        break;
    }
    case QEvent::KeyPress: {
        lastRelease_ = nullptr;
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
