#include "double_click.h"

#include <QMouseEvent>

#include "registry.h"

namespace widgets {

namespace {
Registry<bool>& everyPress() {
    static Registry<bool> r;
    return r;
}
Registry<bool>& digitEntry() {
    static Registry<bool> r;
    return r;
}

// Whether w shows at the global point: inside it and every container up to
// its window, masks included, and visible. A control covered by another
// (a cell under the keyboard marker) still lies under the pointer.
bool liesUnder(const QWidget* w, const QPoint& global) {
    if (!w || !w->isVisible()) return false;
    for (const QWidget* c = w; c; c = c->isWindow() ? nullptr : c->parentWidget()) {
        const QPoint local = c->mapFromGlobal(global);
        if (!c->rect().contains(local)) return false;
        if (!c->mask().isEmpty() && !c->mask().contains(local)) return false;
    }
    return true;
}
} // namespace

void takeEveryPress(QWidget* w) {
    everyPress().set(w, true);
}

void takeDigitEntry(QWidget* w) {
    digitEntry().set(w, true);
}

bool DoubleClickRule::filter(QWidget* receiver, QMouseEvent* e, bool inOurWindow) {
    const QPoint at = e->globalPosition().toPoint();
    // On its way up to the parents the event comes again, as a copy.
    if (int(e->type()) == seenType_ && e->timestamp() == seenTime_ && at == seenAt_)
        return seenHeld_;
    seenType_ = int(e->type());
    seenTime_ = e->timestamp();
    seenAt_ = at;
    seenHeld_ = false;
    if (e->type() == QEvent::MouseButtonDblClick && inOurWindow && !everyPress().find(receiver)) {
        const bool ownPress =
            keyBetween_ || (firstWindow_ && firstWindow_ == receiver->window() &&
                            digitEntry().find(receiver) && !liesUnder(firstControl_, at));
        seenHeld_ = !ownPress;
    }
    if (!seenHeld_) {
        firstControl_ = receiver;
        firstWindow_ = receiver->window();
    }
    keyBetween_ = false;
    return seenHeld_;
}

} // namespace widgets
