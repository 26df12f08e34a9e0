// Pictures of every window in its main states, saved as PNG files, and the
// facts a person would check on them: colours, places and sizes, text that
// is not cut off, digits centred in their cells.
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include "board_screen.h"

#include "exercise_driver.h"
#include "info_window.h"
#include "memory.h"
#include "number_catch.h"
#include "number_catch_state.h"
#include "picture_checks.h"
#include "practice_report_window.h"

using namespace drive;
using namespace pictures;
using trainer::Form1;

namespace {

constexpr quint32 kBlack = 0x000000, kWhite = 0xFFFFFF;
constexpr quint32 kLight = 0xFFC0C0, kDark = 0xFF8080;
constexpr quint32 kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x008000, kYellow = 0x00FFFF;
constexpr quint32 kNavy = 0x800000;
// The divisor takes the colour of the step being worked on.
constexpr quint32 kStepColour = 0xFFFFFFFF;

// A cell of a layout: where it lies (twips, relative to its container) and
// its colours.
struct Cell {
    const char* name;
    int left, top;
    quint32 back, fore;
};

// The normal layout, on the window surface. The divisor's colour follows the
// step being worked on and is checked separately.
const Cell kNormalCells[] = {
    {"Bezeichnung1", 1560, 840, kLight, kBlack},      {"Bezeichnung2", 2160, 840, kLight, kBlack},
    {"Bezeichnung3", 2760, 840, kLight, kBlack},      {"Bezeichnung4", 3360, 840, kLight, kBlack},
    {"Bezeichnung5", 4440, 840, kLight, kStepColour}, {"Bezeichnung6", 5760, 840, kDark, kRed},
    {"Bezeichnung20", 6360, 840, kDark, kBlue},       {"Bezeichnung27", 6960, 840, kDark, kGreen},
    {"Bezeichnung7", 1560, 1440, kDark, kRed},        {"Bezeichnung8", 2160, 1440, kDark, kRed},
    {"Bezeichnung9", 2160, 2160, kDark, kBlue},       {"Bezeichnung10", 2760, 2160, kDark, kBlue},
    {"Bezeichnung11", 2160, 2760, kDark, kBlue},      {"Bezeichnung12", 2760, 2760, kDark, kBlue},
    {"Bezeichnung13", 2760, 3480, kDark, kGreen},     {"Bezeichnung17", 3360, 3480, kDark, kGreen},
    {"Bezeichnung18", 2760, 4080, kDark, kGreen},     {"Bezeichnung19", 3360, 4080, kDark, kGreen},
    {"Bezeichnung28", 3360, 4800, kDark, kYellow},
};

// The remainder layout, inside Bild6: the colours are the other way round.
const Cell kRemainderCells[] = {
    {"luecke1", 120, 120, kDark, kBlack},       {"luecke2", 720, 120, kDark, kBlack},
    {"luecke3", 1320, 120, kDark, kBlack},      {"luecke4", 1920, 120, kDark, kBlack},
    {"luecke5", 3000, 120, kDark, kStepColour}, {"luecke6", 4080, 120, kLight, kRed},
    {"luecke7", 4680, 120, kLight, kBlue},      {"luecke8", 5280, 120, kLight, kGreen},
    {"luecke9", 5880, 120, kDark, kBlack},      {"luecke10", 6480, 120, kLight, kYellow},
    {"luecke11", 120, 720, kLight, kRed},       {"luecke12", 720, 720, kLight, kRed},
    {"luecke13", 720, 1440, kLight, kBlue},     {"luecke14", 1320, 1440, kLight, kBlue},
    {"luecke15", 720, 2040, kLight, kBlue},     {"luecke16", 1320, 2040, kLight, kBlue},
    {"luecke17", 1320, 2760, kLight, kGreen},   {"luecke18", 1920, 2760, kLight, kGreen},
    {"luecke19", 1320, 3360, kLight, kGreen},   {"luecke20", 1920, 3360, kLight, kGreen},
    {"luecke21", 1920, 4080, kLight, kYellow},
};

// Bild6 stands over the work-area frame when the remainder layout is in front.
constexpr int kBild6Left = 960, kBild6Top = 720;

QString joined(const QStringList& faults) {
    return QStringLiteral("\n  ") + faults.join(QStringLiteral("\n  "));
}

#define CHECK_NONE(faults)                                                                         \
    do {                                                                                           \
        const QStringList f_ = (faults);                                                           \
        QVERIFY2(f_.isEmpty(), qPrintable(joined(f_)));                                            \
    } while (false)

// The growing windows are pictured as they open and grown to twice their
// size, with a client wider than that zoom needs, so that margins show.
void zoomData() {
    QTest::addColumn<double>("zoom");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("200 %") << 2.0;
}

void growTo(shell::Form& w, double z) {
    if (z == 1.0) return;
    const QSize design = w.minimumSize();
    w.resize(qRound(design.width() * z) + 240, qRound(design.height() * z));
    settle();
}

QString pictureName(const QString& name, double z) {
    return z == 1.0 ? name : name + QStringLiteral("-z%1").arg(z);
}

// Everything a person would check on the exercise window as it is now: the
// window, the controls around the layouts, the layout in front with its
// colours, and each digit in it.
QStringList exerciseFaults(Form1& f, const QImage& img, quint32 divisorColour, double z) {
    QStringList faults = windowFaults(img, &f, QSize(9060, 6645), z, kLight);

    QList<Place> places = {
        {f.Befehl1, 960, 120, 1335, 495},        {f.Befehl15, 2400, 120, 1335, 495},
        {f.Befehl21, 3840, 120, 1335, 495},      {f.Befehl20, 5280, 120, 1335, 495},
        {f.Befehl14, 6720, 120, 1335, 495},      {f.Figur6, 960, 720, 7095, 4695},
        {f.Bezeichnung26, 960, 6120, 7095, 375}, {f.Bezeichnung14, 960, 6120, 7095, 375},
        {f.Figur2, 120, 120, 735, 6375},         {f.Bezeichnung24, 240, 2115, 495, 255},
        {f.Bezeichnung25, 240, 3600, 495, 255},  {f.Bild4, 240, 2400, 495, 495},
        {f.Bezeichnung22, 300, 2520, 375, 255},  {f.Bild5, 240, 3120, 495, 495},
        {f.Bezeichnung23, 300, 3240, 375, 255},  {f.Figur1, 8160, 120, 735, 6375},
        {f.Bild2, 8280, 240, 495, 495},
    };
    for (int d = 0; d < 10; ++d)
        places.append({f.DigitKey[d], 960 + 720 * d, 5520, 615, 495});

    QList<Spot> spots = {
        {"window between the digit keys", 1620, 5760, kLight},
        {"window between work area and ladder", 8100, 3000, kLight},
        {"window below the command row", 4000, 660, kLight},
        {"counter column", 180, 1000, kBlack},
        {"point counter box", 270, 2430, kGreen},
        {"error counter box", 270, 3150, kGreen},
        {"ladder", 8220, 3000, kBlack},
        {"prompt band", 1000, 6300, kBlack},
    };

    const bool sheetShown = tw::left(f.Liste5) == 960;
    const bool remainder = tw::top(f.Bild6) == 720;
    const Cell* begin = remainder ? std::begin(kRemainderCells) : std::begin(kNormalCells);
    const Cell* end = remainder ? std::end(kRemainderCells) : std::end(kNormalCells);
    const int dx = remainder ? kBild6Left : 0, dy = remainder ? kBild6Top : 0;
    for (const Cell* c = begin; c != end; ++c)
        places.append({f.cellNamed(QLatin1String(c->name)), c->left + dx, c->top + dy, 495, 495});

    if (!sheetShown) {
        if (remainder) {
            spots << Spot{"remainder layout", 6000, 3000, kDark}
                  << Spot{"colon, upper dot", 960 + 2715, 720 + 275, kBlack}
                  << Spot{"colon, lower dot", 960 + 2715, 720 + 475, kBlack}
                  << Spot{"equals sign, upper line", 960 + 3780, 720 + 300, kBlack}
                  << Spot{"equals sign, lower line", 960 + 3780, 720 + 450, kBlack}
                  << Spot{"first subtraction line", 960 + 660, 720 + 1320, kBlack}
                  << Spot{"second subtraction line", 960 + 1260, 720 + 2640, kBlack}
                  << Spot{"third subtraction line", 960 + 1860, 720 + 3960, kBlack};
        } else {
            spots << Spot{"normal layout's surface", 6000, 3000, kLight}
                  << Spot{"work-area frame", 960, 3000, kBlack}
                  << Spot{"left of the first subtraction line", 1320, 2040, kLight}
                  << Spot{"colon, upper dot", 4155, 1005, kBlack}
                  << Spot{"colon, lower dot", 4147, 1200, kBlack}
                  << Spot{"equals sign, upper line", 5340, 1035, kBlack}
                  << Spot{"equals sign, lower line", 5340, 1200, kBlack}
                  << Spot{"first subtraction line", 2100, 2040, kBlack}
                  << Spot{"second subtraction line", 2700, 3360, kBlack}
                  << Spot{"third subtraction line", 3300, 4680, kBlack};
        }
        for (const Cell* c = begin; c != end; ++c) {
            spots << Spot{QString::fromLatin1(c->name) + QStringLiteral(" background"),
                          c->left + dx + 30, c->top + dy + 30, c->back};
            const shell::VbLabel* label = f.cellNamed(QLatin1String(c->name));
            if (label->caption().isEmpty()) {
                if (!inkBox(img, QRect(label->mapTo(&f, QPoint(0, 0)), label->size()), c->back)
                         .isNull())
                    faults << QStringLiteral("%1 is empty but shows something").arg(c->name);
                continue;
            }
            faults << textFaults(img, label, c->back,
                                 c->fore == kStepColour ? divisorColour : c->fore, 1.5, true);
        }
    }

    faults << misplaced(places) << wrongColours(img, &f, spots) << cutOffTexts(&f);
    return faults;
}

// Drops each digit onto its cell with the mouse, right digits unless told.
void dropRight(Form1& f, std::initializer_list<int> cellNumbers) {
    for (int n : cellNumbers) {
        const trainer::CellRule* r = trainer::ruleForNumber(n);
        dragDigit(f, f.expectedDigit(*r).toInt(), f.cell(*r));
    }
}

// The memory prompt is shown by the ladder; the points prompt by points.
void solveWithPromptsDue(Session& s, bool points, bool ladder) {
    Form1& f = s.form();
    if (points) f.Bezeichnung16->setCaption(QStringLiteral("49"));
    if (ladder) tw::setTop(f.Bild1, 600);
    dropRight(f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    s.rt.answer(shell::AnswerOk);
    forceTask(s.rt, 9, 9, 9, 9);
    dropRight(f, {14});
}

} // namespace

class WindowPictures : public QObject {
    Q_OBJECT
  private slots:

