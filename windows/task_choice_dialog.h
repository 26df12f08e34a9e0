#pragma once

#include <QDialog>
#include <array>

#include "task_choice.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace windows {

// "Aufgaben wählen": the divisors that come ("Teiler", one at least), and how
// often a zero in the quotient and a subtraction with borrowing come ("nie",
// "wie es kommt", "oft"). "OK" takes the choice shown, "Alle Aufgaben" every
// task as at start, "Abbrechen" nothing.
class TaskChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    TaskChoiceDialog(QWidget* parent, const core::TaskChoice& current);

    // The choice shown; after "Alle Aufgaben", every task.
    core::TaskChoice choice() const;

    std::array<QCheckBox*, 7> divisorBoxes{}; // "3" … "9"
    // "nie", "wie es kommt", "oft", as core::Frequency counts them.
    std::array<QRadioButton*, 3> zeroButtons{};
    std::array<QRadioButton*, 3> borrowingButtons{};
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* everyTaskButton; // "Alle Aufgaben"

  private:
    void showChoice(const core::TaskChoice& choice);
    // The last ticked divisor cannot be unticked.
    void keepOneDivisor();
};

} // namespace windows
