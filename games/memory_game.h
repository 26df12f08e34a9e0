#pragma once

#include <QString>
#include <array>
#include <functional>

namespace games {

// The memory game: eighteen cards, nine pairs of the digits 1..9. Each card
// shows its digit and what makes ten with it; the child turns up two at a
// time and looks for the pairs. Cards are numbered 0..17.
class MemoryGame {
  public:
    static constexpr int kCards = 18;
    static constexpr int kNone = -1; // no card open

    enum class CardState { FaceDown, Open, Found };

    // The face of a card with this digit: "3 * 7".
    static QString face(int digit);

    // Deals the pairs afresh, all face down. random gives numbers in [0, 1):
    // each digit in turn, twice, takes a random slot, drawn again while taken.
    void deal(const std::function<double()>& random);
    bool dealt() const { return dealt_; }
    // The digit of a card once dealt.
    int digit(int card) const { return digits_[card]; }
    CardState state(int card) const;
    // The open pick, in the order the cards were turned up.
    int firstOpen() const { return first_; }
    int secondOpen() const { return second_; }

    // A click on a dealt card. A found card stays as it is; a click after two
    // cards that do not match turns them back first; the open card again does
    // nothing; two of the same digit are a pair found.
    void reveal(int card);
    bool allFound() const;
    // Back to face down and undealt, for the next game.
    void reset();

  private:
    bool dealt_ = false;
    std::array<int, kCards> digits_{};
    std::array<bool, kCards> found_{};
    int first_ = kNone;
    int second_ = kNone;
};

} // namespace games
