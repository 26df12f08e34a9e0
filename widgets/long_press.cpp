#include "long_press.h"

#include <QGuiApplication>
#include <QInputDevice>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

namespace widgets {

LongPress::LongPress(QWidget* target, std::function<void(const QPoint&)> fire)
    : QObject(target), fire_(std::move(fire)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kHoldMs);
    connect(&timer_, &QTimer::timeout, this, [this] { fire_(pressedAt_); });
    target->installEventFilter(this);
}

bool LongPress::eventFilter(QObject*, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: { // a second quick touch arrives as a double click
        const auto* me = static_cast<QMouseEvent*>(e);
        const QInputDevice* dev = me->device();
        if (dev && dev->type() == QInputDevice::DeviceType::TouchScreen) {
            pressedAt_ = me->position().toPoint();
            timer_.start();
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto* me = static_cast<QMouseEvent*>(e);
        const QPoint moved = me->position().toPoint() - pressedAt_;
        if (moved.manhattanLength() > QGuiApplication::styleHints()->startDragDistance())
            timer_.stop();
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::Hide:
        timer_.stop();
        break;
    default:
        break;
    }
    return false;
}

} // namespace widgets
