// Points, the reward ladder and the two reward prompts that open the games.
#include <QScrollBar>
#include <QTimer>

#include "form1.h"
#include "form4.h"
#include "memo.h"
#include "modul1.h"
#include "twips.h"

namespace trainer {

void Form1::AddPoint() {
    const long long points = Bezeichnung16->value() + 1;
    Bezeichnung16->setCaption(QString::number(points));
    Bezeichnung22->setCaption(QString::number(points));
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
    f->setForeColor(shell::qbColor(1));
    f->setFontSize(13.5);
    f->setScaleModePoints();
    f->Cls();
    games::Modul1& m = games::modul1();
    m.CrossX = 14;
    m.CrossY = 9;
    for (int i = 1; i <= 10; ++i) {
        m.DigitX[i] = qint16(i + 3);
        m.DigitY[i] = qint16(i + 3);
    }
    m.DigitsLeft = QStringLiteral("0123456789");
    f->Zeit1->start();
    f->Zeit1->setInterval(f->HBildlauf1->value() * 1000);
    // The game opens as large as the exercise was, at the board as at the desk.
    f->takeSizeFrom(this);
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
