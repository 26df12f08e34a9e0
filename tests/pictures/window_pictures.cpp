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
#include "memory_window.h"
#include "number_catch_window.h"
#include "picture_checks.h"
#include "practice_report_window.h"
#include "step_cue.h"

using namespace drive;
using namespace pictures;

namespace {

constexpr quint32 kBlack = 0x000000, kWhite = 0xFFFFFF;
constexpr quint32 kLight = 0xC0C0FF, kDark = 0x8080FF;
constexpr quint32 kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x008000, kYellow = 0xFFFF00;
constexpr quint32 kNavy = 0x000080;
// The divisor takes the colour of the step being worked on.
constexpr quint32 kStepColour = 0xFFFFFFFF;

// A cell of a layout: where it lies (twips, relative to its container) and
// its colours. role is the answer cell's place in the division, or a given cell.
enum Given { Dividend1 = 100, Dividend2, Dividend3, Dividend4, Divisor, RemainderLetter };
struct Cell {
    const char* name;
    int role;
    int left, top;
    quint32 back, fore;
};
using R = core::CellRole;

// The normal layout, on the window surface. The divisor's colour follows the
// step being worked on and is checked separately.
const Cell kNormalCells[] = {
    {"dividend 1", Dividend1, 1560, 840, kLight, kBlack},
    {"dividend 2", Dividend2, 2160, 840, kLight, kBlack},
    {"dividend 3", Dividend3, 2760, 840, kLight, kBlack},
    {"dividend 4", Dividend4, 3360, 840, kLight, kBlack},
    {"divisor", Divisor, 4440, 840, kLight, kStepColour},
    {"quotient 1", int(R::Quotient1), 5760, 840, kDark, kRed},
    {"quotient 2", int(R::Quotient2), 6360, 840, kDark, kBlue},
    {"quotient 3", int(R::Quotient3), 6960, 840, kDark, kGreen},
    {"product 1 tens", int(R::Product1Tens), 1560, 1440, kDark, kRed},
    {"product 1 units", int(R::Product1Units), 2160, 1440, kDark, kRed},
    {"difference 1", int(R::Difference1), 2160, 2160, kDark, kBlue},
    {"brought down 1", int(R::BroughtDown1), 2760, 2160, kDark, kBlue},
    {"product 2 tens", int(R::Product2Tens), 2160, 2760, kDark, kBlue},
    {"product 2 units", int(R::Product2Units), 2760, 2760, kDark, kBlue},
    {"difference 2", int(R::Difference2), 2760, 3480, kDark, kGreen},
    {"brought down 2", int(R::BroughtDown2), 3360, 3480, kDark, kGreen},
    {"product 3 tens", int(R::Product3Tens), 2760, 4080, kDark, kGreen},
    {"product 3 units", int(R::Product3Units), 3360, 4080, kDark, kGreen},
    {"final difference", int(R::FinalDifference), 3360, 4800, kDark, kYellow},
};

// The remainder layout, in its box: the colours are the other way round.
const Cell kRemainderCells[] = {
    {"dividend 1", Dividend1, 120, 120, kDark, kBlack},
    {"dividend 2", Dividend2, 720, 120, kDark, kBlack},
    {"dividend 3", Dividend3, 1320, 120, kDark, kBlack},
    {"dividend 4", Dividend4, 1920, 120, kDark, kBlack},
    {"divisor", Divisor, 3000, 120, kDark, kStepColour},
    {"quotient 1", int(R::Quotient1), 4080, 120, kLight, kRed},
    {"quotient 2", int(R::Quotient2), 4680, 120, kLight, kBlue},
    {"quotient 3", int(R::Quotient3), 5280, 120, kLight, kGreen},
    {"R", RemainderLetter, 5880, 120, kDark, kBlack},
    {"remainder", int(R::Remainder), 6480, 120, kLight, kYellow},
    {"product 1 tens", int(R::Product1Tens), 120, 720, kLight, kRed},
    {"product 1 units", int(R::Product1Units), 720, 720, kLight, kRed},
    {"difference 1", int(R::Difference1), 720, 1440, kLight, kBlue},
    {"brought down 1", int(R::BroughtDown1), 1320, 1440, kLight, kBlue},
    {"product 2 tens", int(R::Product2Tens), 720, 2040, kLight, kBlue},
    {"product 2 units", int(R::Product2Units), 1320, 2040, kLight, kBlue},
    {"difference 2", int(R::Difference2), 1320, 2760, kLight, kGreen},
    {"brought down 2", int(R::BroughtDown2), 1920, 2760, kLight, kGreen},
    {"product 3 tens", int(R::Product3Tens), 1320, 3360, kLight, kGreen},
    {"product 3 units", int(R::Product3Units), 1920, 3360, kLight, kGreen},
    {"final difference", int(R::FinalDifference), 1920, 4080, kLight, kYellow},
};

// The box of the remainder layout stands over the work-area frame when it is in front.
constexpr int kRemainderBoxLeft = 960, kRemainderBoxTop = 720;

QLabel* cellWidget(ExerciseWindow& f, core::Mode mode, const Cell& c) {
    DivisionLayout& layout = f.layout(mode);
    if (c.role >= Dividend1 && c.role <= Dividend4) return layout.dividendCells()[c.role - Dividend1];
    if (c.role == Divisor) return layout.divisorCell();
    if (c.role == RemainderLetter) return f.remainderBox->findChild<QLabel*>("remainderRemainderLetter");
    return cellOf(f, mode, core::CellRole(c.role));
}

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

void growTo(widgets::ProgramWindow& w, double z) {
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
QStringList exerciseFaults(ExerciseWindow& f, const QImage& img, quint32 divisorColour, double z) {
    QStringList faults = windowFaults(img, &f, QSize(9060, 6645), z, kLight);

    QList<Place> places = {
        {f.endButton, 960, 120, 1335, 495},        {f.helpButton, 2400, 120, 1335, 495},
        {f.normalButton, 3840, 120, 1335, 495},      {f.remainderButton, 5280, 120, 1335, 495},
        {f.sheetButton, 6720, 120, 1335, 495},      {f.workFrame, 960, 720, 7095, 4695},
        {f.numberCatchPrompt, 960, 6120, 7095, 375}, {f.memoryPrompt, 960, 6120, 7095, 375},
        {f.counters().column, 120, 120, 735, 6375},         {f.counters().rightLetter, 240, 2115, 495, 255},
        {f.counters().wrongLetter, 240, 3600, 495, 255},  {f.counters().pointsBox, 240, 2400, 495, 495},
        {f.counters().pointsCounter, 300, 2520, 375, 255},  {f.counters().errorsBox, 240, 3120, 495, 495},
        {f.counters().errorsCounter, 300, 3240, 375, 255},  {f.ladderColumn, 8160, 120, 735, 6375},
        {f.ladderGoal, 8280, 240, 495, 495},
    };
    for (int d = 0; d < 10; ++d)
        places.append({f.digitKeys[size_t(d)], 960 + 720 * d, 5520, 615, 495});

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

    const bool sheetShown = f.exercise().sheet().has_value();
    const bool remainder = f.exercise().mode() == core::Mode::Remainder;
    const core::Mode mode = f.exercise().mode();
    const Cell* begin = remainder ? std::begin(kRemainderCells) : std::begin(kNormalCells);
    const Cell* end = remainder ? std::end(kRemainderCells) : std::end(kNormalCells);
    const int dx = remainder ? kRemainderBoxLeft : 0, dy = remainder ? kRemainderBoxTop : 0;
    for (const Cell* c = begin; c != end; ++c)
        places.append({cellWidget(f, mode, *c), c->left + dx, c->top + dy, 495, 495});

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
            const QLabel* label = cellWidget(f, mode, *c);
            if (label->text().isEmpty()) {
                if (!inkBox(img, QRect(label->mapTo(&f, QPoint(0, 0)), label->size()), c->back)
                         .isNull())
                    faults << QStringLiteral("%1 is empty but shows something").arg(c->name);
                continue;
            }
            // The divisor and the answer cells have their step's mark beneath the digit.
            const bool marked = c->role <= int(R::FinalDifference) || c->role == Divisor;
            faults << textFaults(img, label, c->back,
                                 c->fore == kStepColour ? divisorColour : c->fore, 1.5, true,
                                 marked ? widgets::stepCueBand(label).height() : 0);
        }
    }