    void startWindow() {
        ScriptedRuntime rt;
        trainer::Program program;
        program.start();
        shell::Form0& w = program.form0();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        settle();
        const QImage img = grabWindow(&w, QStringLiteral("start_window"));

        QCOMPARE(img.size(), pxRect(&w, 0, 0, 6285, 7350).size());
        CHECK_NONE(misplaced({
            {w.Bild3, 1080, 840, 495, 495},
            {w.Bezeichnung1, 960, 1320, 735, 255},
            {w.Bild1, 2880, 840, 495, 495},
            {w.Bezeichnung3, 2520, 1320, 1215, 255},
            {w.Bild4, 4680, 840, 495, 495},
            {w.Bezeichnung2, 4560, 1320, 735, 255},
            {w.Text1, 840, 1800, 4575, 2055},
            {w.Bild5, 720, 4800, 495, 495},
        }));
        // Icons: dark red frame, green tile, white sign (the cross and the
        // division sign have white at their centre lines, the i at its stem).
        const auto tileSpots = [](const char* what, int left, int signY) {
            const QString w = QString::fromLatin1(what);
            return QList<Spot>{{w + QStringLiteral(" frame"), left + 15, 840 + 15, 0x000040},
                               {w + QStringLiteral(" tile"), left + 75, 840 + 247, kGreen},
                               {w + QStringLiteral(" sign"), left + 247, 840 + signY, kWhite}};
        };
        QList<Spot> spots = {
            {"window", 60, 60, 0xE0FFFF},
            {"window beside the lines", 3100, 6500, 0xE0FFFF},
            {"outer frame", 300, 400, 0x000040},
            {"inner frame", 600, 700, kBlack},
            {"frame round the text", 720, 2500, kWhite},
            {"grey box", 4927, 4327, 0xC0C0C0},
            {"lower box", 3000, 5650, 0x000040},
            {"logo background", 735, 4815, kLight},
            {"left line", 1560, 5640, 0x000040},
            {"right line", 4680, 5640, 0x000040},
            {"text box", 870, 2800, kBlack},
        };
        spots << tileSpots("quit icon", 1080, 247) << tileSpots("exercise icon", 2880, 155)
              << tileSpots("info icon", 4680, 300);
        CHECK_NONE(wrongColours(img, &w, spots));
        QStringList faults;
        for (const shell::VbLabel* l : {w.Bezeichnung1, w.Bezeichnung3, w.Bezeichnung2})
            faults << textFaults(img, l, kBlack, kWhite, 1.5, false);
        CHECK_NONE(faults);
        CHECK_NONE(cutOffTexts(&w));
    }

