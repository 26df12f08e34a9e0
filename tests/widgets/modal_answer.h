#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the next modal box once it is open: a timer looks every 30 ms for
// the active modal widget and hands it to the action, once. A single-shot
// timer would fire before the box exists when the box opens late.
class ModalAnswer {
  public:
    explicit ModalAnswer(std::function<void(QWidget*)> action) : action_(std::move(action)) {
        timer_.setInterval(30);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isVisible()) return;
            timer_.stop();
            seen_ = box;
            action_(box);
        });
        timer_.start();
    }
    // The box that was answered, or nullptr when none opened.
    QWidget* box() const { return seen_; }
    bool answered() const { return seen_ != nullptr; }

  private:
    std::function<void(QWidget*)> action_;
    QTimer timer_;
    QWidget* seen_ = nullptr;
};
