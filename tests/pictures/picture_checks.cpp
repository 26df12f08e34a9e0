#include "picture_checks.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "controls.h"
#include "twips.h"

namespace pictures {

namespace {

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

QRgb rgbOf(quint32 colour) {
    return qRgb(int(colour >> 16) & 0xFF, int(colour >> 8) & 0xFF, int(colour) & 0xFF);
}

QString name(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

QString rectText(const QRect& r) {
    return QStringLiteral("%1x%2 at (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

// Where the text's pixels land when drawn into r with these flags and no
// clipping: drawn alone into a roomy transparent image, with the widget's
// font at the widget's resolution.
QRect textInk(const QWidget* w, const QFont& font, const QRect& r, int flags, const QString& text) {
    const int pad = 200;
    QImage img(r.size() + QSize(2 * pad, 2 * pad), QImage::Format_ARGB32_Premultiplied);
    img.setDotsPerMeterX(std::lround(w->logicalDpiX() / 0.0254));
    img.setDotsPerMeterY(std::lround(w->logicalDpiY() / 0.0254));
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(QPoint(pad, pad), r.size()), flags | Qt::TextDontClip, text);
    p.end();
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            // Faint antialiasing at the edge of a glyph is not a cut a person sees.
            if (qAlpha(line[x]) < 96) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom))
        .translated(r.topLeft() - QPoint(pad, pad));
}

// The rectangle a label draws its plain text in, the way QLabel lays it out.
QRect labelTextRect(const QLabel* l) {
    QRect cr = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0)
        indent = l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
    if (indent > 0) {
        const Qt::Alignment a = l->alignment();
        if (a & Qt::AlignLeft) cr.setLeft(cr.left() + indent);
        if (a & Qt::AlignRight) cr.setRight(cr.right() - indent);
        if (a & Qt::AlignTop) cr.setTop(cr.top() + indent);
        if (a & Qt::AlignBottom) cr.setBottom(cr.bottom() - indent);
    }
    return cr;
}

QString fitFault(const QWidget* w, const QString& text, const QRect& room, int flags) {
    const QRect ink = textInk(w, w->font(), room, flags, text);
    if (ink.isNull() || room.contains(ink)) return {};
    return QStringLiteral("%1 \"%2\": text %3 does not fit %4 (font %5 %6 px)")
        .arg(name(w), text, rectText(ink), rectText(room), w->fontInfo().family())
        .arg(w->fontInfo().pixelSize());
}

double linear(int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

int encoded(double v) {
    v = std::clamp(v, 0.0, 1.0);
    v = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return int(std::lround(v * 255));
}

struct Lab {
    double l, a, b;
};

Lab labOf(QRgb c) {
    const double r = linear(qRed(c)), g = linear(qGreen(c)), b = linear(qBlue(c));
    const double xyz[3] = {(0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047,
                           0.2126729 * r + 0.7151522 * g + 0.0721750 * b,
                           (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883};
    double f[3];
    for (int i = 0; i < 3; ++i)
        f[i] = xyz[i] > 216.0 / 24389 ? std::cbrt(xyz[i]) : (24389.0 / 27 * xyz[i] + 16) / 116;
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

constexpr double kPi = 3.14159265358979323846;
double radians(double degrees) {
    return degrees * kPi / 180;
}

// The hue angle in degrees, 0 to 360.
double hueOf(double b, double a) {
    if (a == 0 && b == 0) return 0;
    const double h = std::atan2(b, a) * 180 / kPi;
    return h < 0 ? h + 360 : h;
}

} // namespace

QImage seenWith(const QImage& image, Vision vision) {
    static const double protan[3][3] = {{0.152286, 1.052583, -0.204868},
                                        {0.114503, 0.786281, 0.099216},
                                        {-0.003882, -0.048116, 1.051998}};
    static const double deutan[3][3] = {{0.367322, 0.860646, -0.227968},
                                        {0.280085, 0.672501, 0.047413},
                                        {-0.011820, 0.042940, 0.968881}};
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const double c[3] = {linear(qRed(line[x])), linear(qGreen(line[x])),
                                 linear(qBlue(line[x]))};
            if (vision == Vision::Greyscale) {
                const int grey = encoded(0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]);
                line[x] = qRgb(grey, grey, grey);
                continue;
            }
            const double(*m)[3] = vision == Vision::Protanopia ? protan : deutan;
            int seen[3];
            for (int i = 0; i < 3; ++i)
                seen[i] = encoded(m[i][0] * c[0] + m[i][1] * c[1] + m[i][2] * c[2]);
            line[x] = qRgb(seen[0], seen[1], seen[2]);
        }
    }
    return out;
}

double colourDistance(QRgb first, QRgb second) {
    const Lab p = labOf(first), q = labOf(second);
    const double c7 = std::pow((std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
    const double h1 = hueOf(p.b, a1), h2 = hueOf(q.b, a2);
    double dh = h2 - h1;
    if (dh > 180) dh -= 360;
    if (dh < -180) dh += 360;
    if (c1 * c2 == 0) dh = 0;
    const double dL = q.l - p.l, dC = c2 - c1;
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(radians(dh / 2));
    const double l = (p.l + q.l) / 2, c = (c1 + c2) / 2;
    double h = h1 + h2;
    if (c1 * c2 != 0 && std::abs(h1 - h2) > 180) h += h < 360 ? 360 : -360;
    if (c1 * c2 != 0) h /= 2;
    const double t = 1 - 0.17 * std::cos(radians(h - 30)) + 0.24 * std::cos(radians(2 * h)) +
                     0.32 * std::cos(radians(3 * h + 6)) - 0.20 * std::cos(radians(4 * h - 63));
    const double sl = 1 + 0.015 * (l - 50) * (l - 50) / std::sqrt(20 + (l - 50) * (l - 50));
    const double sc = 1 + 0.045 * c, sh = 1 + 0.015 * c * t;
    const double cc7 = std::pow(c, 7);
    const double rt = -2 * std::sqrt(cc7 / (cc7 + std::pow(25.0, 7))) *
                      std::sin(radians(60 * std::exp(-std::pow((h - 275) / 25, 2))));
    const double kl = dL / sl, kc = dC / sc, kh = dH / sh;
    return std::sqrt(kl * kl + kc * kc + kh * kh + rt * kc * kh);
}

QImage grabWindow(QWidget* window, const QString& file) {
    const QImage img = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QDir().mkpath(QStringLiteral(DIVISION_PICTURE_DIR));
    img.save(QStringLiteral(DIVISION_PICTURE_DIR "/%1.png").arg(file));
    return img;
}

QPoint px(const QWidget* window, int x, int y) {
    return tw::toPx(window, QRect(x, y, 0, 0)).topLeft();
}

QRect pxRect(const QWidget* window, int left, int top, int width, int height) {
    return tw::toPx(window, QRect(left, top, width, height));
}

QString hex(quint32 v) {
    return QStringLiteral("0x%1")
        .arg(v, 6, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}

quint32 colourAt(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFF;
}

QStringList wrongColours(const QImage& image, const QWidget* window, const QList<Spot>& spots) {
    QStringList faults;
    for (const Spot& s : spots) {
        const QPoint p = px(window, s.x, s.y);
        if (!image.rect().contains(p)) {
            faults << QStringLiteral("%1: (%2, %3) lies outside the picture")
                          .arg(s.what)
                          .arg(p.x())
                          .arg(p.y());
            continue;
        }
        if (distance(image.pixel(p), rgbOf(s.colour)) > 6)
            faults << QStringLiteral("%1: colour at (%2, %3) is %4, expected %5")
                          .arg(s.what)
                          .arg(p.x())
                          .arg(p.y())
                          .arg(hex(colourAt(image, p)), hex(s.colour));
    }
    return faults;
}

QStringList misplaced(const QList<Place>& places) {
    QStringList faults;
    for (const Place& p : places) {
        const QWidget* w = p.control;
        const QRect actual(w->mapTo(w->window(), QPoint(0, 0)), w->size());
        const QRect expected = pxRect(w->window(), p.left, p.top, p.width, p.height);
        if (actual != expected)
            faults << QStringLiteral("%1: %2, expected %3")
                          .arg(name(w), rectText(actual), rectText(expected));
    }
    return faults;
}

QStringList windowFaults(const QImage& image, const QWidget* window, QSize clientTwips, double z,
                         quint32 back) {
    QStringList faults;
    if (image.size() != window->size())
        faults << QStringLiteral("picture is %1x%2 px, the window %3x%4")
                      .arg(image.width())
                      .arg(image.height())
                      .arg(window->width())
                      .arg(window->height());
    const tw::Zoom zoom = tw::zoomOf(window);
    if (std::abs(zoom.factor - z) > 1e-9)
        faults << QStringLiteral("zoom %1, expected %2").arg(zoom.factor).arg(z);
    const QSize size(std::lround(clientTwips.width() * z / tw::kTwipsPerPixel),
                     std::lround(clientTwips.height() * z / tw::kTwipsPerPixel));
    // Unzoomed windows record no content: the whole window is the client area.
    const QRect content = zoom.content.isEmpty() ? window->rect() : zoom.content;
    if (content.size() != size)
        faults << QStringLiteral("content %1, expected %2x%3")
                      .arg(rectText(content))
                      .arg(size.width())
                      .arg(size.height());
    const QPoint centred((window->width() - size.width()) / 2,
                         (window->height() - size.height()) / 2);
    if ((content.topLeft() - centred).manhattanLength() > 2)
        faults << QStringLiteral("content %1 is not centred in %2x%3")
                      .arg(rectText(content))
                      .arg(window->width())
                      .arg(window->height());
    const QRgb b = rgbOf(back);
    int wrong = 0;
    QPoint first;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (content.contains(x, y) || distance(image.pixel(x, y), b) <= 6) continue;
            if (!wrong++) first = QPoint(x, y);
        }
    if (wrong)
        faults << QStringLiteral("%1 pixels of the margins are not the back colour %2, the first "
                                 "at (%3, %4): %5")
                      .arg(wrong)
                      .arg(hex(back))
                      .arg(first.x())
                      .arg(first.y())
                      .arg(hex(colourAt(image, first)));
    return faults;
}

QStringList cutOffTexts(QWidget* window) {
    QStringList faults;
    // A grown window shows its controls only inside the content.
    const QRect content = tw::zoomOf(window).content;
    const QRect client = content.isEmpty() ? window->rect() : content;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        // A control moved out of the client area is not seen.
        const QRect onWindow(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!client.intersects(onWindow)) continue;
        QString fault;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty()) continue;
            const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
            fault = fitFault(l, l->text(), labelTextRect(l), flags);
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            if (b->text().isEmpty()) continue;
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.text = b->text();
            if (b->autoDefault()) opt.features |= QStyleOptionButton::AutoDefaultButton;
            if (b->isDefault()) opt.features |= QStyleOptionButton::DefaultButton;
            const QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
            fault = fitFault(b, b->text(), room, Qt::AlignCenter | Qt::TextShowMnemonic);
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(c);
            opt.text = c->text();
            const QRect room = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, c);
            fault = fitFault(c, c->text(), room,
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic);
        }
        if (!fault.isEmpty()) faults << fault;
    }
    return faults;
}