    void infoWindow() {
        ScriptedRuntime rt;
        trainer::Program program;
        program.start();
        click(program.form0().Bild4);
        QVERIFY(program.loadedInfoWindow());
        shell::ZEBLABEL& w = *program.loadedInfoWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        settle();
        const QImage img = grabWindow(&w, QStringLiteral("info_window"));

        QCOMPARE(img.size(), pxRect(&w, 0, 0, 3510, 4005).size());
        CHECK_NONE(misplaced({
            {w.Figur1, 120, 120, 3255, 3375},
            {w.Bezeichnung5, 120, 240, 3255, 495},
            {w.Bezeichnung6, 240, 720, 3015, 975},
            {w.Bezeichnung7, 240, 1800, 3015, 495},
            {w.Kontroll1, 240, 2400, 3135, 255},
            {w.Bezeichnung1, 240, 2880, 2175, 495},
            {w.Bild1, 2400, 2880, 855, 495},
            {w.Bezeichnung8, 120, 3600, 3255, 255},
        }));
        CHECK_NONE(wrongColours(img, &w,
                                {
                                    {"window", 60, 60, kLight},
                                    {"window below the panel", 1700, 3540, kLight},
                                    {"panel", 180, 1750, kDark},
                                    {"panel border", 120, 1500, 0x808080},
                                    {"release line", 270, 1830, kLight},
                                    {"web address", 150, 3630, kLight},
                                    {"print-mode switch", 3330, 2520, kDark},
                                    {"O k a y", 270, 2910, kDark},
                                    {"closing picture", 2415, 2895, kDark},
                                }));
        // Captions in their colours; the title and the release line centred.
        QStringList faults;
        faults << textFaults(img, w.Bezeichnung5, kDark, kWhite, 1.5, false)
               << textFaults(img, w.Bezeichnung7, kLight, kBlack, 1.5, false)
               << textFaults(img, w.Bezeichnung1, kDark, kLight, 1.5, false)
               << textFaults(img, w.Bezeichnung8, kLight, kNavy, 1.5, false);
        const QRect notice(w.Bezeichnung6->pos(), w.Bezeichnung6->size());
        if (inkColour(img, notice, kDark) != kWhite)
            faults
                << QStringLiteral("notice not white: %1").arg(hex(inkColour(img, notice, kDark)));
        const QRect switchText =
            QRect(w.Kontroll1->pos(), w.Kontroll1->size()).adjusted(30, 0, 0, 0);
        if (inkColour(img, switchText, kDark) != kWhite)
            faults << QStringLiteral("switch caption not white: %1")
                          .arg(hex(inkColour(img, switchText, kDark)));
        CHECK_NONE(faults);
        CHECK_NONE(cutOffTexts(&w));

        // Closed as the user does, it is unloaded.
        w.close();
        settle();
        QVERIFY(!program.loadedInfoWindow());
    }

