#include "exercise_window.h"

#include <QDateTime>

#include "practice_report_window.h"
#include "runtime.h"
#include "task_digits.h"
#include "twips.h"
#include "window_stack.h"

namespace trainer {

Form1::Form1(QWidget* parent) : shell::Form(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Einstellige Division"));
    setClientTwips(9060, 6645, Growing);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, shell::bgr(0xFFC0C0));
    setPalette(pal);
    setFont(shell::vbFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setKeyPreview(true);

    buildLayout();
    buildWorksheetPanel();
    wireEntry();
    wireCounterColumnMenu();

    connect(Befehl1, &QPushButton::clicked, this, [this] { Befehl1_Click(); });
    connect(Befehl15, &QPushButton::clicked, this, [this] { Befehl15_Click(); });
    connect(Befehl21, &QPushButton::clicked, this, [this] { Befehl21_Click(); });
    connect(Befehl20, &QPushButton::clicked, this, [this] { Befehl20_Click(); });
    connect(Befehl14, &QPushButton::clicked, this, [this] { Befehl14_Click(); });
    Bezeichnung26->onClick = [this] { Bezeichnung26_Click(); };
    Bezeichnung14->onClick = [this] { Bezeichnung14_Click(); };
}

Form1::~Form1() = default;

shell::VbLabel* Form1::cellNamed(const QString& name) const {
    return cells_.value(name);
}

shell::VbLabel* Form1::cell(const CellRule& rule) const {
    return cells_.value(QLatin1String(rule.name));
}

QString Form1::expectedDigit(const CellRule& rule) const {
    return digitAt(rule.list == 1 ? Liste1 : Liste2, rule.row, rule.pos);
}

// ------------------------------------------------------------------ window

void Form1::Form_Activate() {
    centreOnScreen();
    HideKeyCursors();
    // Mode letter, layout in front and task lists always agree: a return in
    // remainder mode goes on with a remainder task; a visit after "Ende" from
    // remainder mode starts in normal mode, as the "Normal" button does.
    if (tw::top(Bild6) == 720)
        NewRemainderTask();
    else if (Bezeichnung21->caption() == QLatin1String("R"))
        Befehl21_Click();
    else
        NewNormalTask();
}

void Form1::Befehl1_Click() {
    tw::setTop(Bild6, 7200);
    HideKeyCursors();
    shell::forms::hide(this);
    if (startWindow)
        if (shell::Form* f = startWindow()) shell::forms::show(f);
}

void Form1::Form_Unload(bool& cancel) {
    // The window lives for the whole run: closing it means "Ende".
    cancel = true;
    Befehl1_Click();
}

void Form1::HideKeyCursors() {
    tw::setTop(licht, kLichtParking.y());
    tw::setLeft(licht, kLichtParking.x());
    tw::setTop(licht2, kLicht2Parking.y());
    tw::setLeft(licht2, kLicht2Parking.x());
}

bool Form1::lichtParked() const {
    return tw::left(licht) == kLichtParking.x() && tw::top(licht) == kLichtParking.y();
}
bool Form1::licht2Parked() const {
    return tw::left(licht2) == kLicht2Parking.x() && tw::top(licht2) == kLicht2Parking.y();
}

// ------------------------------------------------------------------ tasks

void Form1::ClearNormalCells() {
    for (shell::VbLabel* c :
         {Bezeichnung1, Bezeichnung2, Bezeichnung3, Bezeichnung4, Bezeichnung5, Bezeichnung6,
          Bezeichnung7, Bezeichnung8, Bezeichnung9, Bezeichnung10, Bezeichnung11, Bezeichnung12,
          Bezeichnung13, Bezeichnung17, Bezeichnung18, Bezeichnung19, Bezeichnung20})
        c->setCaption(QString());
}

void Form1::ClearRemainderCells() {
    for (int i = 1; i <= 21; ++i)
        luecke[i]->setCaption(i == 9 ? QStringLiteral("R") : QString());
}

namespace {
void showDividend(shell::VbLabel* const* cells, const QString& n) {
    for (int i = 0; i < 4; ++i)
        cells[i]->setCaption(n.mid(i, 1));
}
} // namespace

void Form1::NewNormalTask() {
    shell::Runtime& rt = shell::runtime();
    rt.randomize();
    ShowNormalTask(drawTask([&rt] { return rt.rnd(); }, false));
}

void Form1::ShowNormalTask(const TaskDraw& t) {
    Bezeichnung5->setForeColor(Bezeichnung6->foreColor());
    ClearNormalCells();
    Bezeichnung6->setCaption(QString());
    Bezeichnung20->setCaption(QString());
    Bezeichnung27->setCaption(QString());
    Bezeichnung28->setCaption(QString());
    Bezeichnung5->setCaption(QString::number(t.d));
    const TaskDigits digits = taskDigits(t.a, t.b, t.c, t.d);
    shell::VbLabel* const dividend[4] = {Bezeichnung1, Bezeichnung2, Bezeichnung3, Bezeichnung4};
    showDividend(dividend, digits.liste1.at(0));
    Liste1 = digits.liste1;
    Liste2 = digits.liste2;
    record.taskDrawn(100 * t.a + 10 * t.b + t.c, t.d, 0, false,
                     QDateTime::currentMSecsSinceEpoch());
    practiceRecorded();
}

void Form1::NewRemainderTask() {
    shell::Runtime& rt = shell::runtime();
    rt.randomize();
    ShowRemainderTask(drawTask([&rt] { return rt.rnd(); }, true));
}

void Form1::ShowRemainderTask(const TaskDraw& t) {
    luecke[5]->setForeColor(luecke[6]->foreColor());
    ClearRemainderCells();
    for (int i : {6, 7, 8, 10})
        luecke[i]->setCaption(QString());
    luecke[5]->setCaption(QString::number(t.d));
    const TaskDigits digits = taskDigits(t.a, t.b, t.c, t.d, t.r);
    shell::VbLabel* const dividend[4] = {luecke[1], luecke[2], luecke[3], luecke[4]};
    showDividend(dividend, digits.liste1.at(0));
    Liste1 = digits.liste1;
    Liste2 = digits.liste2;
    record.taskDrawn(100 * t.a + 10 * t.b + t.c, t.d, t.r, true,
                     QDateTime::currentMSecsSinceEpoch());
    practiceRecorded();
}

// ------------------------------------------------------------------ modes

void Form1::Befehl21_Click() {
    EnterNormalMode();
    NewNormalTask();
}

void Form1::Befehl20_Click() {
    EnterRemainderMode();
    NewRemainderTask();
}

void Form1::EnterNormalMode() {
    setWindowTitle(QStringLiteral("Schriftliche Division mit Einerzahl"));
    tw::setTop(Bild6, 7200);
    Bezeichnung21->setCaption(QStringLiteral("E"));
    HideKeyCursors();
    ClearRemainderCells();
}

void Form1::EnterRemainderMode() {
    setWindowTitle(QStringLiteral("Schriftliche Division mit Rest"));
    tw::setTop(Bild6, 720);
    Bezeichnung21->setCaption(QStringLiteral("R"));
    HideKeyCursors();
    ClearNormalCells();
}

} // namespace trainer
