#include "memory_game.h"

#include <algorithm>

namespace games {

QString MemoryGame::face(int digit) {
    return QStringLiteral("%1 * %2").arg(digit).arg(10 - digit);
}

void MemoryGame::deal(const std::function<double()>& random) {
    digits_.fill(0); // 0: a free slot, as no card has the digit 0
    for (int i = 0; i < kCards; ++i) {
        int slot = int(random() * kCards);
        while (digits_[slot] != 0)
            slot = int(random() * kCards);
        digits_[slot] = 1 + i / 2;
    }
    found_.fill(false);
    first_ = kNone;
    second_ = kNone;
    dealt_ = true;
}

MemoryGame::CardState MemoryGame::state(int card) const {
    if (!dealt_) return CardState::FaceDown;
    if (found_[card]) return CardState::Found;
    return card == first_ || card == second_ ? CardState::Open : CardState::FaceDown;
}

void MemoryGame::reveal(int card) {
    if (!dealt_ || found_[card]) return;
    if (second_ != kNone) { // the last two did not match
        first_ = kNone;
        second_ = kNone;
    }
    if (first_ == kNone) {
        first_ = card;
        return;
    }
    if (card == first_) return;
    second_ = card;
    if (digits_[first_] == digits_[second_]) {
        found_[first_] = true;
        found_[second_] = true;
        first_ = kNone;
        second_ = kNone;
    }
}

bool MemoryGame::allFound() const {
    return dealt_ && std::all_of(found_.begin(), found_.end(), [](bool f) { return f; });
}

void MemoryGame::reset() {
    *this = MemoryGame();
}

} // namespace games