    void exerciseWindow_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<double>("zoom");
        for (double z : {1.0, 2.0})
            for (const char* s : {"empty", "half_solved", "wrong_digit", "remainder_mode",
                                  "worksheet_panel", "both_prompts"})
                QTest::addRow("%s %d %%", s, int(z * 100)) << QString::fromLatin1(s) << z;
    }
    void exerciseWindow() {
        QFETCH(QString, state);
        QFETCH(double, zoom);
        Session s; // 2035 : 5 = 407
        Form1& f = s.form();
        settle();
        growTo(f, zoom);
        QImage img;
        QStringList faults;
        quint32 divisor = kRed;
        const QString file = pictureName(QStringLiteral("exercise_") + state, zoom);

        if (state == QLatin1String("empty")) {
        } else if (state == QLatin1String("half_solved")) {
            dropRight(f, {1, 2, 3, 4, 5, 6, 7});
            divisor = kBlue; // the last drop was of the second step
        } else if (state == QLatin1String("wrong_digit")) {
            dropRight(f, {1});
            // The wrong digit stands in its cell while the box says so.
            s.rt.answer(shell::AnswerOk);
            s.rt.onBox = [&](const ScriptedRuntime::Box&) {
                img = grabWindow(&f, file);
                faults = exerciseFaults(f, img, divisor, zoom);
                if (f.Bezeichnung20->caption() != QLatin1String("9"))
                    faults << QStringLiteral("the wrong digit is not in its cell");
            };
            dragDigit(f, 9, f.Bezeichnung20);
            s.rt.onBox = nullptr;
            QCOMPARE(s.rt.boxes.size(), 1);
            QVERIFY(!img.isNull());
        } else if (state == QLatin1String("remainder_mode")) {
            forceTask(s.rt, 4, 0, 7, 5, 3); // 2038 : 5 = 407 R 3
            click(f.Befehl20);
            dropRight(f, {15, 16, 18, 19, 20});
        } else if (state == QLatin1String("worksheet_panel")) {
            click(f.Befehl14);
        } else if (state == QLatin1String("both_prompts")) {
            solveWithPromptsDue(s, true, true);
            QVERIFY(f.Bezeichnung26->isVisible());
            QVERIFY(f.Bezeichnung14->isVisible());
        }
        settle();
        if (img.isNull()) {
            img = grabWindow(&f, file);
            faults = exerciseFaults(f, img, divisor, zoom);
        }
        CHECK_NONE(faults);

        if (state == QLatin1String("worksheet_panel")) {
            // The panel over the command row, the sheet over both layouts, every
            // line of the sheet readable in full, yellow on the darker blue.
            CHECK_NONE(misplaced({
                {f.Bild3, 960, 0, 7095, 615},
                {f.Befehl16, 960, 120, 1335, 495},
                {f.Befehl17, 960 + 1440, 120, 1935, 495},
                {f.Befehl18, 960 + 3480, 120, 2055, 495},
                {f.Befehl19, 960 + 5640, 120, 1455, 495},
                {f.Liste5, 960, 720, 7095, 4755},
            }));
            CHECK_NONE(wrongColours(img, &f,
                                    {
                                        {"panel between its buttons", 960 + 1380, 400, kLight},
                                        {"sheet", 1100, 5300, kDark},
                                    }));
            const QRect sheet = f.Liste5->viewport()->geometry().translated(f.Liste5->pos());
            if (inkColour(img, sheet, kDark) != kYellow)
                faults << QStringLiteral("sheet text is %1").arg(hex(inkColour(img, sheet, kDark)));
            const QFontMetrics fm(f.Liste5->font());
            const int room = f.Liste5->viewport()->width();
            for (int i = 0; i < f.Liste5->count(); ++i) {
                const QString line = f.Liste5->item(i)->text();
                if (fm.horizontalAdvance(line) > room)
                    faults << QStringLiteral("sheet line %1 \"%2\" is %3 px wide, the list %4 px")
                                  .arg(i)
                                  .arg(line)
                                  .arg(fm.horizontalAdvance(line))
                                  .arg(room);
            }
            if (f.Liste5->horizontalScrollBar()->maximum() > 0)
                faults << QStringLiteral("the sheet scrolls sideways");
            CHECK_NONE(faults);
        }
        if (state == QLatin1String("both_prompts")) {
            // The number-catch prompt lies on top: green on black.
            CHECK_NONE(textFaults(img, f.Bezeichnung26, kBlack, 0x00C000, 1.5, false));
        }
    }

