// The exercise window grown to the size of a whiteboard: its content drawn
// larger and centred, taking drags, touches and clicks where it is seen,
// through the platform's own input path. (Where each control lies at 100 %
// and 200 % the window pictures check.)
#include <QTest>

#include "board_screen.h"
#include <QMenu>
#include <QPainter>
#include <QWindow>

#include "exercise_driver.h"
#include "number_catch_window.h"

using namespace drive;
using Box = ScriptedDesktop::Box;

namespace {
const QColor kBack(192, 192, 255);

// The window at zoom z, with a client wider than the zoom needs.
double growTo(ExerciseWindow& f, double z) {
    const QSize design = f.minimumSize();
    f.resize(int(design.width() * z) + 240, qRound(design.height() * z));
    return f.zoom();
}

QPoint centreIn(ExerciseWindow& f, QWidget* w) {
    return w->mapTo(&f, w->rect().center());
}

// Press, three moves and release through the platform's input path: the
// window delivers them to the pressed key as a real mouse does.
void mouseDrag(ExerciseWindow& f, int digit, QWidget* target) {
    QWindow* win = f.windowHandle();
    const QPoint from = centreIn(f, f.digitKeys[digit]), to = centreIn(f, target);
    QTest::mousePress(win, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 3; ++i)
        QTest::mouseMove(win, from + (to - from) * i / 3);
    QTest::mouseRelease(win, Qt::LeftButton, {}, to);
}

// The bounding box of the lowest patch of the colour in the picture.
QRect lowestPatch(const QImage& img, const QColor& colour) {
    const QRgb want = colour.rgb();
    for (int y = img.height() - 1; y >= 0; --y)
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != want) continue;
            int right = x, top = y;
            while (right + 1 < img.width() && img.pixel(right + 1, y) == want)
                ++right;
            const int mid = (x + right) / 2;
            while (top > 0 && img.pixel(mid, top - 1) == want)
                --top;
            return QRect(QPoint(x, top), QPoint(right, y));
        }
    return {};
}
// How wide the ink is in an area of the picture: what stands out from its
// background (dimmed text too).
int inkWidth(const QImage& img, const QRect& area) {
    int count[256] = {};
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[qGray(img.pixel(x, y))];
    const int back = int(std::max_element(count, count + 256) - count);
    int left = area.right(), right = area.left();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAbs(qGray(img.pixel(x, y)) - back) > 60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right >= left ? right - left + 1 : 0;
}

// How wide the ink of text is when drawn whole in the font.
int inkWidthOfText(const QString& text, const QFont& font) {
    const QFontMetrics fm(font);
    QImage img(fm.horizontalAdvance(text) + 20, fm.height() + 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(10, 2 + fm.ascent(), text);
    p.end();
    return inkWidth(img, img.rect());
}
} // namespace

class TestZoom : public QObject {
    Q_OBJECT
  private slots:

