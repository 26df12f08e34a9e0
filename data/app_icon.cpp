#include "app_icon.h"

#include "icons.h"

#include <QHash>
#include <QIconEngine>
#include <QPixmap>
#include <algorithm>

namespace appicon {

void paint(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = std::min(r.width(), r.height()) / 32.0;
    p.translate(r.center().x() - 16 * s, r.center().y() - 16 * s);
    p.scale(s, s);
    // Same colours as icons::tile.
    p.setPen(QPen(QColor(0x40, 0x00, 0x00), 3));
    p.setBrush(QColor(0x00, 0x80, 0x00));
    p.drawRect(QRectF(1.5, 1.5, 29, 29));
    // The logo at three quarters, so a green margin stays around the paper.
    icons::logo(p, QRectF(4, 4, 24, 24));
    p.restore();
}

namespace {
// Draws at whatever size a window system asks for, so the icon stays sharp on
// high-density screens and nothing is rendered before it is needed.
class Engine : public QIconEngine {
  public:
    void paint(QPainter* p, const QRect& rect, QIcon::Mode, QIcon::State) override {
        appicon::paint(*p, rect);
    }
    // Kept once drawn: every window of the program asks for the same sizes.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
        auto it = drawn_.constFind(key);
        if (it != drawn_.constEnd()) return *it;
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        p.end();
        drawn_.insert(key, pm);
        return pm;
    }
    // The sizes of title bars and task bars. X11 takes every offered size into
    // the window's icon property before the first paint, and the large ones
    // cost more than the whole start window; desktops show the installed
    // theme icon where they need it larger.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }
    QIconEngine* clone() const override { return new Engine; }

  private:
    QHash<quint64, QPixmap> drawn_;
};
} // namespace

QIcon icon() {
    return QIcon(new Engine);
}

} // namespace appicon
