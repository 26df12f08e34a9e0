#include "window_stack.h"

#include <QApplication>
#include <QList>
#include <QPointer>

#include "form.h"

namespace widgets {

namespace {
QPointer<Form> gCurrent;
// Our top-level windows, frontmost first, as they were shown or brought to
// the front.
QList<QPointer<QWidget>> gStacking;

void toFront(QWidget* w) {
    gStacking.removeIf([w](const QPointer<QWidget>& p) { return !p || p == w; });
    gStacking.prepend(w);
}

// Follows the windows the user brings to the front.
class WindowWatch : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show && event->type() != QEvent::WindowActivate) return false;
        if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isWindow()) return false;
        auto* w = static_cast<QWidget*>(watched);
        toFront(w);
        // The user's switch makes a window current, without Activate.
        auto* f = qobject_cast<Form*>(w);
        if (event->type() == QEvent::WindowActivate && f && Form::all().contains(f) &&
            f->isVisible() && !Form::programEnding())
            gCurrent = f;
        return false;
    }
};

// Installed with the first window the program shows; windows shown before
// are still found, after the ones it knows.
void watchWindows() {
    static QPointer<WindowWatch> watch;
    if (watch || !qApp) return;
    watch = new WindowWatch;
    watch->setParent(qApp);
    qApp->installEventFilter(watch);
}
} // namespace

namespace forms {

void show(Form* f) {
    watchWindows();
    f->show();
    f->raise();
    f->activateWindow();
    toFront(f);
    gCurrent = f;
    f->Form_Activate();
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
    Form::setProgramEnding();
    for (Form* f : Form::all())
        f->hide();
    gCurrent = nullptr;
    QCoreApplication::exit(0);
}

bool programEnded() {
    return Form::programEnding();
}

QWidget* windowAt(const QPoint& globalPos) {
    auto holds = [&globalPos](QWidget* w) {
        return w && w->isVisible() && !w->isMinimized() &&
               w->rect().contains(w->mapFromGlobal(globalPos));
    };
    for (const QPointer<QWidget>& w : std::as_const(gStacking))
        if (holds(w)) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (holds(w)) return w;
    return nullptr;
}

} // namespace forms

QWidget* boxParent() {
    if (QWidget* w = QApplication::activeWindow()) return w;
    return forms::current();
}

} // namespace widgets
