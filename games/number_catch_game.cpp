#include "number_catch_game.h"

#include <algorithm>

namespace games {

NumberCatchGame::NumberCatchGame() : cross_{14, 9} {
    // Digit d waits at (d + 4, d + 4) until the first jump: "0" at (4, 4).
    for (int d = 0; d <= 9; ++d)
        digits_.push_back({d, {d + 4, d + 4}});
}

void NumberCatchGame::move(Direction d) {
    switch (d) {
    case Direction::Left:
        cross_.column = std::max(kFirstColumn, cross_.column - 1);
        break;
    case Direction::Up:
        cross_.row = std::max(kFirstRow, cross_.row - 1);
        break;
    case Direction::Down:
        cross_.row = std::min(kLastRow, cross_.row + 1);
        break;
    case Direction::Right:
        cross_.column = std::min(kLastColumn, cross_.column + 1);
        break;
    }
}

bool NumberCatchGame::catchNext() {
    if (digits_.empty() || digits_.front().cell != cross_) return false;
    digits_.erase(digits_.begin());
    return true;
}

void NumberCatchGame::jump(const std::function<double()>& random) {
    const int columns = kLastColumn - kFirstColumn + 1;
    const int rows = kLastRow - kFirstRow + 1;
    for (auto placed = digits_.begin(); placed != digits_.end(); ++placed) {
        const auto clashes = [&] {
            return std::any_of(digits_.begin(), placed, [&](const Digit& d) {
                return d.cell.column == placed->cell.column || d.cell.row == placed->cell.row;
            });
        };
        do {
            placed->cell.column = kFirstColumn + int(random() * columns);
            placed->cell.row = kFirstRow + int(random() * rows);
        } while (clashes());
    }
}

} // namespace games