    faults << misplaced(places) << wrongColours(img, &f, spots) << cutOffTexts(&f);
    return faults;
}

// Drops each digit onto its cell with the mouse, right digits unless told.
void dropRight(ExerciseWindow& f, std::initializer_list<int> cellNumbers) {
    for (int n : cellNumbers) {
        const core::AnswerCell* c = core::answerCell(n);
        dragDigit(f, c->expected(f.exercise().written()).digitValue(), f.cell(n));
    }
}

// The mark beneath a digit as a picture shows it, told by its parts: "2
// dots", "2 lines". Ink is what stands out from the cell's back by 20 or
// more; the digit is the tallest run of rows with ink (unless it faded into
// the back), the mark what lies below it.
QString markIn(const QImage& img, const QWidget* cell) {
    const QRect r(cell->mapTo(cell->window(), QPoint(0, 0)), cell->size());
    const QRgb back = img.pixel(r.topLeft() + QPoint(2, 2));
    const auto ink = [&](int x, int y) { return colourDistance(img.pixel(x, y), back) >= 20; };
    QList<std::pair<int, int>> runs; // first and last row
    for (int y = r.top(); y <= r.bottom(); ++y) {
        bool any = false;
        for (int x = r.left(); x <= r.right() && !any; ++x)
            any = ink(x, y);
        if (any && !runs.isEmpty() && runs.last().second == y - 1)
            runs.last().second = y;
        else if (any)
            runs.append({y, y});
    }
    int below = r.top() + r.height() * 4 / 5;
    for (const auto& [first, last] : runs)
        if (last - first + 1 > r.height() / 3) below = last + 1;
    runs.removeIf([below](const std::pair<int, int>& run) { return run.first < below; });
    if (runs.isEmpty()) return QStringLiteral("none");
    // The parts of the mark: runs of columns with ink.
    int parts = 0, widest = 0;
    for (int x = r.left(), width = 0; x <= r.right() + 1; ++x) {
        bool any = false;
        for (int y = runs.first().first; x <= r.right() && y <= runs.last().second && !any; ++y)
            any = ink(x, y);
        if (any) {
            ++width;
        } else if (width) {
            ++parts;
            widest = std::max(widest, width);
            width = 0;
        }
    }
    // A line is as wide as a digit; lines stacked are one run of columns.
    if (widest > r.width() / 3) return QStringLiteral("%1 lines").arg(runs.size());
    return QStringLiteral("%1 dots").arg(parts);
}

