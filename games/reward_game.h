#pragma once

namespace widgets {
class ProgramWindow;
}

namespace games {

// What the child earned a game by: 50 more points, or the climber at the
// top of the ladder. Each has its prompt in the exercise window.
enum class Reward { Points, Ladder };

// A game the exercise window opens as a reward. It takes over from the
// window the child earned it in, as large as that window is, and gives it
// back when the game ends.
class RewardGame {
  public:
    virtual ~RewardGame() = default;
    virtual void open(widgets::ProgramWindow& from) = 0;
};

} // namespace games