    void theContentGrowsCentredAndTakesClicksWhereItIsSeen() {
        Session s;
        ExerciseWindow& f = s.form();
        const QFont cellAt100 = normalCell(f, core::CellRole::Difference1)->font(), keyAt100 = f.digitKeys[3]->font();
        const double z = growTo(f, 2.37);
        QVERIFY(qAbs(z - 2.37) < 0.01);
        // Fonts grow alike: the cells' and the keys'.
        QVERIFY(qAbs(normalCell(f, core::CellRole::Difference1)->font().pointSizeF() - cellAt100.pointSizeF() * z) < 0.01);
        QVERIFY(qAbs(f.digitKeys[3]->font().pointSizeF() - keyAt100.pointSizeF() * z) < 0.01);

        // The margins show the back colour, and nothing that waits outside the
        // client area (the worksheet panel, the parked markers) shows in them.
        const QImage img = f.grab().toImage();
        const int margin = (f.width() - f.minimumWidth() * z) / 2;
        QVERIFY(margin >= 119);
        for (int y = 5; y < f.height(); y += 23) {
            QCOMPARE(QColor(img.pixel(margin / 2, y)), kBack);
            QCOMPARE(QColor(img.pixel(f.width() - 1 - margin / 2, y)), kBack);
        }
        // The lowest answer cell as the picture shows it is the final
        // difference, and a click there selects it, the marker covering it.
        const QRect seen = lowestPatch(img, QColor(128, 128, 255));
        QVERIFY(seen.width() > 50 && qAbs(seen.width() - seen.height()) <= 1);
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, seen.center());
        QCOMPARE(f.exercise().selectedCell(), std::optional<int>(14));
        QCOMPARE(f.layout(core::Mode::Normal).marker()->geometry(), seen);
    }

    void dragsTouchesAndClicksLandAtTheZoom() {
        Session s;
        ExerciseWindow& f = s.form();
        const double z = growTo(f, 2.37);
        QVERIFY(qAbs(z - 2.37) < 0.01);
        // 2035 : 5: the first difference is 0, with the reminder that the
        // quotient digit is missing.
        s.rt.answer(widgets::Answer::Ok);
        mouseDrag(f, 0, normalCell(f, core::CellRole::Difference1));
        QCOMPARE(normalCell(f, core::CellRole::Difference1)->text(), QStringLiteral("0"));
        QCOMPARE(s.rt.takeBoxes(), QList<Box>{msgRecord("Es fehlt noch die Ergebnisziffer!\r\r", {},
                                                        "Eingabefehler")});
        QVERIFY(!f.digitKeys[0]->isDown());

        // A click selects the cell under it and the marker covers exactly that cell.
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, normalCell(f, core::CellRole::BroughtDown2)));
        QCOMPARE(f.layout(core::Mode::Normal).marker()->geometry(), normalCell(f, core::CellRole::BroughtDown2)->geometry());

        // The remainder layout, by finger: 2038 : 5 = 407 R 3.
        forceTask(s.rt, 4, 0, 7, 5, 3);
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.remainderButton));
        QCOMPARE(tw::top(f.remainderBox), 720);
        touchDrag(f, 4, remainderCell(f, core::CellRole::Quotient1));
        touchDrag(f, 3, remainderCell(f, core::CellRole::BroughtDown1));
        QCOMPARE(remainderCell(f, core::CellRole::Quotient1)->text(), QStringLiteral("4"));
        QCOMPARE(remainderCell(f, core::CellRole::BroughtDown1)->text(), QStringLiteral("3"));
        QCOMPARE(f.counters().pointsCounter->text(), QStringLiteral("3"));
        QVERIFY(s.rt.boxes.isEmpty());
    }

    void theHeldDigitIsAsLargeAsItsKey() {
        Session s;
        ExerciseWindow& f = s.form();
        growTo(f, 2.37);
        QWindow* win = f.windowHandle();
        const QPoint from = centreIn(f, f.digitKeys[7]);
        QTest::mousePress(win, Qt::LeftButton, {}, from);
        QTest::mouseMove(win, from - QPoint(0, 200));
        auto* image = f.findChild<QLabel*>(QStringLiteral("dragImage"));
        QVERIFY(image && image->isVisible());
        QCOMPARE(image->size(), f.digitKeys[7]->size());
        QCOMPARE(image->fontInfo().pixelSize(), f.digitKeys[7]->fontInfo().pixelSize());
        QTest::mouseRelease(win, Qt::LeftButton, {}, from - QPoint(0, 200));
        QVERIFY(!image->isVisible());
    }

    // (That a game opens at the exercise's zoom the window pictures check.)
    // Menus grow with their window and show every entry whole: a style that
    // runs short of room puts an ellipsis in the middle of an entry.
    void menusShowEveryEntryWhole_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("board, 260 %") << 2.6;
        QTest::newRow("largest, 300 %") << 3.5;
    }
    void menusShowEveryEntryWhole() {
        QFETCH(double, zoom);
        ScriptedDesktop rt;
        ExerciseWindow f(rt.windows);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        growTo(f, zoom);
        auto check = [](QMenu* menu) {
            QTRY_VERIFY(menu->isVisible());
            const QImage shown = menu->grab().toImage();
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                const int whole = inkWidthOfText(a->text(), menu->font());
                // The menu's frame left aside.
                const QRect row = menu->actionGeometry(a).adjusted(3, 0, -3, 0);
                QVERIFY2(inkWidth(shown, row) >= whole - 2, qPrintable(a->text()));
            }
            menu->hide();
        };
        f.sheetPanel().showSheetButtonMenu(QPoint(4, 4));
        check(f.sheetPanel().sheetButtonMenu);
        f.counters().showMenu(f.mapToGlobal(centreIn(f, f.counters().pointsCounter)));
        check(f.counters().menu());
        f.sheetButton->click();
        f.sheetPanel().showSheetMenu(QPoint(4, 4));
        check(f.sheetPanel().sheetMenu);
    }

    void gamesGiveTheExerciseBackAtItsSize() {
        Session s;
        ExerciseWindow& f = s.form();
        growTo(f, 2.0);
        auto& g = dynamic_cast<games::NumberCatchWindow&>(s.program.rewardGame(games::Reward::Points));
        earnPoints(f, 50);
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.numberCatchPrompt));
        QVERIFY(g.isVisible());
        const QSize before = f.size();
        s.rt.answer(widgets::Answer::Yes);
        g.askToEnd();
        QVERIFY(f.isVisible());
        QCOMPARE(f.size(), before);

        // Maximised, the game opens maximised, and the exercise comes back so.
        f.showMaximized();
        QTRY_VERIFY(f.isMaximized());
        earnPoints(f, 50);
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.numberCatchPrompt));
        QVERIFY(g.isVisible());
        QVERIFY(g.isMaximized());
        s.rt.answer(widgets::Answer::Yes);
        g.askToEnd();
        QVERIFY(f.isMaximized());

        // Back at 100 %, the next game is no longer maximised.
        f.showNormal();
        f.resize(f.minimumSize());
        earnPoints(f, 50);
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.numberCatchPrompt));
        QVERIFY(!g.isMaximized());
        QCOMPARE(g.size(), g.minimumSize());
        s.rt.answer(widgets::Answer::Yes);
        g.askToEnd();
    }
};

int main(int argc, char** argv) {
    return runOnBoardScreen<TestZoom>(argc, argv);
}
#include "test_zoom.moc"