// The memory prompt is shown by the ladder; the points prompt by points.
void solveWithPromptsDue(Session& s, bool points, bool ladder) {
    ExerciseWindow& f = s.form();
    f.exercise().setProgress({points ? 49u : 0u, 0, ladder ? 22 : 0});
    dropRight(f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    s.rt.answer(widgets::Answer::Ok);
    forceTask(s.rt, 9, 9, 9, 9);
    dropRight(f, {14});
}

} // namespace

class WindowPictures : public QObject {
    Q_OBJECT
  private slots:

    void startWindow() {
        ScriptedDesktop rt;
        app::Program program(rt);
        program.start();
        windows::StartWindow& w = program.startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        settle();
        const QImage img = grabWindow(&w, QStringLiteral("start_window"));

        QCOMPARE(img.size(), pxRect(&w, 0, 0, 6285, 7350).size());
        CHECK_NONE(misplaced({
            {w.quitPicture, 1080, 840, 495, 495},
            {w.quitCaption, 960, 1320, 735, 255},
            {w.exercisePicture, 2880, 840, 495, 495},
            {w.exerciseCaption, 2520, 1320, 1215, 255},
            {w.infoPicture, 4680, 840, 495, 495},
            {w.infoCaption, 4560, 1320, 735, 255},
            {w.description, 840, 1800, 4575, 2055},
            {w.findChild<QWidget*>("logo"), 720, 4800, 495, 495},
        }));
        // Icons: dark red frame, green tile, white sign (the cross and the
        // division sign have white at their centre lines, the i at its stem).
        const auto tileSpots = [](const char* what, int left, int signY) {
            const QString w = QString::fromLatin1(what);
            return QList<Spot>{{w + QStringLiteral(" frame"), left + 15, 840 + 15, 0x400000},
                               {w + QStringLiteral(" tile"), left + 75, 840 + 247, kGreen},
                               {w + QStringLiteral(" sign"), left + 247, 840 + signY, kWhite}};
        };
        QList<Spot> spots = {
            {"window", 60, 60, 0xFFFFE0},
            {"window beside the lines", 3100, 6500, 0xFFFFE0},
            {"outer frame", 300, 400, 0x400000},
            {"inner frame", 600, 700, kBlack},
            {"frame round the text", 720, 2500, kWhite},
            {"grey box", 4927, 4327, 0xC0C0C0},
            {"lower box", 3000, 5650, 0x400000},
            {"logo background", 735, 4815, kLight},
            {"left line", 1560, 5640, 0x400000},
            {"right line", 4680, 5640, 0x400000},
            {"text box", 870, 2800, kBlack},
        };
        spots << tileSpots("quit icon", 1080, 247) << tileSpots("exercise icon", 2880, 155)
              << tileSpots("info icon", 4680, 300);
        CHECK_NONE(wrongColours(img, &w, spots));
        QStringList faults;
        for (const QLabel* l : {w.quitCaption, w.exerciseCaption, w.infoCaption})
            faults << textFaults(img, l, kBlack, kWhite, 1.5, false);
        CHECK_NONE(faults);
        CHECK_NONE(cutOffTexts(&w));
    }

