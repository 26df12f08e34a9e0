#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace bench {

namespace {
class FirstPaintWatch : public QObject {
  public:
    explicit FirstPaintWatch(QWidget* w) : QObject(w), window_(w) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && watched == window_ && !seen_) {
            seen_ = true;
            // Queued: runs once this paint and its flush to the screen are done.
            QTimer::singleShot(0, [] {
                timespec ts{};
                clock_gettime(CLOCK_MONOTONIC, &ts);
                std::printf("first-paint-ns %lld\n",
                            static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

  private:
    QWidget* window_;
    bool seen_ = false;
};
} // namespace

void exitAfterFirstPaint(QWidget* window) {
    window->installEventFilter(new FirstPaintWatch(window));
}

} // namespace bench