QRect inkBox(const QImage& image, const QRect& area, quint32 back) {
    const QRgb b = rgbOf(back);
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    const QRect a = area & image.rect();
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) {
            if (distance(image.pixel(x, y), b) < 120) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

quint32 inkColour(const QImage& image, const QRect& area, quint32 back) {
    const QRgb b = rgbOf(back);
    QRgb best = b;
    const QRect a = area & image.rect();
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x)
            if (distance(image.pixel(x, y), b) > distance(best, b)) best = image.pixel(x, y);
    return best & 0xFFFFFF;
}

QStringList textFaults(const QImage& image, const QWidget* label, quint32 back, quint32 fore,
                       double tolerance, bool vertical, int footPx) {
    QStringList faults;
    const QRect r(label->mapTo(label->window(), QPoint(0, 0)), label->size());
    // The frame of a bordered label is not its text; it grows with the zoom.
    const auto* frame = qobject_cast<const QFrame*>(label);
    const int edge = std::max(2, frame ? frame->frameWidth() : 0);
    const QRect inside = r.adjusted(edge, edge, -edge, -std::max(edge, footPx));
    const QRect ink = inkBox(image, inside, back);
    const QString who = name(label);
    if (ink.isNull()) return {who + QStringLiteral(": no text to be seen")};
    const QPointF off = QRectF(ink).center() - QRectF(r).center();
    if (std::abs(off.x()) > tolerance || (vertical && std::abs(off.y()) > tolerance))
        faults << QStringLiteral("%1: text %2 is off the centre of %3 by (%4, %5) px")
                      .arg(who, rectText(ink), rectText(r))
                      .arg(off.x())
                      .arg(off.y());
    const quint32 c = inkColour(image, ink, back);
    if (distance(rgbOf(c), rgbOf(fore)) > 24)
        faults << QStringLiteral("%1: text colour %2, expected %3").arg(who, hex(c), hex(fore));
    return faults;
}

} // namespace pictures