    // The practice report after two wrong digits in one cell, opened from the
    // exercise window at its zoom.
    void practiceReport_data() { zoomData(); }
    void practiceReport() {
        QFETCH(double, zoom);
        Session s; // 2035 : 5 = 407
        Form1& f = s.form();
        growTo(f, zoom);
        for (int digit : {9, 8}) {
            s.rt.answer(shell::AnswerOk);
            dragDigit(f, digit, f.Bezeichnung7);
        }
        f.ShowPracticeReport();
        trainer::PracticeReportWindow* r = f.practiceReportWindow();
        QVERIFY(QTest::qWaitForWindowExposed(r));
        settle();
        const QImage img = grabWindow(r, pictureName(QStringLiteral("practice_report"), zoom));

        // The wrong place is red and underlined (a red run as wide as a
        // digit), the bar of its step filled.
        constexpr quint32 kMark = 0x0000C8, kBar = 0xAA643C;
        int marked = 0, bar = 0, longestRun = 0;
        for (int y = 0; y < img.height(); ++y) {
            int run = 0;
            for (int x = 0; x < img.width(); ++x) {
                const quint32 c = bgrAt(img, QPoint(x, y));
                marked += c == kMark;
                bar += c == kBar;
                run = c == kMark ? run + 1 : 0;
                longestRun = std::max(longestRun, run);
            }
        }
        QVERIFY2(longestRun >= 7 * zoom, qPrintable(QString::number(longestRun)));
        QVERIFY2(marked > 3 * longestRun, "the wrong digit is not red");
        QVERIFY(bar > 100 * zoom * zoom);
        CHECK_NONE(cutOffTexts(r));
        QCOMPARE(r->Bild1->drawing().report().bars.value(1).count, quint64(2));
    }

