// Large text drawn from the style's images must look as Qt draws it, and a
// grown button must look as Qt's own push button.
#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include "controls.h"
#include "large_text.h"

namespace {

struct Draw {
    QFont font;
    QRect rect;
    int flags;
    QColor colour;
    bool enabled;
    QString text;
    QTransform transform;
};

QImage drawn(const QStyle& style, const QList<Draw>& draws, qreal dpr) {
    QImage image(QSize(400, 300) * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(QColor(0xFF, 0xFF, 0xC0));
    QPainter p(&image);
    for (const Draw& d : draws) {
        p.save();
        p.setTransform(d.transform);
        p.setFont(d.font);
        QPalette pal;
        pal.setColor(QPalette::ButtonText, d.colour);
        pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
        style.drawItemText(&p, d.rect, d.flags, pal, d.enabled, d.text, QPalette::ButtonText);
        p.restore();
    }
    return image;
}

// The largest difference of one colour channel between the two pictures.
int largestDifference(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

// An image's 8-bit premultiplied pixels, composited, may differ from text
// blended straight onto the window by a few levels at the glyphs' edges.
constexpr int kRounding = 8;

QFont sized(int pixels, bool bold = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

Q_DECLARE_METATYPE(Draw)

class LargeTextTest : public QObject {
    Q_OBJECT

  private slots:
    // Each row draws a sequence on one picture: later draws must not be
    // served an image made for an earlier one that differs.
    void looksAsDrawnDirectly_data() {
        QTest::addColumn<QList<Draw>>("draws");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("tolerance");
        const int centre = Qt::AlignCenter;
        const QRect cell(20, 20, 160, 160);
        QTest::newRow("a digit in a grown cell, drawn twice")
            << QList<Draw>{{sized(90, true), cell, centre, Qt::black, true, "7", {}},
                           {sized(90, true),
                            cell.translated(200, 0),
                            centre,
                            Qt::black,
                            true,
                            "7",
                            {}}}
            << 1.0 << kRounding;
        QTest::newRow("the same digit in another colour, place and alignment")
            << QList<Draw>{{sized(90), cell, centre, Qt::black, true, "4", {}},
                           {sized(90), cell.translated(200, 0), centre, Qt::red, true, "4", {}},
                           {sized(90),
                            cell.translated(0, 100),
                            Qt::AlignLeft | Qt::AlignTop,
                            Qt::red,
                            true,
                            "4",
                            {}}}
            << 1.0 << kRounding;
        QTest::newRow("a caption wider than its button is cut at its edges")
            << QList<Draw>{{sized(70),
                            QRect(10, 10, 200, 90),
                            centre,
                            Qt::black,
                            true,
                            "Neue Aufgabe",
                            {}}}
            << 1.0 << kRounding;
        QTest::newRow("disabled, then enabled")
            << QList<
                   Draw>{{sized(80), cell, centre, Qt::black, false, "Blatt", {}},
                         {sized(80), cell.translated(0, 100), centre, Qt::black, true, "Blatt", {}}}
            << 1.0 << kRounding;
        QTest::newRow("accents and descenders reach past the line")
            << QList<Draw>{{sized(100),
                            QRect(10, 10, 380, 130),
                            centre,
                            Qt::blue,
                            true,
                            QStringLiteral("Übung gj"),
                            {}}}
            << 1.0 << kRounding;
        QFont italic(QStringLiteral("Liberation Serif"));
        italic.setPixelSize(110);
        italic.setItalic(true);
        QTest::newRow("italic ink overhangs its advance")
            << QList<Draw>{{italic,
                            QRect(10, 10, 380, 140),
                            Qt::AlignLeft | Qt::AlignVCenter,
                            Qt::black,
                            true,
                            QStringLiteral("fjf"),
                            {}}}
            << 1.0 << kRounding;
        QTest::newRow("on a screen of ratio 2")
            << QList<Draw>{{sized(40), cell, centre, Qt::black, true, "9", {}}} << 2.0 << kRounding;
        // Where an image could not land on whole pixels the style draws as Qt.
        QTest::newRow("a half-pixel shift is drawn directly")
            << QList<Draw>{{sized(90), cell, centre, Qt::black, true, "3",
                            QTransform::fromTranslate(0.5, 0)}}
            << 1.0 << 0;
        QTest::newRow("a rotated painter is drawn directly")
            << QList<Draw>{{sized(90), cell, centre, Qt::black, true, "5",
                            QTransform().translate(200, 0).rotate(20)}}
            << 1.0 << 0;
        QTest::newRow("text that may spill out of its rectangle is drawn directly")
            << QList<Draw>{{sized(90),
                            QRect(20, 20, 40, 40),
                            centre | Qt::TextDontClip,
                            Qt::black,
                            true,
                            "88",
                            {}}}
            << 1.0 << 0;
        QTest::newRow("text Qt keeps in its glyph cache is drawn directly")
            << QList<Draw>{{sized(shell::kLargestCachedGlyph),
                            cell,
                            centre,
                            Qt::black,
                            true,
                            "Ende",
                            {}}}
            << 1.0 << 0;
    }
    void looksAsDrawnDirectly() {
        QFETCH(QList<Draw>, draws);
        QFETCH(qreal, dpr);
        QFETCH(int, tolerance);
        std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("fusion")));
        shell::LargeTextStyle cached(QStyleFactory::create(QStringLiteral("fusion")));
        const QImage direct = drawn(*base, draws, dpr);
        const QImage first = drawn(cached, draws, dpr);
        const QImage again = drawn(cached, draws, dpr);
        QVERIFY(direct != drawn(*base, {}, dpr)); // something was drawn
        QVERIFY2(largestDifference(direct, first) <= tolerance,
                 qPrintable(QString::number(largestDifference(direct, first))));
        QCOMPARE(again, first);
    }

    // A grown caption drawn into a PDF stays text a reader can find.
    void pdfKeepsItsText() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("caption.pdf"));
        {
            QPdfWriter writer(pdf);
            QPainter p(&writer);
            p.setFont(sized(90));
            QPalette pal;
            shell::LargeTextStyle style(QStyleFactory::create(QStringLiteral("fusion")));
            style.drawItemText(&p, QRect(0, 0, 2000, 400), Qt::AlignCenter, pal, true,
                               QStringLiteral("Neue Aufgabe"), QPalette::ButtonText);
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains("Neue Aufgabe"));
    }

