#pragma once

#include <QPointer>
#include <QScrollBar>
#include <QTimer>

#include "controls.h"
#include "program_window.h"
#include "number_catch_game.h"
#include "number_field.h"
#include "reward_game.h"

namespace games {

// The number-catch game: steer the cross onto the digits 0..9 in order while
// they jump about at the pace of the speed bar.
class NumberCatchWindow : public widgets::ProgramWindow, public RewardGame {
    Q_OBJECT
  public:
    explicit NumberCatchWindow(widgets::WindowStack& windows);

    // A new game on a clear field, the clock at the pace of the speed bar.
    void open(widgets::ProgramWindow& from) override;
    const NumberCatchGame& game() const { return game_; }

    widgets::CommandButton* endButton; // "ENDE"
    widgets::PictureButton* leftArrow;
    widgets::PictureButton* upArrow;
    widgets::PictureButton* downArrow;
    widgets::PictureButton* rightArrow;
    widgets::Label* nextDigitLabel;
    widgets::Shape* speedPanel;
    widgets::Label* fastLabel; // "schnell"
    QScrollBar* speedBar;      // seconds per jump
    widgets::Label* slowLabel; // "langsam"
    widgets::Shape* field;     // the frame of the field
    QTimer* jumpTimer;

    void moveLeft() { steer(NumberCatchGame::Direction::Left); }
    void moveUp() { steer(NumberCatchGame::Direction::Up); }
    void moveDown() { steer(NumberCatchGame::Direction::Down); }
    void moveRight() { steer(NumberCatchGame::Direction::Right); }
    // The digits jump; the clock's tick.
    void jump();
    // Asks whether to end the game ("ENDE", Esc).
    void askToEnd();

    void broughtToFront() override;
    bool closeRequested() override;
    void keyPressed(QKeyEvent* e) override;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void zoomChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void steer(NumberCatchGame::Direction d);
    void catchAndShow();
    void drawDigits(bool erase);
    void paceChanged();
    void finish();
    void end();

    NumberCatchGame game_;
    NumberField numberField_{this};
    QPointer<widgets::ProgramWindow> from_;
    bool finishing_ = false;
};

} // namespace games