    void numberCatchRunning_data() { zoomData(); }
    void numberCatchRunning() {
        QFETCH(double, zoom);
        Session s;
        Form1& f = s.form();
        growTo(f, zoom);
        f.Bezeichnung16->setCaption(QStringLiteral("49"));
        dropRight(f, {1});
        QVERIFY(f.Bezeichnung26->isVisible());
        click(f.Bezeichnung26);
        games::Form4& g = s.program.form4();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.Zeit1->isActive());
        // The game opens at the zoom of the exercise; wider still, for margins.
        QCOMPARE(g.zoom(), zoom);
        growTo(g, zoom);
        // The fastest pace, then a step to the right and one real jump.
        g.HBildlauf1->setValue(1);
        QTest::keyClick(keyTarget(&g), Qt::Key_Right);
        const games::Modul1& m = g.MODUL1;
        QCOMPARE(m.CrossX, 15);
        const qint16 firstX = m.DigitX[1], firstY = m.DigitY[1];
        QVERIFY(
            QTest::qWaitFor([&] { return m.DigitX[1] != firstX || m.DigitY[1] != firstY; }, 3000));
        settle();
        const QImage img =
            grabWindow(&g, pictureName(QStringLiteral("number_catch_running"), zoom));

        CHECK_NONE(windowFaults(img, &g, QSize(7245, 5085), zoom, kLight));
        CHECK_NONE(misplaced({
            {g.Befehl1, 120, 120, 735, 495},
            {g.Bild1, 1200, 120, 495, 495},
            {g.Bild2, 1680, 120, 495, 495},
            {g.Bild3, 2160, 120, 495, 495},
            {g.Bild4, 2640, 120, 495, 495},
            {g.Bezeichnung3, 3480, 120, 375, 495},
            {g.Figur1, 4200, 120, 2895, 495},
            {g.Bezeichnung1, 4320, 240, 735, 255},
            {g.HBildlauf1, 5040, 240, 1095, 255},
            {g.Bezeichnung2, 6240, 240, 735, 255},
            {g.Figur2, 120, 720, 6975, 4215},
        }));
        CHECK_NONE(wrongColours(img, &g,
                                {
                                    {"window", 60, 60, kLight},
                                    {"field border", 120, 2000, kBlack},
                                    {"next-digit box", 3510, 150, kLight},
                                    {"speed box", 4230, 540, kLight},
                                    {"\"schnell\"", 4335, 255, kLight},
                                    {"\"langsam\"", 6960, 480, kLight},
                                }));
        CHECK_NONE(textFaults(img, g.Bezeichnung3, kLight, kRed, 99, false));
        CHECK_NONE(cutOffTexts(&g));

