#include "drag.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

#include "program_window.h"
#include "twips.h"
#include "window_stack.h"

namespace widgets {

DropTarget* dropTargetAt(const WindowStack& windows, const QPoint& globalPos) {
    // Widget lookups across windows ignore their stacking on some platforms:
    // take the window in front first, then the control in it.
    QWidget* window = windows.windowAt(globalPos);
    if (!window) return nullptr;
    QWidget* w = window->childAt(window->mapFromGlobal(globalPos));
    if (!w) return nullptr;
    auto* t = dynamic_cast<DropTarget*>(w);
    if (t && t->takesDigits()) return t;
    return nullptr;
}

namespace {

// Watches the whole program while a drag runs, for the events after which its
// release will never come.
class DragWatch : public QObject {
  public:
    explicit DragWatch(DigitKey* key) : QObject(key), key_(key) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        DigitKey* d = key_;
        if (!d->dragging()) return false;
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
            // Queued, the end may come after a new press on a digit key has
            // started the next drag: it ends only the drag it belongs to.
            const QPoint at = me->globalPosition().toPoint();
            QMetaObject::invokeMethod(
                qApp,
                [d = QPointer<DigitKey>(d), number = d->dragNumber(), at] {
                    if (d && d->dragging() && d->dragNumber() == number) d->finishDrag(at);
                },
                Qt::QueuedConnection);
            break;
        }
        default:
            break;
        }
        return false;
    }

  private:
    DigitKey* key_;
};

} // namespace

DigitKey::DigitKey(QWidget* parent, const QString& objectName, int digit)
    : CommandButton(parent, objectName, QString::number(digit)), digit_(digit) {
    setFocusPolicy(Qt::NoFocus);
}

DigitKey::~DigitKey() {
    if (dragging_) cancelDrag();
}

void DigitKey::cancelDrag() {
    if (dragging_) endDrag();
}

void DigitKey::mousePressEvent(QMouseEvent* e) {
    // One drag at a time: a second pointer does not start another.
    ProgramWindow* home = ProgramWindow::of(this);
    if (e->button() != Qt::LeftButton || dragging_ || !home || home->stack().drag()) {
        e->accept();
        return;
    }
    windows_ = &home->stack();
    dragging_ = true;
    ++dragNumber_;
    byFinger_ = e->source() == Qt::MouseEventSynthesizedByQt;
    windows_->setDrag(this);
    if (!watch_) watch_ = new DragWatch(this);
    qApp->installEventFilter(watch_);
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
    image_->setLineWidth(tw::stroke(this, 1));
    image_->setFont(font());
    image_->setPalette(palette());
    image_->resize(size());
    moveImage(e->globalPosition().toPoint());
    image_->show();
    image_->raise();
    e->accept();
}

bool DigitKey::samePointer(const QMouseEvent* e) const {
    // Qt makes the mouse events of a finger itself; a mouse's come from the platform.
    return (e->source() == Qt::MouseEventSynthesizedByQt) == byFinger_;
}

void DigitKey::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_ && samePointer(e)) moveImage(e->globalPosition().toPoint());
    e->accept();
}

void DigitKey::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton || !samePointer(e)) {
        e->accept();
        return;
    }
    e->accept();
    finishDrag(e->globalPosition().toPoint());
}

void DigitKey::finishDrag(const QPoint& globalPos) {
    endDrag();
    // Let go on its own key: a tap, however far the pointer wandered.
    QWidget* window = windows_->windowAt(globalPos);
    if (window && window->childAt(window->mapFromGlobal(globalPos)) == this) {
        emit tapped();
        return;
    }
    // The drop may open a modal box and even start a new task; look the
    // target up only after the image is gone so it is not found itself.
    if (DropTarget* t = dropTargetAt(*windows_, globalPos)) t->takeDigit(digit_);
}

void DigitKey::moveImage(const QPoint& globalPos) {
    if (!image_) return;
    QWidget* host = image_->parentWidget();
    const QPoint local = host->mapFromGlobal(globalPos);
    // The image sits centred on the pointer, the way the digit is held.
    image_->move(local - QPoint(image_->width() / 2, image_->height() / 2));
}

void DigitKey::endDrag() {
    dragging_ = false;
    qApp->removeEventFilter(watch_);
    if (windows_ && windows_->drag() == this) windows_->setDrag(nullptr);
    setDown(false);
    if (image_) image_->hide();
}

} // namespace widgets