    // The buttons draw through their own paint: at the designed size and
    // grown, with focus and without, they must look as Qt's push button.
    void buttonsLookAsQtDrawsThem_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("focus");
        QTest::newRow("designed size") << QSize(41, 33) << 12 << false;
        QTest::newRow("designed size with focus") << QSize(113, 33) << 8 << true;
        QTest::newRow("grown on a whiteboard") << QSize(200, 161) << 66 << false;
        QTest::newRow("grown, wide, with focus") << QSize(434, 161) << 39 << true;
    }
    void buttonsLookAsQtDrawsThem() {
        QFETCH(QSize, size);
        QFETCH(int, pointSize);
        QFETCH(bool, focus);
        shell::useLargeTextStyle();
        QWidget window;
        window.setPalette(QColor(0xC0, 0xC0, 0xC0)); // each child resolves its own copy
        window.resize(1000, 400);
        auto* ours =
            new shell::VbButton(&window, QStringLiteral("ours"), QStringLiteral("7 Aufgabe"));
        auto* qts = new QPushButton(QStringLiteral("7 Aufgabe"), &window);
        for (QPushButton* b : {static_cast<QPushButton*>(ours), qts}) {
            QFont f = b->font();
            f.setPointSize(pointSize);
            f.setBold(true);
            b->setFont(f);
            b->resize(size);
        }
        // Away from the corner the pointer rests in: hovered, a button is lighter.
        ours->move(300, 20);
        qts->move(300, 220);
        // Buttons of other colours have been drawn before: theirs must not be taken.
        auto* red =
            new shell::VbButton(&window, QStringLiteral("red"), QStringLiteral("7 Aufgabe"));
        red->setPalette(QColor(0xE0, 0x40, 0x40));
        red->setGeometry(QRect(QPoint(700, 20), size));
        red->setFont(qts->font());
        red->grab();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (focus) {
            ours->setFocus();
            const QImage focused = ours->grab().toImage();
            qts->setFocus();
            QCOMPARE(focused, qts->grab().toImage());
        } else {
            QCOMPARE(ours->grab().toImage(), qts->grab().toImage());
        }
    }
};

QTEST_MAIN(LargeTextTest)
#include "large_text_test.moc"