        // The field: every digit still to catch at its grid cell, the cross at
        // its own, drawn in dark blue and nothing else anywhere (no trace of
        // erased digits).
        QStringList faults;
        const QFontMetrics fm(g.font());
        const auto cellRect = [&](int x, int y, const QString& text) {
            return QRect(px(&g, 280 * x, 280 * y), QSize(fm.horizontalAdvance(text), fm.height()));
        };
        // The glyph as the game's font draws it, for comparison with the field.
        const auto glyph = [&](const QString& text) {
            QImage gi(cellRect(0, 0, text).size(), QImage::Format_RGB32);
            gi.fill(shell::bgr(kLight));
            QPainter p(&gi);
            p.setFont(g.font());
            p.setPen(shell::bgr(kNavy));
            p.drawText(0, fm.ascent(), text);
            return gi;
        };
        QRegion drawn;
        const QRect cross = cellRect(m.CrossX, m.CrossY, QStringLiteral("+"));
        drawn += cross;
        for (int i = 1; i <= m.DigitsLeft.size(); ++i) {
            const QString d = m.DigitsLeft.mid(i - 1, 1);
            const QRect r = cellRect(m.DigitX[i], m.DigitY[i], d);
            drawn += r;
            if (r.intersects(cross)) continue;
            if (img.copy(r) != glyph(d))
                faults << QStringLiteral("digit %1 is not drawn as such at cell (%2, %3)")
                              .arg(d)
                              .arg(m.DigitX[i])
                              .arg(m.DigitY[i]);
        }
        if (!(m.DigitX[1] == m.CrossX && m.DigitY[1] == m.CrossY) &&
            img.copy(cross) != glyph(QStringLiteral("+")))
            faults
                << QStringLiteral("the cross is not drawn at (%1, %2)").arg(m.CrossX).arg(m.CrossY);
        const QRect field = pxRect(&g, 120, 720, 6975, 4215).adjusted(2, 2, -2, -2);
        int stray = 0;
        for (int y = field.top(); y <= field.bottom(); ++y)
            for (int x = field.left(); x <= field.right(); ++x) {
                const quint32 c = bgrAt(img, {x, y});
                if (c != kLight && !drawn.contains(QPoint(x, y))) ++stray;
                if (c != kLight && c != kNavy) ++stray;
            }
        if (stray) faults << QStringLiteral("%1 stray pixels on the field").arg(stray);
        CHECK_NONE(faults);

