#pragma once

#include <QString>
#include <array>
#include <functional>

#include "controls.h"
#include "form.h"

namespace games {

// Face of a card with digit d: the digit and its complement to ten, "3 * 7".
QString CardFace(int digit);

// The memory game: nine pairs of cards, each pair a digit and its
// complement to ten. The window is hidden between openings and keeps its board.
class memo : public shell::Form {
    Q_OBJECT
  public:
    explicit memo(QWidget* parent = nullptr);

    // The window that comes back when the game is won or quit.
    std::function<shell::Form*()> exerciseWindow;

    shell::VbButton* Befehl1; // "ENDE"
    shell::VbButton* Befehl2; // "Hilfe"
    shell::VbShape* Figur3;   // its border colour is the face-down colour
    // Card k (1..18) is the label Bezeichnung<k>.
    shell::VbLabel* card(int k) const { return cards_[k - 1]; }

    // Game state, kept as long as the hidden window lives.
    bool Dealt = false;  // deal flag
    QString CardValues;  // character k: digit of card k
    QString CardsInPlay; // character k: '1' in play, '0' found
    int FirstCard = 0;   // first open card of the pick, 0 = none
    int SecondCard = 0;  // second open card of the pick, 0 = none
    int ClickedCard = 0; // card clicked last

    void Form_Load();
    void Form_Unload(bool& cancel) override;
    void Befehl1_Click();
    void Befehl2_Click();
    void Bezeichnung_Click(int k); // the handler of every card, k = 1..18

    void RevealCard();
    void TurnBackPair();
    void MarkPairFound();
    void DealCards();
    void ResetBoard();
    void FinishMemory();

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void backToExercise();
    std::array<shell::VbLabel*, 18> cards_{};
    bool loaded_ = false;
};

} // namespace games
