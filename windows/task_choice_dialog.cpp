#include "task_choice_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "twips.h"

namespace windows {

using core::Frequency;
using core::TaskChoice;

namespace {
constexpr int kDivisors = TaskChoice::kGreatestDivisor - TaskChoice::kLeastDivisor + 1;

// A group of the three frequencies, in their order.
QGroupBox* frequencyGroup(QWidget* parent, const QString& title, const QString& name,
                          std::array<QRadioButton*, 3>& buttons) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    auto* row = new QHBoxLayout(group);
    for (int f = 0; f < 3; ++f) {
        buttons[size_t(f)] = new QRadioButton(core::frequencyText(Frequency(f)), group);
        buttons[size_t(f)]->setObjectName(name + QString::number(f));
        row->addWidget(buttons[size_t(f)]);
    }
    row->addStretch(1);
    return group;
}

Frequency checkedFrequency(const std::array<QRadioButton*, 3>& buttons) {
    for (int f = 0; f < 3; ++f)
        if (buttons[size_t(f)]->isChecked()) return Frequency(f);
    return Frequency::AsItComes;
}
} // namespace

TaskChoiceDialog::TaskChoiceDialog(QWidget* parent, const TaskChoice& current) : QDialog(parent) {
    setObjectName(QStringLiteral("taskChoiceDialog"));
    setWindowTitle(QStringLiteral("Aufgaben wählen"));

    auto* divisors = new QGroupBox(QStringLiteral("Teiler"), this);
    divisors->setObjectName(QStringLiteral("divisorGroup"));
    auto* divisorRow = new QHBoxLayout(divisors);
    for (int i = 0; i < kDivisors; ++i) {
        auto* box = new QCheckBox(QString::number(TaskChoice::kLeastDivisor + i), divisors);
        box->setObjectName(QStringLiteral("divisorBox%1").arg(TaskChoice::kLeastDivisor + i));
        connect(box, &QCheckBox::toggled, this, &TaskChoiceDialog::keepOneDivisor);
        divisorBoxes[size_t(i)] = box;
        divisorRow->addWidget(box);
    }
    divisorRow->addStretch(1);
    QGroupBox* zero = frequencyGroup(this, QStringLiteral("Null im Ergebnis"),
                                     QStringLiteral("zeroInQuotient"), zeroButtons);
    QGroupBox* borrowing = frequencyGroup(this, QStringLiteral("Abziehen mit Übertrag"),
                                          QStringLiteral("borrowing"), borrowingButtons);

    auto* buttons = new QDialogButtonBox(this);
    okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    everyTaskButton =
        buttons->addButton(QStringLiteral("Alle Aufgaben"), QDialogButtonBox::ResetRole);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(everyTaskButton, &QPushButton::clicked, this, [this] {
        showChoice(TaskChoice());
        accept();
    });

    auto* column = new QVBoxLayout(this);
    column->addWidget(divisors);
    column->addWidget(zero);
    column->addWidget(borrowing);
    column->addWidget(buttons);
    showChoice(current);

    // Read from as far away as the window it was opened from, on its screen.
    tw::zoomBox(this, parent);
    tw::fitBox(this, parent);
}

TaskChoice TaskChoiceDialog::choice() const {
    TaskChoice c;
    QList<int> chosen;
    for (int i = 0; i < kDivisors; ++i)
        if (divisorBoxes[size_t(i)]->isChecked()) chosen << TaskChoice::kLeastDivisor + i;
    c.setDivisors(chosen);
    c.setZeroInQuotient(checkedFrequency(zeroButtons));
    c.setBorrowing(checkedFrequency(borrowingButtons));
    return c;
}

void TaskChoiceDialog::showChoice(const TaskChoice& choice) {
    for (int i = 0; i < kDivisors; ++i)
        divisorBoxes[size_t(i)]->setChecked(choice.hasDivisor(TaskChoice::kLeastDivisor + i));
    zeroButtons[size_t(choice.zeroInQuotient())]->setChecked(true);
    borrowingButtons[size_t(choice.borrowing())]->setChecked(true);
    keepOneDivisor();
}

void TaskChoiceDialog::keepOneDivisor() {
    int ticked = 0;
    for (QCheckBox* box : divisorBoxes)
        ticked += box->isChecked();
    for (QCheckBox* box : divisorBoxes) {
        const bool last = ticked == 1 && box->isChecked();
        box->setEnabled(!last);
        box->setToolTip(last ? QStringLiteral("Ein Teiler bleibt immer gewählt.") : QString());
    }
}

} // namespace windows