        s.rt.answer(shell::AnswerYes);
        QTest::keyClick(keyTarget(&g), Qt::Key_Escape);
        QVERIFY(!g.isVisible());
        QVERIFY(!g.Zeit1->isActive());
    }

    void memoryOpenAndFound_data() { zoomData(); }
    void memoryOpenAndFound() {
        QFETCH(double, zoom);
        Session s;
        Form1& f = s.form();
        growTo(f, zoom);
        solveWithPromptsDue(s, false, true);
        QVERIFY(f.Bezeichnung14->isVisible());
        click(f.Bezeichnung14);
        games::memo& m = s.program.memoWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QCOMPARE(m.zoom(), zoom);
        growTo(m, zoom);
        settle();
        const QImage closed = grabWindow(&m, pictureName(QStringLiteral("memory_face_down"), zoom));

        CHECK_NONE(windowFaults(closed, &m, QSize(6525, 5805), zoom, kLight));
        QList<Place> places = {
            {m.Befehl1, 120, 120, 735, 495},
            {m.Befehl2, 120, 720, 735, 495},
            {m.Figur3, 960, 120, 5415, 5535},
        };
        for (int k = 1; k <= 18; ++k)
            places.append({m.card(k), k <= 9 ? 1080 : 3720, 240 + 600 * ((k - 1) % 9), 2535, 495});
        CHECK_NONE(misplaced(places));

        // A found pair, then two cards that do not match, left open.
        QTest::mouseClick(m.card(1), Qt::LeftButton);
        int partner = 0, other = 0, stranger = 0;
        for (int k = 2; k <= 18; ++k)
            if (m.CardValues.at(k - 1) == m.CardValues.at(0)) partner = k;
        QTest::mouseClick(m.card(partner), Qt::LeftButton);
        for (int k = 2; k <= 18 && !other; ++k)
            if (k != partner) other = k;
        for (int k = 2; k <= 18 && !stranger; ++k)
            if (k != partner && k != other && m.CardValues.at(k - 1) != m.CardValues.at(other - 1))
                stranger = k;
        QTest::mouseClick(m.card(other), Qt::LeftButton);
        QTest::mouseClick(m.card(stranger), Qt::LeftButton);
        settle();
        const QImage img =
            grabWindow(&m, pictureName(QStringLiteral("memory_open_and_found"), zoom));

        QList<Spot> spots = {
            {"window", 60, 60, kLight},
            {"window below the buttons", 500, 3000, kLight},
            {"frame round the cards", 960, 3000, kDark},
        };
        QStringList faults;
        for (int k = 1; k <= 18; ++k) {
            const bool found = k == 1 || k == partner;
            const bool open = found || k == other || k == stranger;
            const quint32 back = found ? 0xFF0000 : kDark; // QBColor 9 for a found pair
            const Place& p = places.at(3 + k - 1);
            spots << Spot{QStringLiteral("card %1").arg(k), p.left + 45, p.top + 45, back};
            if (open) {
                faults << textFaults(img, m.card(k), back, kWhite, 1.5, false);
            } else if (!inkBox(img,
                               QRect(m.card(k)->pos(), m.card(k)->size()).adjusted(2, 2, -2, -2),
                               back)
                            .isNull()) {
                faults << QStringLiteral("card %1 is face down but shows something").arg(k);
            }
        }
        faults << windowFaults(img, &m, QSize(6525, 5805), zoom, kLight)
               << wrongColours(img, &m, spots) << cutOffTexts(&m);
        CHECK_NONE(faults);
    }
};

int main(int argc, char** argv) {
    return runOnBoardScreen<WindowPictures>(argc, argv);
}
#include "window_pictures.moc"
