#include "cell_navigation.h"

#include <array>
#include <cstdlib>

#include "exercise.h"

namespace core {

namespace {
using R = CellRole;

constexpr std::array<R, 15> kWorkingOrder = {
    R::Quotient1, R::Product1Tens, R::Product1Units, R::Difference1,     R::BroughtDown1,
    R::Quotient2, R::Product2Tens, R::Product2Units, R::Difference2,     R::BroughtDown2,
    R::Quotient3, R::Product3Tens, R::Product3Units, R::FinalDifference, R::Remainder};
} // namespace

QList<const AnswerCell*> workingOrder(Mode mode) {
    QList<const AnswerCell*> cells;
    for (R role : kWorkingOrder)
        if (const AnswerCell* c = answerCell(mode, role)) cells << c;
    return cells;
}

std::optional<int> nextEmptyCell(const Exercise& exercise, std::optional<int> from, bool forward) {
    const QList<const AnswerCell*> order = workingOrder(exercise.mode());
    const int n = int(order.size());
    int at = forward ? -1 : n;
    for (int i = 0; from && i < n; ++i)
        if (order.at(i)->number == *from) at = i;
    for (int step = 1; step <= n; ++step) {
        const int i = ((at + (forward ? step : -step)) % n + n) % n;
        if (exercise.isEmpty(order.at(i)->number)) return order.at(i)->number;
    }
    return std::nullopt;
}

std::optional<int> nearestToward(const QList<PlacedCell>& cells, QPoint from, Direction direction) {
    // The nearest in the cone first: a cell straight down beats a nearer one
    // far off to the side.
    std::optional<int> best, bestAside;
    qint64 bestCost = 0, bestAsideCost = 0;
    for (const PlacedCell& c : cells) {
        const QPoint d = c.centre - from;
        int along = 0, across = 0;
        switch (direction) {
        case Direction::Left:
            along = -d.x(), across = d.y();
            break;
        case Direction::Right:
            along = d.x(), across = d.y();
            break;
        case Direction::Up:
            along = -d.y(), across = d.x();
            break;
        case Direction::Down:
            along = d.y(), across = d.x();
            break;
        }
        if (along <= 0) continue;
        const qint64 cost = qint64(along) * along + qint64(across) * across;
        if (std::abs(across) <= along) {
            if (!best || cost < bestCost) best = c.number, bestCost = cost;
        } else if (!bestAside || cost < bestAsideCost) {
            bestAside = c.number, bestAsideCost = cost;
        }
    }
    return best ? best : bestAside;
}

} // namespace core
