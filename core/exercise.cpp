#include "exercise.h"

#include "sheet_number.h"
#include "task_draw.h"

namespace core {

Exercise::Exercise(Random random, Clock clock)
    : random_(std::move(random)), clock_(std::move(clock)) {
    written_ = writtenDivision(task_);
}

QChar Exercise::digitIn(int cell) const {
    return cell >= 1 && cell <= kAnswerCells ? digits_[size_t(cell)] : QChar();
}

void Exercise::tell(Notice notice) {
    if (onNotice) onNotice(notice);
}

// ------------------------------------------------------------------ tasks and modes

void Exercise::enter() {
    selected_.reset();
    if (normalOnReturn_)
        chooseMode(Mode::Normal);
    else
        newTask();
}

void Exercise::leave() {
    selected_.reset();
    normalOnReturn_ = mode_ == Mode::Remainder;
}

void Exercise::chooseMode(Mode mode) {
    switchMode(mode);
    newTask();
}

void Exercise::switchMode(Mode mode) {
    modeChosen_ = true;
    mode_ = mode;
    normalOnReturn_ = false;
    selected_.reset();
    digits_.fill(QChar());
}

void Exercise::newTask() {
    showTask(drawTask(random_, mode_, choice_), choice_);
}

void Exercise::showTask(const Task& task, const TaskChoice& drawnUnder) {
    task_ = task;
    written_ = writtenDivision(task);
    digits_.fill(QChar());
    divisorColour_ = StepColour::First;
    record_.taskDrawn(task.quotient, task.divisor, task.remainder, mode_ == Mode::Remainder, now(),
                      drawnUnder);
}

// ------------------------------------------------------------------ the choice of tasks

void Exercise::setChoice(const TaskChoice& choice) {
    choice_ = choice;
}

TargetedPractice Exercise::targetedPractice() const {
    return core::targetedPractice(record_, choice_, mode_);
}

void Exercise::applyTargetedPractice(const TargetedPractice& aim) {
    if (aim.choice) setChoice(*aim.choice);
    if (aim.mode) chooseMode(*aim.mode);
}

// ------------------------------------------------------------------ entry

void Exercise::selectCell(int cell) {
    const AnswerCell* c = answerCell(cell);
    if (!c || c->mode != mode_ || !isEmpty(cell)) return;
    selected_ = cell;
}

void Exercise::unselect() {
    selected_.reset();
}

void Exercise::dropOnCell(int cell, int digit) {
    const AnswerCell* c = answerCell(cell);
    if (!c || c->mode != mode_) return;
    const int quotient = answerCell(mode_, c->neededQuotient())->number;
    const bool quotientMissing = c->quotientNeed() != QuotientNeed::None && isEmpty(quotient);
    if (quotientMissing && c->quotientNeed() == QuotientNeed::Refuse) {
        record_.orderHint(now());
        tell(Notice::PlaceQuotientFirst);
        return;
    }
    if (const std::optional<StepColour> colour = c->divisorColourOnDrop()) divisorColour_ = *colour;
    const QChar dropped(QLatin1Char(char('0' + digit)));
    digits_[size_t(cell)] = dropped;
    if (dropped != c->expected(written_)) {
        // The child is told while the wrong digit still stands in the cell.
        wrongDigit(cell, Entered::ofDigit(digit), EntryWay::Drag);
        digits_[size_t(cell)] = QChar();
    } else {
        addPoint();
    }
    const bool solved = checkSolved();
    // Once solved, the cells belong to the next task: no reminder.
    if (!solved && c->quotientNeed() == QuotientNeed::Remind && isEmpty(quotient)) {
        record_.orderHint(now());
        tell(Notice::QuotientMissing);
    }
}

void Exercise::dropOnMarker(int digit, EntryWay way) {
    if (!selected_) return;
    enterAtMarker(QLatin1Char(char('0' + digit)), Entered::ofDigit(digit), way);
}

void Exercise::pressKey(int digit, const Entered& entered) {
    if (!selected_) return;
    enterAtMarker(digit >= 0 ? QChar(QLatin1Char(char('0' + digit))) : QChar(), entered,
                  EntryWay::Key);
}

void Exercise::enterAtMarker(QChar digit, const Entered& entered, EntryWay way) {
    const int cell = *selected_;
    if (!digit.isNull() && digit == answerCell(cell)->expected(written_)) {
        selected_.reset();
        if (placeWaitingDigit(cell)) addPoint();
    } else {
        wrongDigit(cell, entered, way);
    }
    checkSolved();
}

bool Exercise::placeWaitingDigit(int cell) {
    // The same quotient digits as for drops; only the refusal's words and
    // the reminder's moment differ.
    const AnswerCell* c = answerCell(cell);
    const QuotientNeed need = c->quotientNeed();
    const bool missing =
        need != QuotientNeed::None && isEmpty(answerCell(mode_, c->neededQuotient())->number);
    if (missing && need == QuotientNeed::Refuse) {
        record_.orderHint(now());
        tell(Notice::QuotientMissing);
        return false;
    }
    digits_[size_t(cell)] = c->expected(written_);
    if (missing) {
        record_.orderHint(now());
        tell(Notice::QuotientMissing);
    }
    return true;
}

void Exercise::wrongDigit(int cell, const Entered& entered, EntryWay way) {
    const QChar expected = answerCell(cell)->expected(written_);
    record_.wrongDigit({quint8(cell), char(expected.toLatin1()), entered, way}, now());
    tell(Notice::WrongDigit);
    ++errors_;
}

void Exercise::addPoint() {
    ++points_;
    record_.rightDigit(now());
    // Shown until claimed; later multiples of 50 do not pile up.
    if (points_ % 50 == 0) numberCatchWaiting_ = true;
}

bool Exercise::checkSolved() {
    // Only right digits stay in the cells: the task is solved once the
    // quotient and the last difference (and the remainder) stand.
    for (const AnswerCell* c : answerCells(mode_))
        if (isSolvingCell(c->role) && isEmpty(c->number)) return false;
    record_.taskSolved(now());
    tell(Notice::Solved);
    selected_.reset();
    if (++ladderStep_ >= kLadderSteps) memoryWaiting_ = true;
    newTask();
    return true;
}

// ------------------------------------------------------------------ rewards

void Exercise::setProgress(const Progress& p) {
    points_ = p.points;
    errors_ = p.errors;
    ladderStep_ = p.ladderStep;
}

void Exercise::claimNumberCatch() {
    numberCatchWaiting_ = false;
}

void Exercise::claimMemory() {
    memoryWaiting_ = false;
    ladderStep_ = 0;
}

// ------------------------------------------------------------------ worksheets

SheetNumber Exercise::newSheetNumber() {
    return sheetNumberFrom(mode_, random_(), choice_);
}

void Exercise::composeSheet() {
    selected_.reset();
    showSheetNumbered(newSheetNumber());
}

void Exercise::showSheetNumbered(const SheetNumber& number) {
    selected_.reset();
    if (number.mode != mode_) switchMode(number.mode);
    sheet_ = number;
    // The sheet's last task stays on screen, as if the exercise had drawn all
    // twelve. It is no work of the child's until the child works on it.
    record_.sheetStarted();
    showTask(sheetTasks(number).constLast(), number.choice);
    record_.sheetFinished();
}

void Exercise::closeSheet() {
    sheet_.reset();
}

} // namespace core
