// Points, the reward ladder and the two reward prompts that open the games.
#include <QDateTime>

#include "exercise_window.h"
#include "memory.h"
#include "number_catch.h"
#include "twips.h"
#include "window_stack.h"

namespace trainer {

void Form1::AddPoint() {
    const long long points = Bezeichnung16->value() + 1;
    Bezeichnung16->setCaption(QString::number(points));
    Bezeichnung22->setCaption(QString::number(points));
    record.rightDigit(QDateTime::currentMSecsSinceEpoch());
    practiceRecorded();
    // Shown until claimed; later multiples of 50 do not pile up.
    if (points % 50 == 0) Bezeichnung26->show();
}

void Form1::AdvanceRewardLadder() {
    const int top = tw::top(Bild1) - 240;
    tw::setTop(Bild1, top);
    if (top <= 360) Bezeichnung14->show();
}

void Form1::Bezeichnung26_Click() {
    Bezeichnung26->hide();
    StartNumberCatch();
}

void Form1::StartNumberCatch() {
    games::Form4* f = numberCatchWindow ? numberCatchWindow() : nullptr;
    if (!f) return;
    f->start(*this);
    shell::forms::hide(this);
    shell::forms::show(f);
}

void Form1::Bezeichnung14_Click() {
    Bezeichnung14->hide();
    tw::setTop(Bild1, 5880);
    games::memo* m = memoryWindow ? memoryWindow() : nullptr;
    if (!m) return;
    m->takeSizeFrom(this);
    shell::forms::hide(this);
    shell::forms::show(m);
}

} // namespace trainer
