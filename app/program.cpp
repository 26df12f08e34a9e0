#include "program.h"

#include <functional>

#include "exercise_window.h"
#include "info_window.h"
#include "memory_window.h"
#include "number_catch_window.h"
#include "start_window.h"

namespace app {

namespace {

struct RewardGameEntry {
    games::Reward reward;
    std::function<std::unique_ptr<games::RewardGame>(widgets::WindowStack&)> make;
};

template <typename Game> std::unique_ptr<games::RewardGame> make(widgets::WindowStack& windows) {
    return std::make_unique<Game>(windows);
}

// The reward games: which reward opens each. A reward with several games
// opens them in turn.
const std::vector<RewardGameEntry>& rewardGames() {
    static const std::vector<RewardGameEntry> all{
        {games::Reward::Points, make<games::NumberCatchWindow>},
        {games::Reward::Ladder, make<games::MemoryWindow>},
    };
    return all;
}

} // namespace

Program::Program(widgets::Desktop& desktop) : windows_(desktop), games_(rewardGames().size()) {}

Program::~Program() {
    // Games first: they hold on to the window they took over from.
    games_.clear();
    exercise_.reset();
    info_.reset();
    start_.reset();
}

void Program::start() {
    windows_.show(&startWindow());
}

windows::StartWindow& Program::startWindow() {
    if (!start_) {
        start_ = std::make_unique<windows::StartWindow>(windows_);
        start_->showExerciseWindow = [this] { windows_.show(&exerciseWindow()); };
        start_->showInfoWindow = [this] { windows_.show(&infoWindow()); };
    }
    return *start_;
}

windows::ExerciseWindow& Program::exerciseWindow() {
    if (!exercise_) {
        exercise_ = std::make_unique<windows::ExerciseWindow>(windows_);
        exercise_->startWindow = [this] { return &startWindow(); };
        exercise_->rewardGame = [this](games::Reward r) { return &rewardGame(r); };
        exercise_->printingLocked = [this] { return printingLocked(); };
    }
    return *exercise_;
}

games::RewardGame& Program::rewardGame(games::Reward reward) {
    const std::vector<RewardGameEntry>& all = rewardGames();
    std::vector<size_t> forReward;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].reward == reward) forReward.push_back(i);
    int& turn = turn_[int(reward)];
    const size_t i = forReward[size_t(turn++) % forReward.size()];
    if (!games_[i]) games_[i] = all[i].make(windows_);
    return *games_[i];
}

windows::InfoWindow& Program::infoWindow() {
    if (!info_) {
        info_ = std::make_unique<windows::InfoWindow>(windows_);
        // Unloaded by its close button: the window goes once the close is
        // over, and the next load starts locked again.
        info_->unloaded = [this] { info_.release()->deleteLater(); };
    }
    return *info_;
}

windows::InfoWindow* Program::loadedInfoWindow() const {
    return info_.get();
}

bool Program::printingLocked() {
    return infoWindow().printingLocked();
}

} // namespace app
