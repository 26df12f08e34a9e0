#pragma once

#include <memory>
#include <vector>

#include "reward_game.h"
#include "window_stack.h"

namespace windows {
class ExerciseWindow;
class InfoWindow;
class StartWindow;
} // namespace windows

namespace app {

// The program's windows on a desktop. The start window is made at once; the
// others when they are first needed, so start-up builds only what the child
// sees.
class Program {
  public:
    explicit Program(widgets::Desktop& desktop);
    ~Program();

    widgets::WindowStack& windows() { return windows_; }

    // Shows the start window.
    void start();

    windows::StartWindow& startWindow();
    windows::ExerciseWindow& exerciseWindow();
    // The info window, loaded (hidden, printing locked) when it is not.
    windows::InfoWindow& infoWindow();
    // The info window while it is loaded, or nullptr: its close button
    // unloads it, and with it the print-mode switch.
    windows::InfoWindow* loadedInfoWindow() const;
    // The info window's switch; reading it loads the window in its initial,
    // locked state.
    bool printingLocked();
    // The game a reward opens: each reward opens its games in turn.
    games::RewardGame& rewardGame(games::Reward reward);

  private:
    widgets::WindowStack windows_;
    std::unique_ptr<windows::StartWindow> start_;
    std::unique_ptr<windows::ExerciseWindow> exercise_;
    std::unique_ptr<windows::InfoWindow> info_;
    std::vector<std::unique_ptr<games::RewardGame>> games_;
    int turn_[2] = {0, 0};
};

} // namespace app
