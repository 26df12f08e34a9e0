#pragma once

#include <QPoint>
#include <array>
#include <functional>
#include <memory>

#include "controls.h"
#include "division_layout.h"
#include "drag.h"
#include "exercise.h"
#include "program_window.h"
#include "reward_game.h"
#include "sheet_actions.h"

namespace windows {

class CounterColumn;
class ExerciseKeyboard;
class SheetPanel;
class TaskChoiceControl;

// The exercise window: the child solves one written division at a time in
// the layout of the mode, by dragging, tapping or typing digits, and earns
// points, the ladder and the reward games. It shows the exercise (the model)
// and hands it the child's input; the worksheet panel and the counter column
// serve the teacher.
class ExerciseWindow : public widgets::ProgramWindow {
    Q_OBJECT
  public:
    explicit ExerciseWindow(widgets::WindowStack& windows);
    ~ExerciseWindow() override;

    core::Exercise& exercise() { return exercise_; }
    const core::Exercise& exercise() const { return exercise_; }

    // Set by the program: the start window "Ende" goes back to, the game a
    // reward opens, whether printing is locked (the info window's switch).
    std::function<widgets::ProgramWindow*()> startWindow;
    std::function<games::RewardGame*(games::Reward)> rewardGame;
    std::function<bool()> printingLocked;

    // ---- the controls
    widgets::Shape* workFrame;
    widgets::CommandButton* endButton;
    widgets::CommandButton* helpButton;
    widgets::CommandButton* normalButton;
    widgets::CommandButton* remainderButton;
    widgets::CommandButton* sheetButton;
    std::array<widgets::DigitKey*, 10> digitKeys{};
    widgets::Picture* remainderBox; // holds the layout with remainder
    DivisionLayout& layout(core::Mode mode) { return mode == core::Mode::Remainder ? *remainderLayout_ : *normalLayout_; }
    // An answer cell of either layout by its number.
    widgets::DigitCell* cell(int number) const;
    widgets::Shape* ladderColumn;
    widgets::Picture* ladderGoal;
    widgets::Picture* climber;
    widgets::Shape* promptBand;
    widgets::ClickableLabel* memoryPrompt;
    widgets::ClickableLabel* numberCatchPrompt;
    CounterColumn& counters() { return *counters_; }
    SheetPanel& sheetPanel() { return *sheetPanel_; }
    TaskChoiceControl& taskChoice() { return *taskChoice_; }

    // ---- what the buttons do
    // "Ende" and the close button: back to the start window.
    void leave();
    void showHelp();
    void chooseMode(core::Mode mode);
    // The reward prompts.
    void claimReward(games::Reward reward);

    // The printer lock as it stands now: the switch and the points shown.
    printing::PrinterLock printerLock() const;
    // Shows the exercise as it stands.
    void showExercise();

  protected:
    void broughtToFront() override;
    bool closeRequested() override;
    void keyPressed(QKeyEvent* e) override;
    void keyReleased(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    void buildCommandRow();
    void buildDigitKeys();
    void buildLadderAndPrompts();
    void connectLayout(DivisionLayout& layout);
    void tell(core::Notice notice);
    // The digit keys' taps: the digit for the waiting cell.
    void tap(int digit);
    // Input that changed the exercise: show it.
    void changed();
    // Where the climber stands, for assistive tools: "Stufe 5 von 23".
    void showLadder();

    core::Exercise exercise_;
    DivisionLayout* normalLayout_ = nullptr;
    DivisionLayout* remainderLayout_ = nullptr;
    std::unique_ptr<CounterColumn> counters_;
    std::unique_ptr<TaskChoiceControl> taskChoice_;
    std::unique_ptr<SheetPanel> sheetPanel_;
    ExerciseKeyboard* keyboard_ = nullptr;
};

} // namespace windows