    void infoWindow() {
        ScriptedDesktop rt;
        app::Program program(rt);
        program.start();
        click(program.startWindow().infoPicture);
        QVERIFY(program.loadedInfoWindow());
        windows::InfoWindow& w = *program.loadedInfoWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        settle();
        const QImage img = grabWindow(&w, QStringLiteral("info_window"));

        QCOMPARE(img.size(), pxRect(&w, 0, 0, 3510, 4005).size());
        CHECK_NONE(misplaced({
            {w.findChild<QWidget*>("panel"), 120, 120, 3255, 3375},
            {w.titleLabel, 120, 240, 3255, 495},
            {w.termsLabel, 240, 720, 3015, 975},
            {w.versionLabel, 240, 1800, 3015, 495},
            {w.printLockBox, 240, 2400, 3135, 255},
            {w.okayLabel, 240, 2880, 2175, 495},
            {w.closePicture, 2400, 2880, 855, 495},
            {w.websiteLabel, 120, 3600, 3255, 255},
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
        faults << textFaults(img, w.titleLabel, kDark, kWhite, 1.5, false)
               << textFaults(img, w.versionLabel, kLight, kBlack, 1.5, false)
               << textFaults(img, w.okayLabel, kDark, kLight, 1.5, false)
               << textFaults(img, w.websiteLabel, kLight, kNavy, 1.5, false);
        const QRect notice(w.termsLabel->pos(), w.termsLabel->size());
        if (inkColour(img, notice, kDark) != kWhite)
            faults
                << QStringLiteral("notice not white: %1").arg(hex(inkColour(img, notice, kDark)));
        const QRect switchText =
            QRect(w.printLockBox->pos(), w.printLockBox->size()).adjusted(30, 0, 0, 0);
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
        ExerciseWindow& f = s.form();
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
            s.rt.answer(widgets::Answer::Ok);
            s.rt.onBox = [&](const ScriptedDesktop::Box&) {
                img = grabWindow(&f, file);
                faults = exerciseFaults(f, img, divisor, zoom);
                if (normalCell(f, core::CellRole::Quotient2)->text() != QLatin1String("9"))
                    faults << QStringLiteral("the wrong digit is not in its cell");
            };
            dragDigit(f, 9, normalCell(f, core::CellRole::Quotient2));
            s.rt.onBox = nullptr;
            QCOMPARE(s.rt.boxes.size(), 1);
            QVERIFY(!img.isNull());
        } else if (state == QLatin1String("remainder_mode")) {
            forceTask(s.rt, 4, 0, 7, 5, 3); // 2038 : 5 = 407 R 3
            click(f.remainderButton);
            dropRight(f, {15, 16, 18, 19, 20});
        } else if (state == QLatin1String("worksheet_panel")) {
            click(f.sheetButton);
        } else if (state == QLatin1String("both_prompts")) {
            solveWithPromptsDue(s, true, true);
            QVERIFY(f.numberCatchPrompt->isVisible());
            QVERIFY(f.memoryPrompt->isVisible());
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
                {f.sheetPanel().panel, 960, 0, 7095, 615},
                {f.sheetPanel().closeButton, 960, 120, 1335, 495},
                {f.sheetPanel().printTasksButton, 960 + 1440, 120, 1935, 495},
                {f.sheetPanel().printSolutionsButton, 960 + 3480, 120, 2055, 495},
                {f.sheetPanel().copyButton, 960 + 5640, 120, 1455, 495},
                {f.sheetPanel().sheetList, 960, 720, 7095, 4755},
            }));
            CHECK_NONE(wrongColours(img, &f,
                                    {
                                        {"panel between its buttons", 960 + 1380, 400, kLight},
                                        {"sheet", 1100, 5300, kDark},
                                    }));
            const QRect sheet = f.sheetPanel().sheetList->viewport()->geometry().translated(f.sheetPanel().sheetList->pos());
            if (inkColour(img, sheet, kDark) != kYellow)
                faults << QStringLiteral("sheet text is %1").arg(hex(inkColour(img, sheet, kDark)));
            const QFontMetrics fm(f.sheetPanel().sheetList->font());
            const int room = f.sheetPanel().sheetList->viewport()->width();
            for (int i = 0; i < f.sheetPanel().sheetList->count(); ++i) {
                const QString line = f.sheetPanel().sheetList->item(i)->text();
                if (fm.horizontalAdvance(line) > room)
                    faults << QStringLiteral("sheet line %1 \"%2\" is %3 px wide, the list %4 px")
                                  .arg(i)
                                  .arg(line)
                                  .arg(fm.horizontalAdvance(line))
                                  .arg(room);
            }
            if (f.sheetPanel().sheetList->horizontalScrollBar()->maximum() > 0)
                faults << QStringLiteral("the sheet scrolls sideways");
            CHECK_NONE(faults);
        }
        if (state == QLatin1String("both_prompts")) {
            // The number-catch prompt lies on top: green on black.
            CHECK_NONE(textFaults(img, f.numberCatchPrompt, kBlack, 0x00C000, 1.5, false));
        }
    }

    // Each step of the written division has its mark beneath the digits and
    // beneath the divisor, which a child tells apart in grey and without red
    // and green: the divisor's mark is that of the step worked on, the digits
    // of one step share one mark and no two steps share one.
    void stepsToldApartWithoutColour_data() { zoomData(); }
    void stepsToldApartWithoutColour() {
        QFETCH(double, zoom);
        Session s;
        ExerciseWindow& f = s.form();
        growTo(f, zoom);
        forceTask(s.rt, 4, 0, 7, 5, 3); // 2038 : 5 = 407 R 3
        click(f.remainderButton);
        const QList<QList<int>> steps = {
            {15, 19, 20}, {21, 22, 16, 23, 24}, {25, 26, 17, 27, 28}, {18, 29}};
        const QList<std::pair<Vision, QString>> visions = {
            {Vision::Protanopia, QStringLiteral("protanopia")},
            {Vision::Deuteranopia, QStringLiteral("deuteranopia")},
            {Vision::Greyscale, QStringLiteral("grey")}};
        QStringList faults;
        QList<int> filled;
        for (int step = 0; step < steps.size(); ++step) {
            const QString file =
                pictureName(QStringLiteral("exercise_step_%1").arg(step + 1), zoom);
            QImage img;
            // The last digit solves the task: the picture is taken while the
            // child is told so.
            s.rt.answer(widgets::Answer::Ok);
            s.rt.onBox = [&](const ScriptedDesktop::Box&) { img = grabWindow(&f, file); };
            for (int n : steps[step])
                dropRight(f, {n});
            s.rt.onBox = nullptr;
            filled << steps[step];
            if (img.isNull()) img = grabWindow(&f, file);
            const QWidget* divisor = f.layout(core::Mode::Remainder).divisorCell();
            for (const auto& [vision, seen] : visions) {
                const QImage sim = seenWith(img, vision);
                if (step == steps.size() - 1)
                    sim.save(QStringLiteral(DIVISION_PICTURE_DIR "/%1-%2.png").arg(file, seen));
                QMap<int, QString> markOf; // by the step a digit belongs to
                for (int n : filled) {
                    const QString mark = markIn(sim, f.cell(n));
                    const int of = int(core::answerCell(n)->colour());
                    if (mark == QLatin1String("none"))
                        faults
                            << QStringLiteral("%1, %2: cell %3 has no mark").arg(file, seen).arg(n);
                    else if (markOf.contains(of) && markOf[of] != mark)
                        faults << QStringLiteral("%1, %2: cell %3 shows %4, its step %5")
                                      .arg(file, seen)
                                      .arg(n)
                                      .arg(mark, markOf[of]);
                    markOf.insert(of, mark);
                }
                const QStringList marks = markOf.values();
                if (QSet<QString>(marks.begin(), marks.end()).size() != marks.size())
                    faults << QStringLiteral("%1, %2: steps share a mark: %3")
                                  .arg(file, seen, marks.join(QLatin1String(", ")));
                const QString shown = markIn(sim, divisor);
                // The steps in order: the first, second and third, then the last.
                const QString worked = markOf.value(step);
                if (shown != worked)
                    faults << QStringLiteral("%1, %2: the divisor shows %3, the step worked on %4")
                                  .arg(file, seen, shown, worked);
            }
        }
        CHECK_NONE(faults);
        QCOMPARE(s.rt.boxes.size(), 1); // solved, and nothing wrong on the way
    }

    // The practice report after two wrong digits in one cell, opened from the
    // exercise window at its zoom.
    void practiceReport_data() { zoomData(); }
    void practiceReport() {
        QFETCH(double, zoom);
        Session s; // 2035 : 5 = 407
        ExerciseWindow& f = s.form();
        growTo(f, zoom);
        for (int digit : {9, 8}) {
            s.rt.answer(widgets::Answer::Ok);
            dragDigit(f, digit, normalCell(f, core::CellRole::Product1Tens));
        }
        f.counters().openReport();
        windows::PracticeReportWindow* r = f.counters().reportWindow();
        QVERIFY(QTest::qWaitForWindowExposed(r));
        settle();
        const QImage img = grabWindow(r, pictureName(QStringLiteral("practice_report"), zoom));

        // The wrong place is red and underlined (a red run as wide as a
        // digit), the bar of its step filled.
        constexpr quint32 kMark = 0xC80000, kBar = 0x3C64AA;
        int marked = 0, bar = 0, longestRun = 0;
        for (int y = 0; y < img.height(); ++y) {
            int run = 0;
            for (int x = 0; x < img.width(); ++x) {
                const quint32 c = colourAt(img, QPoint(x, y));
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
        QCOMPARE(r->page->drawing().report().bars.value(1).count, quint64(2));
    }

    void numberCatchRunning_data() { zoomData(); }
    void numberCatchRunning() {
        QFETCH(double, zoom);
        Session s;
        ExerciseWindow& f = s.form();
        growTo(f, zoom);
        f.exercise().setProgress({49, 0, 0});
        dropRight(f, {1});
        QVERIFY(f.numberCatchPrompt->isVisible());
        click(f.numberCatchPrompt);
        auto& g = dynamic_cast<games::NumberCatchWindow&>(s.program.rewardGame(games::Reward::Points));
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.jumpTimer->isActive());
        // The game opens at the zoom of the exercise; wider still, for margins.
        QCOMPARE(g.zoom(), zoom);
        growTo(g, zoom);
        // The fastest pace, then a step to the right and one real jump.
        g.speedBar->setValue(1);
        QTest::keyClick(keyTarget(&g), Qt::Key_Right);
        const games::NumberCatchGame& m = g.game();
        QCOMPARE(m.cross().column, 15);
        const games::Cell first = m.digitsLeft().front().cell;
        QVERIFY(QTest::qWaitFor([&] { return m.digitsLeft().front().cell != first; }, 3000));
        settle();
        const QImage img =
            grabWindow(&g, pictureName(QStringLiteral("number_catch_running"), zoom));

        CHECK_NONE(windowFaults(img, &g, QSize(7245, 5085), zoom, kLight));
        CHECK_NONE(misplaced({
            {g.endButton, 120, 120, 735, 495},
            {g.leftArrow, 1200, 120, 495, 495},
            {g.upArrow, 1680, 120, 495, 495},
            {g.downArrow, 2160, 120, 495, 495},
            {g.rightArrow, 2640, 120, 495, 495},
            {g.nextDigitLabel, 3480, 120, 375, 495},
            {g.speedPanel, 4200, 120, 2895, 495},
            {g.fastLabel, 4320, 240, 735, 255},
            {g.speedBar, 5040, 240, 1095, 255},
            {g.slowLabel, 6240, 240, 735, 255},
            {g.field, 120, 720, 6975, 4215},
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
        CHECK_NONE(textFaults(img, g.nextDigitLabel, kLight, kRed, 99, false));
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
            gi.fill(QColor(QRgb(kLight)));
            QPainter p(&gi);
            p.setFont(g.font());
            p.setPen(QColor(QRgb(kNavy)));
            p.drawText(0, fm.ascent(), text);
            return gi;
        };
        QRegion drawn;
        const games::Cell at = m.cross();
        const QRect cross = cellRect(at.column, at.row, QStringLiteral("+"));
        drawn += cross;
        for (const games::NumberCatchGame::Digit& digit : m.digitsLeft()) {
            const QString d = QString::number(digit.value);
            const QRect r = cellRect(digit.cell.column, digit.cell.row, d);
            drawn += r;
            if (r.intersects(cross)) continue;
            if (img.copy(r) != glyph(d))
                faults << QStringLiteral("digit %1 is not drawn as such at cell (%2, %3)")
                              .arg(d)
                              .arg(digit.cell.column)
                              .arg(digit.cell.row);
        }
        if (m.digitsLeft().front().cell != at && img.copy(cross) != glyph(QStringLiteral("+")))
            faults << QStringLiteral("the cross is not drawn at (%1, %2)").arg(at.column).arg(at.row);
        const QRect field = pxRect(&g, 120, 720, 6975, 4215).adjusted(2, 2, -2, -2);
        int stray = 0;
        for (int y = field.top(); y <= field.bottom(); ++y)
            for (int x = field.left(); x <= field.right(); ++x) {
                const quint32 c = colourAt(img, {x, y});
                if (c != kLight && !drawn.contains(QPoint(x, y))) ++stray;
                if (c != kLight && c != kNavy) ++stray;
            }
        if (stray) faults << QStringLiteral("%1 stray pixels on the field").arg(stray);
        CHECK_NONE(faults);

        s.rt.answer(widgets::Answer::Yes);
        QTest::keyClick(keyTarget(&g), Qt::Key_Escape);
        QVERIFY(!g.isVisible());
        QVERIFY(!g.jumpTimer->isActive());
    }

    void memoryOpenAndFound_data() { zoomData(); }
    void memoryOpenAndFound() {
        QFETCH(double, zoom);
        Session s;
        ExerciseWindow& f = s.form();
        growTo(f, zoom);
        solveWithPromptsDue(s, false, true);
        QVERIFY(f.memoryPrompt->isVisible());
        click(f.memoryPrompt);
        auto& m = dynamic_cast<games::MemoryWindow&>(s.program.rewardGame(games::Reward::Ladder));
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QCOMPARE(m.zoom(), zoom);
        growTo(m, zoom);
        settle();
        const QImage closed = grabWindow(&m, pictureName(QStringLiteral("memory_face_down"), zoom));

        CHECK_NONE(windowFaults(closed, &m, QSize(6525, 5805), zoom, kLight));
        QList<Place> places = {
            {m.endButton, 120, 120, 735, 495},
            {m.helpButton, 120, 720, 735, 495},
            {m.cardFrame, 960, 120, 5415, 5535},
        };
        for (int k = 1; k <= 18; ++k)
            places.append({m.cards[size_t(k - 1)], k <= 9 ? 1080 : 3720, 240 + 600 * ((k - 1) % 9), 2535, 495});
        CHECK_NONE(misplaced(places));

        // A found pair, then two cards that do not match, left open.
        QTest::mouseClick(m.cards[0], Qt::LeftButton);
        int partner = 0, other = 0, stranger = 0;
        for (int k = 2; k <= 18; ++k)
            if (m.game().digit(k - 1) == m.game().digit(0)) partner = k;
        QTest::mouseClick(m.cards[size_t(partner - 1)], Qt::LeftButton);
        for (int k = 2; k <= 18 && !other; ++k)
            if (k != partner) other = k;
        for (int k = 2; k <= 18 && !stranger; ++k)
            if (k != partner && k != other && m.game().digit(k - 1) != m.game().digit(other - 1))
                stranger = k;
        QTest::mouseClick(m.cards[size_t(other - 1)], Qt::LeftButton);
        QTest::mouseClick(m.cards[size_t(stranger - 1)], Qt::LeftButton);
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
            const quint32 back = found ? kBlue : kDark; // a found pair is blue
            const Place& p = places.at(3 + k - 1);
            spots << Spot{QStringLiteral("card %1").arg(k), p.left + 45, p.top + 45, back};
            if (open) {
                faults << textFaults(img, m.cards[size_t(k - 1)], back, kWhite, 1.5, false);
            } else if (!inkBox(img,
                               QRect(m.cards[size_t(k - 1)]->pos(), m.cards[size_t(k - 1)]->size()).adjusted(2, 2, -2, -2),
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
