#include "step_cue.h"

#include <QPainter>
#include <QWidget>
#include <cmath>

#include "twips.h"

namespace widgets {

namespace {
// In pixels at 100 % of a cell 33 pixels high: the 24-point digit ends five
// pixels above the cell's foot. The mark keeps the first two of them free.
constexpr double kBandHeight = 5;
constexpr double kMarkHeight = 3;
constexpr double kDotGap = 6;          // from the centre of one dot to the next
constexpr double kUnderlineWidth = 16; // as wide as a digit

void paintMark(QPainter& p, const QRectF& cell, core::StepColour step) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // On whole pixels at 100 %, so that the marks stay sharp there.
    const double centreX = std::floor(cell.center().x()) + 0.5;
    const double top = cell.bottom() - kMarkHeight;
    if (step == core::StepColour::Last) {
        const double left = centreX - kUnderlineWidth / 2;
        p.drawRect(QRectF(left, top, kUnderlineWidth, 1));
        p.drawRect(QRectF(left, top + kMarkHeight - 1, kUnderlineWidth, 1));
        return;
    }
    const int dots = step == core::StepColour::First ? 1 : step == core::StepColour::Second ? 2 : 3;
    const double radius = kMarkHeight / 2;
    for (int i = 0; i < dots; ++i) {
        const double x = centreX + (i - (dots - 1) / 2.0) * kDotGap;
        p.drawEllipse(QPointF(x, top + radius), radius, radius);
    }
}
} // namespace

PictureFunction stepCue(core::StepColour step) {
    return [step](QPainter& p, const QRectF& cell) { paintMark(p, cell, step); };
}

QRect stepCueBand(const QWidget* cell) {
    const int band = tw::toPx(cell, kBandHeight * tw::kTwipsPerPixel);
    return QRect(0, cell->height() - band, cell->width(), band);
}

} // namespace widgets
