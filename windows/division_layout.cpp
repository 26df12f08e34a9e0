#include "division_layout.h"

#include "accessible_controls.h"
#include "cell_words.h"
#include "double_click.h"
#include "fonts.h"
#include "icons.h"
#include "step_cue.h"
#include "twips.h"

namespace windows {

using core::CellRole;
using core::Mode;

namespace {

const QColor kLightBack(192, 192, 255);
const QColor kDarkBack(128, 128, 255);
const QColor kGivenDigit = Qt::black;
// The divisor's colour before the first task: never seen, as every layout
// shows a task before it shows itself.
const QColor kNormalDivisorAtStart(0, 0, 128);
const QColor kRemainderDivisorAtStart(0, 128, 0);
const QColor kNormalMarker(0, 255, 255);
const QColor kRemainderMarker(128, 255, 255);

struct Place {
    int left, top;
};

// Where each place of the written division stands, in twips: the layout
// without remainder on the window, the one with remainder in its own box.
struct LayoutTable {
    Place dividend[4];
    Place divisor;
    Place remainderLetter; // only with remainder
    Place cells[15];       // by CellRole
    QRect colon[2];
    QLine equals[2];
    QLine subtractions[3];
    QPoint markerParking;
    QColor givenBack, answerBack, divisorAtStart, marker;
};

const LayoutTable& tableOf(Mode mode) {
    static const LayoutTable normal{
        {{1560, 840}, {2160, 840}, {2760, 840}, {3360, 840}},
        {4440, 840},
        {0, 0},
        {{5760, 840},
         {6360, 840},
         {6960, 840},
         {0, 0},
         {1560, 1440},
         {2160, 1440},
         {2160, 2160},
         {2760, 2160},
         {2160, 2760},
         {2760, 2760},
         {2760, 3480},
         {3360, 3480},
         {2760, 4080},
         {3360, 4080},
         {3360, 4800}},
        {QRect(4080, 930, 150, 150), QRect(4080, 1125, 135, 150)},
        {QLine(5160, 1035, 5520, 1035), QLine(5160, 1200, 5520, 1200)},
        {QLine(1560, 2040, 2640, 2040), QLine(2160, 3360, 3240, 3360),
         QLine(2760, 4680, 3840, 4680)},
        QPoint(13800, 6000),
        kLightBack,
        kDarkBack,
        kNormalDivisorAtStart,
        kNormalMarker};
    static const LayoutTable remainder{
        {{120, 120}, {720, 120}, {1320, 120}, {1920, 120}},
        {3000, 120},
        {5880, 120},
        {{4080, 120},
         {4680, 120},
         {5280, 120},
         {6480, 120},
         {120, 720},
         {720, 720},
         {720, 1440},
         {1320, 1440},
         {720, 2040},
         {1320, 2040},
         {1320, 2760},
         {1920, 2760},
         {1320, 3360},
         {1920, 3360},
         {1920, 4080}},
        {QRect(2640, 200, 150, 150), QRect(2640, 400, 150, 150)},
        {QLine(3600, 300, 3960, 300), QLine(3600, 450, 3960, 450)},
        {QLine(120, 1320, 1200, 1320), QLine(720, 2640, 1800, 2640),
         QLine(1320, 3960, 2400, 3960)},
        QPoint(8400, 120),
        kDarkBack,
        kLightBack,
        kRemainderDivisorAtStart,
        kRemainderMarker};
    return mode == Mode::Remainder ? remainder : normal;
}

QString roleName(CellRole role) {
    static const char* const names[] = {
        "Quotient1",     "Quotient2",    "Quotient3",   "Remainder",     "Product1Tens",
        "Product1Units", "Difference1",  "BroughtDown1", "Product2Tens", "Product2Units",
        "Difference2",   "BroughtDown2", "Product3Tens", "Product3Units", "FinalDifference"};
    return QLatin1String(names[int(role)]);
}

QString modeName(Mode mode) {
    return mode == Mode::Remainder ? QStringLiteral("remainder") : QStringLiteral("normal");
}

} // namespace

QColor stepColour(core::StepColour step) {
    switch (step) {
    case core::StepColour::First:
        return QColor(255, 0, 0);
    case core::StepColour::Second:
        return QColor(0, 0, 255);
    case core::StepColour::Third:
        return QColor(0, 128, 0);
    case core::StepColour::Last:
        return QColor(255, 255, 0);
    }
    return Qt::black;
}

widgets::DigitCell* DivisionLayout::makeCell(QWidget* on, const QString& name, int left, int top,
                                             const QColor& back, const QColor& text) {
    auto* c = new widgets::DigitCell(on, modeName(mode_) + name);
    tw::place(c, left, top, 495, 495);
    c->setFont(widgets::sansFont(24, true));
    c->setColours(text, back);
    return c;
}

DivisionLayout::DivisionLayout(Mode mode, QWidget* on) : QObject(on), mode_(mode) {
    const LayoutTable& t = tableOf(mode);
    for (int i = 0; i < 4; ++i) {
        dividend_[size_t(i)] = makeCell(on, QStringLiteral("Dividend%1").arg(i + 1),
                                        t.dividend[i].left, t.dividend[i].top, t.givenBack,
                                        kGivenDigit);
        dividend_[size_t(i)]->setAccessibleName(core::dividendDigitWords(i));
    }
    divisor_ = makeCell(on, QStringLiteral("Divisor"), t.divisor.left, t.divisor.top, t.givenBack,
                        t.divisorAtStart);
    divisor_->setAccessibleName(core::divisorWords());
    const QList<const core::AnswerCell*> cells = core::answerCells(mode);
    firstNumber_ = cells.first()->number;
    for (const core::AnswerCell* a : cells) {
        if (a->role == CellRole::Remainder) {
            // The "R" stands before the remainder.
            widgets::DigitCell* letter =
                makeCell(on, QStringLiteral("RemainderLetter"), t.remainderLetter.left,
                         t.remainderLetter.top, t.givenBack, kGivenDigit);
            letter->setText(QStringLiteral("R"));
        }
        const Place at = t.cells[int(a->role)];
        widgets::DigitCell* c =
            makeCell(on, roleName(a->role), at.left, at.top, t.answerBack, stepColour(a->colour()));
        c->setTakesDigits(true);
        c->setAccessibleName(core::cellWords(a->role));
        c->setMark(widgets::stepCue(a->colour()));
        widgets::takeDigitEntry(c);
        const int number = a->number;
        connect(c, &widgets::DigitCell::clicked, this, [this, number] { emit cellClicked(number); });
        connect(c, &widgets::DigitCell::digitDropped, this,
                [this, number](int digit) { emit digitDroppedOnCell(number, digit); });
        cells_ << c;
    }

    for (int i = 0; i < 2; ++i) {
        auto* dot = new widgets::Shape(on, QStringLiteral("colonDot%1").arg(i + 1),
                                       widgets::Shape::Circle);
        tw::place(dot, t.colon[i].x(), t.colon[i].y(), t.colon[i].width(), t.colon[i].height());
        dot->setFill(Qt::black);
        dot->setBorderColour(Qt::black);
    }
    auto line = [on](const QString& name, const QLine& l) {
        new widgets::Line(on, name, l.x1(), l.y1(), l.x2(), l.y2(), Qt::black, 3);
    };
    for (int i = 0; i < 2; ++i)
        line(QStringLiteral("equalsLine%1").arg(i + 1), t.equals[i]);
    for (int i = 0; i < 3; ++i)
        line(QStringLiteral("subtractionLine%1").arg(i + 1), t.subtractions[i]);

    marker_ = new widgets::PictureButton(on, modeName(mode) + QStringLiteral("Marker"));
    tw::place(marker_, t.markerParking.x(), t.markerParking.y(), 495, 495);
    marker_->setBackground(t.marker);
    const QColor face = t.marker;
    marker_->setPicture([face](QPainter& p, const QRectF& r) { icons::keyCap(p, r, face); });
    marker_->setToolTip(QStringLiteral("Tippe jetzt die Ziffer ein"));
    marker_->setTakesDigits(true);
    widgets::takeDigitEntry(marker_);
    connect(marker_, &QAbstractButton::clicked, this, &DivisionLayout::markerClicked);
    connect(marker_, &widgets::PictureButton::digitDropped, this,
            &DivisionLayout::digitDroppedOnMarker);
}

widgets::DigitCell* DivisionLayout::cell(int number) const {
    const int index = number - firstNumber_;
    return index >= 0 && index < cells_.size() ? cells_.at(index) : nullptr;
}

QPoint DivisionLayout::markerParking() const {
    return tableOf(mode_).markerParking;
}

bool DivisionLayout::markerParked() const {
    return markedCell_ == 0;
}

void DivisionLayout::show(const core::Exercise& exercise) {
    const bool shown = exercise.mode() == mode_;
    const core::WrittenDivision& w = exercise.written();
    for (int i = 0; i < 4; ++i)
        widgets::showText(dividend_[size_t(i)], shown ? w.dividend.mid(i, 1) : QString());
    widgets::showText(divisor_, shown ? w.divisor : QString());
    if (shown) {
        const QColor colour = stepColour(exercise.divisorColour());
        if (divisor_->textColour() != colour) divisor_->setTextColour(colour);
        // The step being worked on, shown by the divisor's mark as well.
        const QString step = core::stepWords(exercise.divisorColour());
        if (divisor_->accessibleDescription() != step) {
            divisor_->setMark(widgets::stepCue(exercise.divisorColour()));
            divisor_->setAccessibleDescription(step);
        }
    }
    for (int i = 0; i < cells_.size(); ++i) {
        const QChar digit = shown ? exercise.digitIn(firstNumber_ + i) : QChar();
        widgets::showText(cells_.at(i), digit.isNull() ? QString() : QString(digit));
    }

    const int marked = shown && exercise.selectedCell() && cell(*exercise.selectedCell())
                           ? *exercise.selectedCell()
                           : 0;
    if (marked == markedCell_) return;
    markedCell_ = marked;
    if (marked == 0) {
        tw::move(marker_, markerParking().x(), markerParking().y());
        return;
    }
    const widgets::DigitCell* over = cell(marked);
    tw::move(marker_, tw::left(over), tw::top(over));
    marker_->raise();
}

} // namespace windows
