#include "exercise_window.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

#include "accessible_controls.h"
#include "counter_column.h"
#include "double_click.h"
#include "exercise_keyboard.h"
#include "controls.h"
#include "fonts.h"
#include "icons.h"
#include "desktop.h"
#include "keys.h"
#include "sheet_panel.h"
#include "task_choice_control.h"
#include "twips.h"
#include "window_stack.h"

namespace windows {

using core::Mode;

namespace {
const QColor kWindowBack(192, 192, 255);
const QColor kRemainderBoxBack(128, 128, 255);
const QColor kNumberCatchPrompt(0, 192, 0);
const QColor kMemoryPrompt(192, 192, 192);

// Where the box with remainder stands: over the work area, or below the
// window while the layout without remainder is shown.
constexpr int kRemainderBoxShown = 720;
constexpr int kRemainderBoxAway = 7200;
constexpr int kLadderFoot = 5880;
constexpr int kLadderStepTwips = 240;
} // namespace

ExerciseWindow::ExerciseWindow(widgets::WindowStack& windows)
    : ProgramWindow(windows),
      exercise_([this] { return desktop().random(); }, [this] { return desktop().now(); }) {
    setObjectName(QStringLiteral("exerciseWindow"));
    setWindowTitle(QStringLiteral("Einstellige Division"));
    setClientTwips(9060, 6645, Growing);
    widgets::fillBackground(this, kWindowBack);
    setFont(widgets::sansFont(8.25, true));
    setKeyPreview(true);

    // Made in the order they stack: what is made later lies on top.
    workFrame = new widgets::Shape(this, QStringLiteral("workFrame"));
    tw::place(workFrame, 960, 720, 7095, 4695);
    workFrame->setNoFill();
    workFrame->setBorderColour(Qt::black);

    normalLayout_ = new DivisionLayout(Mode::Normal, this);
    remainderBox = new widgets::Picture(this, QStringLiteral("remainderBox"));
    tw::place(remainderBox, 960, kRemainderBoxAway, 7095, 4695);
    remainderBox->setBackground(kRemainderBoxBack);
    remainderLayout_ = new DivisionLayout(Mode::Remainder, remainderBox);
    connectLayout(*normalLayout_);
    connectLayout(*remainderLayout_);

    buildCommandRow();
    buildDigitKeys();
    counters_ = std::make_unique<CounterColumn>(*this);
    buildLadderAndPrompts();
    taskChoice_ = std::make_unique<TaskChoiceControl>(*this);
    sheetPanel_ = std::make_unique<SheetPanel>(*this);
    keyboard_ = new ExerciseKeyboard(*this, [this](int digit, const core::Entered& key) {
        exercise_.pressKey(digit, key);
        changed();
    });

    exercise_.onNotice = [this](core::Notice n) { tell(n); };
}

ExerciseWindow::~ExerciseWindow() = default;

void ExerciseWindow::buildCommandRow() {
    auto button = [this](const char* name, const char* text, int left) {
        auto* b =
            new widgets::CommandButton(this, QLatin1String(name), QString::fromUtf8(text));
        tw::place(b, left, 120, 1335, 495);
        return b;
    };
    endButton = button("endButton", "Ende", 960);
    helpButton = button("helpButton", "Hilfe", 2400);
    normalButton = button("normalButton", "Normal", 3840);
    remainderButton = button("remainderButton", "mit Rest", 5280);
    sheetButton = button("sheetButton", "Blatt", 6720);
    connect(endButton, &QPushButton::clicked, this, &ExerciseWindow::leave);
    connect(helpButton, &QPushButton::clicked, this, &ExerciseWindow::showHelp);
    connect(normalButton, &QPushButton::clicked, this, [this] { chooseMode(Mode::Normal); });
    connect(remainderButton, &QPushButton::clicked, this,
            [this] { chooseMode(Mode::Remainder); });
}

void ExerciseWindow::buildDigitKeys() {
    // Large digits on the keys: they are what the child picks up.
    const QFont keyFont = widgets::sansFont(13.5, true);
    for (int digit = 0; digit < 10; ++digit) {
        auto* k = new widgets::DigitKey(this, QStringLiteral("digitKey%1").arg(digit), digit);
        tw::place(k, 960 + 720 * digit, 5520, 615, 495);
        k->setFont(keyFont);
        k->setCursor(Qt::OpenHandCursor);
        widgets::takeDigitEntry(k);
        connect(k, &widgets::DigitKey::tapped, this, [this, digit] { tap(digit); });
        digitKeys[size_t(digit)] = k;
    }
}

void ExerciseWindow::buildLadderAndPrompts() {
    ladderColumn = new widgets::Shape(this, QStringLiteral("ladderColumn"));
    tw::place(ladderColumn, 8160, 120, 735, 6375);
    ladderColumn->setFill(Qt::black);
    ladderColumn->setBorderColour(Qt::black);
    ladderGoal = new widgets::Picture(this, QStringLiteral("ladderGoal"));
    tw::place(ladderGoal, 8280, 240, 495, 495);
    ladderGoal->setBackground(Qt::black);
    ladderGoal->setPicture([](QPainter& p, const QRectF& r) { icons::goal(p, r); });
    climber = new widgets::Picture(this, QStringLiteral("climber"));
    tw::place(climber, 8280, kLadderFoot, 495, 495);
    climber->setBackground(Qt::black);
    climber->setPicture([](QPainter& p, const QRectF& r) { icons::climber(p, r); });

    promptBand = new widgets::Shape(this, QStringLiteral("promptBand"));
    tw::place(promptBand, 960, 6120, 7095, 375);
    promptBand->setFill(Qt::black);
    promptBand->setBorderColour(Qt::black);
    auto prompt = [this](const char* name, const QColor& text, games::Reward reward) {
        auto* p = new widgets::ClickableLabel(
            this, QLatin1String(name),
            QStringLiteral("Du hast eine Belohnung erhalten, klicke hier . . ."));
        tw::place(p, 960, 6120, 7095, 375);
        p->setFont(widgets::sansFont(13.5, true));
        p->setAlignment(Qt::AlignCenter);
        p->setColours(text, Qt::black);
        p->setCursor(Qt::PointingHandCursor);
        p->hide();
        connect(p, &widgets::ClickableLabel::clicked, this, [this, reward] { claimReward(reward); });
        return p;
    };
    // The memory prompt lies beneath: when both wait, the number catch is
    // claimed first and the memory prompt shows after it.
    memoryPrompt = prompt("memoryPrompt", kMemoryPrompt, games::Reward::Ladder);
    numberCatchPrompt = prompt("numberCatchPrompt", kNumberCatchPrompt, games::Reward::Points);
    memoryPrompt->setAccessibleName(QStringLiteral("Belohnung: Memory"));
    numberCatchPrompt->setAccessibleName(QStringLiteral("Belohnung: Zahlfange"));
    showLadder();
    ladderColumn->setAccessibleName(QStringLiteral("Leiter"));
}

void ExerciseWindow::connectLayout(DivisionLayout& layout) {
    connect(&layout, &DivisionLayout::cellClicked, this, [this](int cell) {
        exercise_.selectCell(cell);
        showExercise();
    });
    connect(&layout, &DivisionLayout::digitDroppedOnCell, this, [this](int cell, int digit) {
        exercise_.dropOnCell(cell, digit);
        changed();
    });
    connect(&layout, &DivisionLayout::markerClicked, this, [this] {
        exercise_.unselect();
        showExercise();
    });
    connect(&layout, &DivisionLayout::digitDroppedOnMarker, this, [this](int digit) {
        exercise_.dropOnMarker(digit, core::EntryWay::Drag);
        changed();
    });
}

widgets::DigitCell* ExerciseWindow::cell(int number) const {
    if (widgets::DigitCell* c = normalLayout_->cell(number)) return c;
    return remainderLayout_->cell(number);
}

// ------------------------------------------------------------------ showing

void ExerciseWindow::showExercise() {
    const core::Exercise& e = exercise_;
    if (e.modeChosen())
        setWindowTitle(e.mode() == Mode::Remainder
                           ? QStringLiteral("Schriftliche Division mit Rest")
                           : QStringLiteral("Schriftliche Division mit Einerzahl"));
    const int boxTop = e.mode() == Mode::Remainder ? kRemainderBoxShown : kRemainderBoxAway;
    if (tw::top(remainderBox) != boxTop) tw::setTop(remainderBox, boxTop);
    normalLayout_->show(e);
    remainderLayout_->show(e);
    counters_->show(e);
    const int climberTop = kLadderFoot - kLadderStepTwips * e.ladderStep();
    if (tw::top(climber) != climberTop) tw::setTop(climber, climberTop);
    showLadder();
    memoryPrompt->setVisible(e.memoryWaiting());
    numberCatchPrompt->setVisible(e.numberCatchWaiting());
    sheetPanel_->show(e);
    keyboard_->follow();
}

void ExerciseWindow::showLadder() {
    const int step = exercise_.ladderStep();
    widgets::showProgress(
        ladderColumn, step, core::Exercise::kLadderSteps,
        QStringLiteral("Stufe %1 von %2").arg(step).arg(core::Exercise::kLadderSteps));
}

void ExerciseWindow::changed() {
    showExercise();
    counters_->recordChanged();
}

void ExerciseWindow::tell(core::Notice notice) {
    auto box = [this](const char* text, const char* title) {
        desktop().message(this, QString::fromUtf8(title),
                          QString::fromUtf8(text) + QLatin1String("\r\r"));
    };
    // The child sees the exercise as it stands when told.
    changed();
    switch (notice) {
    case core::Notice::PlaceQuotientFirst:
        box("Setze zuerst die Ergebnisziffer ein.", "Eingabefehler");
        break;
    case core::Notice::WrongDigit:
        box("Das ist leider falsch, rechne nochmal.", "Fehler");
        break;
    case core::Notice::QuotientMissing:
        box("Es fehlt noch die Ergebnisziffer!", "Eingabefehler");
        break;
    case core::Notice::Solved:
        box("Die Aufgabe wurde richtig gelöst.",
            exercise_.mode() == Mode::Remainder ? "Lückenaufgabe" : "Teilaufgabe");
        break;
    }
}

// ------------------------------------------------------------------ the window

void ExerciseWindow::broughtToFront() {
    centreOnScreen();
    exercise_.enter();
    changed();
    keyboard_->enterDivision();
}

void ExerciseWindow::leave() {
    exercise_.leave();
    showExercise();
    stack().hide(this);
    if (startWindow)
        if (widgets::ProgramWindow* f = startWindow()) stack().show(f);
}

bool ExerciseWindow::closeRequested() {
    // The window lives for the whole run: closing it means "Ende".
    leave();
    return false;
}

void ExerciseWindow::chooseMode(Mode mode) {
    exercise_.chooseMode(mode);
    changed();
}

void ExerciseWindow::keyPressed(QKeyEvent* e) {
    if (keyboard_->keyPressed(e)) takeKey();
}

void ExerciseWindow::keyReleased(QKeyEvent* e) {
    keyboard_->keyReleased(e);
}

void ExerciseWindow::tap(int digit) {
    // A tap on a digit key is that digit dropped onto the keyboard marker of
    // the layout in front, where a cell waits: at a touch panel the child
    // taps the cell, then the digit.
    exercise_.dropOnMarker(digit, core::EntryWay::Tap);
    changed();
}

void ExerciseWindow::showHelp() {
    const QString text = QStringLiteral("Schiebe die Ziffern vom unteren Fensterrand\r"
                                        "mit der Maus in das gewünschte Lösungsfeld.\r"
                                        "Du kannst auch mit den Tasten arbeiten. Dazu\r"
                                        "klickst zu zuerst auf das gewünschte Feld und\r"
                                        "eine Taste erscheint. Nun gibst du die Zahl ein.\r"
                                        "Für jede richtige Ziffer gibt es einen Punkt und\r"
                                        "alle 50 Punkte gibt es dann ein Belohnungsspiel.\r"
                                        "\r"
                                        "Nur mit der Tastatur:\r"
                                        "Tab: zum nächsten leeren Feld,\r"
                                        "Umschalt+Tab: zum Feld davor,\r"
                                        "Pfeiltasten: zum Feld in Pfeilrichtung,\r"
                                        "Strg+Tab: zu den Knöpfen und zurück,\r"
                                        "Leertaste oder Eingabetaste: Knopf drücken.\r");
    desktop().message(this, QStringLiteral("Hilfe"), text);
}

// ------------------------------------------------------------------ rewards

void ExerciseWindow::claimReward(games::Reward reward) {
    if (reward == games::Reward::Points)
        exercise_.claimNumberCatch();
    else
        exercise_.claimMemory();
    showExercise();
    if (games::RewardGame* game = rewardGame ? rewardGame(reward) : nullptr) game->open(*this);
}

// ------------------------------------------------------------------ the teacher's side

printing::PrinterLock ExerciseWindow::printerLock() const {
    // No info window to ask: printing stays locked.
    return {printingLocked ? printingLocked() : true, QString::number(exercise_.points())};
}

void ExerciseWindow::contextMenuEvent(QContextMenuEvent* e) {
    // A right click anywhere on the counter column reaches the window, from
    // the column's own controls too.
    if (!counters_->contains(e->pos())) {
        e->ignore();
        return;
    }
    e->accept();
    counters_->showMenu(e->globalPos());
}

} // namespace windows
