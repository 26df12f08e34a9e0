#pragma once

#include <QPointer>
#include <array>

#include "controls.h"
#include "program_window.h"
#include "memory_game.h"
#include "reward_game.h"

namespace games {

// The memory game: nine pairs of cards, each pair a digit and its complement
// to ten. The window is hidden between openings and keeps its board.
class MemoryWindow : public widgets::ProgramWindow, public RewardGame {
    Q_OBJECT
  public:
    explicit MemoryWindow(widgets::WindowStack& windows);

    // The board stays as it was left: the game goes on.
    void open(widgets::ProgramWindow& from) override;
    const MemoryGame& game() const { return game_; }

    widgets::CommandButton* endButton;  // "ENDE"
    widgets::CommandButton* helpButton; // "Hilfe"
    widgets::Shape* cardFrame;
    // Card k is cards[k], named "card<k + 1>": the left column first.
    std::array<widgets::ClickableLabel*, MemoryGame::kCards> cards{};

    // A click on card k; the first one of a game deals.
    void revealCard(int k);
    // Every card face down; the next click deals anew.
    void resetBoard();
    void askToEnd();
    void showHelp();

    bool closeRequested() override;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void showBoard();
    void finish();
    void giveBack();

    MemoryGame game_;
    QPointer<widgets::ProgramWindow> from_;
    bool shownBefore_ = false;
};

} // namespace games
