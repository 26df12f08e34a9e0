#include "keyboard_access.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "controls.h"
#include "twips.h"

namespace widgets {

namespace {
// Lives on its control: knows what a press does and takes Space and Enter.
class KeyPress : public QObject {
  public:
    KeyPress(QWidget* control, std::function<void()> press)
        : QObject(control), press_(std::move(press)) {
        setObjectName(QStringLiteral("keyPress"));
    }
    void press() { press_(); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->isAutoRepeat() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const int k = e->key();
        if (k != Qt::Key_Space && k != Qt::Key_Return && k != Qt::Key_Enter) return false;
        press();
        return true;
    }

  private:
    std::function<void()> press_;
};

KeyPress* keyPressOf(const QWidget* control) {
    return control ? control->findChild<KeyPress*>(QStringLiteral("keyPress"),
                                                   Qt::FindDirectChildrenOnly)
                   : nullptr;
}
} // namespace

void pressableByKeys(QWidget* control, std::function<void()> press) {
    if (!press) {
        if (auto* b = qobject_cast<QAbstractButton*>(control))
            press = [b] { b->click(); };
        else if (auto* l = qobject_cast<ClickableLabel*>(control))
            press = [l] { emit l->clicked(); };
        else
            return;
    }
    // A click leaves the keyboard where it was. A label with any focus policy
    // lays out its text as a document, a pixel off from where it stood.
    if (!qobject_cast<QLabel*>(control)) control->setFocusPolicy(Qt::TabFocus);
    control->installEventFilter(new KeyPress(control, std::move(press)));
}

bool isPressableByKeys(const QWidget* control) {
    return keyPressOf(control);
}

bool pressByKeys(QWidget* control) {
    KeyPress* k = keyPressOf(control);
    if (k) k->press();
    return k;
}

void paintKeyboardFocus(QWidget* w) {
    if (!w->hasFocus() || !w->window()->testAttribute(Qt::WA_KeyboardFocusChange) ||
        !isPressableByKeys(w))
        return;
    QPainter p(w);
    const QRectF r = tw::drawAtDesignSize(p, w);
    // Black outside, white inside: seen on every background.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(r.adjusted(3, 3, -3, -3));
}

// ---------------------------------------------------------------- ring

KeyboardRing::KeyboardRing(QWidget* window, QList<QWidget*> controls)
    : QObject(window), window_(window), controls_(std::move(controls)) {
    window->installEventFilter(this);
    for (QWidget* c : std::as_const(controls_))
        c->installEventFilter(this);
}

bool KeyboardRing::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* e = static_cast<QKeyEvent*>(event);
    const int k = e->key();
    const bool tab = (k == Qt::Key_Tab || k == Qt::Key_Backtab) &&
                     !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool arrow =
        (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!tab && !arrow) return false;
    const bool forward = tab ? k == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier)
                             : k == Qt::Key_Right || k == Qt::Key_Down;
    QList<QWidget*> shown;
    for (QWidget* c : std::as_const(controls_))
        if (c->isVisibleTo(window_) && c->isEnabled()) shown << c;
    if (shown.isEmpty()) return false;
    const int n = int(shown.size());
    int at = int(shown.indexOf(window_->focusWidget()));
    if (at < 0) at = forward ? -1 : n;
    shown.at(((at + (forward ? 1 : -1)) % n + n) % n)
        ->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace widgets
