#include "window_stack.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>

#include "drag.h"
#include "program_window.h"

namespace widgets {

namespace {
// The double-click rule holds in the program's windows and on the buttons of
// its boxes; Qt's file and print dialogs keep their double-clicks (a folder
// opens on one).
bool followsClickRule(const QWidget* w) {
    const QWidget* top = w->window();
    if (qobject_cast<const ProgramWindow*>(top)) return true;
    if (!qobject_cast<const QDialog*>(top) || !qobject_cast<const QAbstractButton*>(w)) return false;
    return !top->inherits("QFileDialog") && !top->inherits("QAbstractPrintDialog") &&
           !top->inherits("QPageSetupDialog");
}
} // namespace

WindowStack::WindowStack(Desktop& desktop) : desktop_(desktop) {}

WindowStack::~WindowStack() {
    if (qApp) qApp->removeEventFilter(this);
}

void WindowStack::add(ProgramWindow* w) {
    // Input and windows are the application's: only it sees all of them. A
    // stack watches from its first window on.
    if (windows_.isEmpty() && qApp) qApp->installEventFilter(this);
    windows_.append(w);
}

void WindowStack::remove(ProgramWindow* w) {
    windows_.removeAll(w);
}

void WindowStack::toFront(QWidget* w) {
    stacking_.removeIf([w](const QPointer<QWidget>& p) { return !p || p == w; });
    stacking_.prepend(w);
}

ProgramWindow* WindowStack::current() const {
    return current_;
}

DigitKey* WindowStack::drag() const {
    return drag_;
}

void WindowStack::setDrag(DigitKey* key) {
    drag_ = key;
}

void WindowStack::show(ProgramWindow* w) {
    w->show();
    w->raise();
    w->activateWindow();
    toFront(w);
    current_ = w;
    w->broughtToFront();
}

void WindowStack::hide(ProgramWindow* w) {
    w->hide();
    if (current_ == w) current_ = nullptr;
}

void WindowStack::endProgram() {
    ending_ = true;
    for (ProgramWindow* w : std::as_const(windows_))
        w->hide();
    current_ = nullptr;
    QCoreApplication::exit(0);
}

QWidget* WindowStack::windowAt(const QPoint& globalPos) const {
    auto holds = [&globalPos](QWidget* w) {
        return w && w->isVisible() && !w->isMinimized() &&
               w->rect().contains(w->mapFromGlobal(globalPos));
    };
    for (const QPointer<QWidget>& w : stacking_)
        if (holds(w)) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (holds(w)) return w;
    return nullptr;
}

bool WindowStack::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WindowActivate:
        if (!w->isWindow()) break;
        toFront(w);
        // The user's switch makes a window current, without broughtToFront().
        if (event->type() == QEvent::WindowActivate && !ending_) {
            auto* pw = qobject_cast<ProgramWindow*>(w);
            if (pw && windows_.contains(pw) && pw->isVisible()) current_ = pw;
        }
        break;
    case QEvent::KeyPress:
        clicks_.keyPressed();
        [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (auto* pw = qobject_cast<ProgramWindow*>(w->window()); pw && &pw->stack() == this)
            return pw->previewKey(w, event);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return clicks_.filter(w, static_cast<QMouseEvent*>(event), followsClickRule(w));
    default:
        break;
    }
    return false;
}

} // namespace widgets
