// Digit entry: drops of a digit key onto a cell or a keyboard marker, cell
// selection by click, typed and tapped digits, and the checks that follow
// each digit.
#include <QDateTime>
#include <QPushButton>
#include <algorithm>

#include "double_click.h"
#include "exercise_window.h"
#include "runtime.h"
#include "twips.h"

namespace trainer {

namespace {
const QString kInputError = QStringLiteral("Eingabefehler");

void box(const char* text, const QString& title) {
    shell::runtime().msgBox(QString::fromUtf8(text) + QLatin1String("\r\r"), shell::OkOnly, title);
}

// The digit a drop carries: the caption of a command button, nothing otherwise.
QString droppedDigit(QWidget* source) {
    if (auto* b = qobject_cast<QPushButton*>(source)) return b->text();
    return {};
}

quint8 charCode(const QString& s) {
    return s.isEmpty() ? 0 : quint8(s.at(0).toLatin1());
}

// What the record keeps of a refused digit. entered: a key code, or the
// character code of a dropped digit.
WrongDigit wrongDigit(long long cellNumber, const QString& expected, int entered, EntryWay way) {
    WrongDigit w;
    w.cellNumber = quint8(std::clamp<long long>(cellNumber, 0, kCellCount));
    w.expected = char(charCode(expected));
    w.entered = quint8(std::clamp(entered, 0, 255));
    w.way = way;
    return w;
}

qint64 now() {
    return QDateTime::currentMSecsSinceEpoch();
}
} // namespace

void Form1::wireEntry() {
    const CellRule* rules = cellRules();
    for (int i = 0; i < kCellCount; ++i) {
        const CellRule* rule = &rules[i];
        shell::VbLabel* c = cell(*rule);
        c->onDragDrop = [this, rule](QWidget* source) { CellDragDrop(*rule, source); };
        c->onClick = [this, rule] { CellClick(*rule); };
        shell::takeDigitEntry(c);
    }
    // The given cells of both layouts take no drops: they hold the task itself.
    licht->onClick = [this] { licht_Click(); };
    licht2->onClick = [this] { licht2_Click(); };
    licht->onDragDrop = [this](QWidget* s) { licht_DragDrop(s); };
    licht2->onDragDrop = [this](QWidget* s) { licht2_DragDrop(s); };
    for (shell::DragButton* key : DigitKey) {
        key->onClick = [this, key] { DigitKey_Click(key); };
        shell::takeDigitEntry(key);
    }
    shell::takeDigitEntry(licht);
    shell::takeDigitEntry(licht2);
}

void Form1::CellDragDrop(const CellRule& rule, QWidget* source) {
    shell::VbLabel* c = cell(rule);
    shell::VbLabel* required = rule.required ? cellNamed(QLatin1String(rule.required)) : nullptr;
    if (rule.need == Need::Refuse && required->caption().isEmpty()) {
        orderHint("Setze zuerst die Ergebnisziffer ein.");
        return;
    }
    if (rule.colourFrom) {
        shell::VbLabel* divisor = rule.remainderLayout ? luecke[5] : Bezeichnung5;
        divisor->setForeColor(cellNamed(QLatin1String(rule.colourFrom))->foreColor());
    }
    if (qobject_cast<QPushButton*>(source)) c->setCaption(droppedDigit(source));
    if (c->caption() != expectedDigit(rule)) {
        // The box appears while the wrong digit is still in the cell.
        ReportWrongDigit(wrongDigit(rule.cellNumber, expectedDigit(rule), charCode(c->caption()),
                                    EntryWay::Drag));
        c->setCaption(QString());
    } else {
        AddPoint();
    }
    const bool solved = rule.remainderLayout ? CheckRemainderTaskDone() : CheckNormalTaskDone();
    // Once solved, the cells already belong to the next task: no reminder.
    if (rule.need == Need::Remind && !solved && required->caption().isEmpty())
        orderHint("Es fehlt noch die Ergebnisziffer!");
}

void Form1::orderHint(const char* text) {
    record.orderHint(now());
    practiceRecorded();
    box(text, kInputError);
}

void Form1::ReportWrongDigit(const WrongDigit& entry) {
    record.wrongDigit(entry, now());
    practiceRecorded();
    ReportWrongDigit();
}

void Form1::ReportWrongDigit() {
    box("Das ist leider falsch, rechne nochmal.", QStringLiteral("Fehler"));
    const QString errors = QString::number(Bezeichnung15->value() + 1);
    Bezeichnung15->setCaption(errors);
    Bezeichnung23->setCaption(errors);
}

bool Form1::CheckNormalTaskDone() {
    const long long expected = (Liste1.value(2) + Liste2.value(5)).toLongLong();
    const long long entered = (Bezeichnung6->caption() + Bezeichnung20->caption() +
                               Bezeichnung27->caption() + Bezeichnung28->caption())
                                  .toLongLong();
    if (expected != entered) return false;
    record.taskSolved(now());
    practiceRecorded();
    box("Die Aufgabe wurde richtig gelöst.", QStringLiteral("Teilaufgabe"));
    HideKeyCursors();
    AdvanceRewardLadder();
    NewNormalTask();
    return true;
}

bool Form1::CheckRemainderTaskDone() {
    const QString expected = Liste1.value(2) + Liste1.value(3) + Liste2.value(5);
    const QString entered = luecke[6]->caption() + luecke[7]->caption() + luecke[8]->caption() +
                            luecke[10]->caption() + luecke[21]->caption();
    if (expected != entered) return false;
    record.taskSolved(now());
    practiceRecorded();
    box("Die Aufgabe wurde richtig gelöst.", QStringLiteral("Lückenaufgabe"));
    HideKeyCursors();
    AdvanceRewardLadder();
    NewRemainderTask();
    return true;
}

// ------------------------------------------------------------------ keyboard

void Form1::CellClick(const CellRule& rule) {
    shell::VbLabel* c = cell(rule);
    if (!c->caption().isEmpty()) return;
    shell::VbPicture* marker = rule.remainderLayout ? licht2 : licht;
    tw::setLeft(marker, tw::left(c));
    tw::setTop(marker, tw::top(c));
    marker->raise();
    lichtzahl->setCaption(expectedDigit(rule));
    lichtwert->setCaption(QString::number(rule.cellNumber));
}

void Form1::Form_KeyDown(int keyCode, int /*shift*/) {
    const bool normal = Bezeichnung21->caption() == QLatin1String("E");
    const bool remainder = Bezeichnung21->caption() == QLatin1String("R");
    if (normal && lichtParked()) return;
    if (remainder && licht2Parked()) return;
    const QString typed = QString(QChar(keyCode));
    if (typed == lichtzahl->caption()) {
        if (normal)
            licht_Click();
        else if (remainder)
            licht2_Click();
        if (PlaceTypedDigit()) AddPoint();
    } else {
        ReportWrongDigit(
            wrongDigit(lichtwert->value(), lichtzahl->caption(), keyCode, EntryWay::Key));
    }
    if (normal)
        CheckNormalTaskDone();
    else if (remainder)
        CheckRemainderTaskDone();
}

bool Form1::PlaceTypedDigit() {
    // The same quotient cells as for drops; only the refusal's text and the
    // reminder's moment differ.
    const CellRule* rule = ruleForNumber(int(lichtwert->value()));
    if (!rule) return false;
    const bool missing =
        rule->required && cellNamed(QLatin1String(rule->required))->caption().isEmpty();
    if (missing && rule->need == Need::Refuse) {
        orderHint("Es fehlt noch die Ergebnisziffer!");
        return false;
    }
    cell(*rule)->setCaption(lichtzahl->caption());
    if (missing && rule->need == Need::Remind) orderHint("Es fehlt noch die Ergebnisziffer!");
    return true;
}

void Form1::licht_Click() {
    tw::setLeft(licht, kLichtParking.x());
    tw::setTop(licht, kLichtParking.y());
}

void Form1::licht2_Click() {
    tw::setLeft(licht2, kLicht2Parking.x());
    tw::setTop(licht2, kLicht2Parking.y());
}

void Form1::licht_DragDrop(QWidget* source) {
    markerDrop(source, &Form1::licht_Click);
    CheckNormalTaskDone();
}

void Form1::licht2_DragDrop(QWidget* source) {
    markerDrop(source, &Form1::licht2_Click);
    CheckRemainderTaskDone();
}

void Form1::markerDrop(QWidget* source, void (Form1::*park)()) {
    const QString digit = droppedDigit(source);
    if (digit == lichtzahl->caption() && !digit.isEmpty()) {
        (this->*park)();
        if (PlaceTypedDigit()) AddPoint();
    } else {
        ReportWrongDigit(wrongDigit(lichtwert->value(), lichtzahl->caption(), charCode(digit),
                                    tapping_ ? EntryWay::Tap : EntryWay::Drag));
    }
}

void Form1::DigitKey_Click(QWidget* key) {
    // A tap on a digit key is that key dropped onto the keyboard marker of
    // the layout in front, where a cell is selected: at a touch panel the
    // child taps the cell, then the digit.
    tapping_ = true;
    if (Bezeichnung21->caption() == QLatin1String("E") && !lichtParked())
        licht_DragDrop(key);
    else if (Bezeichnung21->caption() == QLatin1String("R") && !licht2Parked())
        licht2_DragDrop(key);
    tapping_ = false;
}

void Form1::Befehl15_Click() {
    const QString cr = QStringLiteral("\r");
    const QString text = QStringLiteral("Schiebe die Ziffern vom unteren Fensterrand") + cr +
                         QStringLiteral("mit der Maus in das gewünschte Lösungsfeld.") + cr +
                         QStringLiteral("Du kannst auch mit den Tasten arbeiten. Dazu") + cr +
                         QStringLiteral("klickst zu zuerst auf das gewünschte Feld und") + cr +
                         QStringLiteral("eine Taste erscheint. Nun gibst du die Zahl ein.") + cr +
                         QStringLiteral("Für jede richtige Ziffer gibt es einen Punkt und") + cr +
                         QStringLiteral("alle 50 Punkte gibt es dann ein Belohnungsspiel.") + cr;
    shell::runtime().msgBox(text, shell::OkOnly, QStringLiteral("Hilfe"));
}

} // namespace trainer
