#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

class QWidget;

namespace widgets {

// A finger held still on a widget opens what a right click opens. Touch
// reaches widgets as synthesized mouse events, told apart by their device.
class LongPress : public QObject {
  public:
    // fire gets the place of the press in target's coordinates.
    LongPress(QWidget* target, std::function<void(const QPoint&)> fire);

    static constexpr int kHoldMs = 600;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    std::function<void(const QPoint&)> fire_;
    QTimer timer_;
    QPoint pressedAt_;
};

} // namespace widgets
