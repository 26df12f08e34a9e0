#include "practice_record.h"

#include <algorithm>
#include <limits>

namespace core {

namespace {

quint32 seconds(qint64 atMs) {
    return quint32(std::max<qint64>(0, atMs / 1000));
}

void countUp(quint16& n) {
    if (n < std::numeric_limits<quint16>::max()) ++n;
}

} // namespace

QString bucketName(int bucket) {
    switch (bucket) {
    case 0:
        return QStringLiteral("Ergebnisziffer");
    case 1:
        return QStringLiteral("Malnehmen");
    case 2:
        return QStringLiteral("Abziehen");
    case 3:
        return QStringLiteral("Herunterholen");
    case 4:
        return QStringLiteral("Rest");
    default:
        return QStringLiteral("andere Taste");
    }
}

int bucketOf(const WrongDigit& w) {
    // A key that gives no digit counts as such, whatever cell waits for it.
    if (w.entered.kind != Entered::Kind::Digit) return kOtherKeyBucket;
    const AnswerCell* cell = answerCell(w.cellNumber);
    return cell ? int(cell->step()) : kOtherKeyBucket;
}

void PracticeRecord::touch(qint64 atMs) {
    const quint32 s = seconds(atMs);
    if (firstAt_ == 0) firstAt_ = s;
    lastAt_ = std::max(lastAt_, s);
}

void PracticeRecord::taskDrawn(int quotient, int divisor, int remainder, bool remainderMode,
                               qint64 atMs, const TaskChoice& choice) {
    Task t;
    t.drawnAt = seconds(atMs);
    t.quotient = quint16(quotient);
    t.divisor = quint8(divisor);
    t.remainder = quint8(remainder);
    t.remainderMode = remainderMode;
    if (inSheet_) {
        sheetTask_ = t;
        sheetChoice_ = quint16(choice.code());
        sheetTaskInWindow_ = true;
        return;
    }
    touch(atMs);
    sheetTaskInWindow_ = false;
    tasks_.push_back(t);
    noteChoice(quint16(choice.code()), t.drawnAt);
    trim();
}

void PracticeRecord::noteChoice(quint16 choice, quint32 at) {
    if (!choices_.empty() && choices_.back().choice == choice) return;
    if (choices_.size() == kKeptChoices) choices_.erase(choices_.begin());
    choices_.push_back({at, choice});
}

void PracticeRecord::sheetStarted() {
    inSheet_ = true;
}

void PracticeRecord::sheetFinished() {
    inSheet_ = false;
}

PracticeRecord::Task* PracticeRecord::current() {
    if (sheetTaskInWindow_) {
        sheetTaskInWindow_ = false;
        tasks_.push_back(sheetTask_);
        noteChoice(sheetChoice_, sheetTask_.drawnAt);
        trim();
    }
    return tasks_.empty() ? nullptr : &tasks_.back();
}

void PracticeRecord::taskSolved(qint64 atMs) {
    touch(atMs);
    Task* t = current();
    if (!t || t->solved) return;
    t->solved = true;
    ++solved_[t->remainderMode ? 1 : 0];
}

void PracticeRecord::rightDigit(qint64 atMs) {
    touch(atMs);
    current();
    ++right_;
}

void PracticeRecord::wrongDigit(const WrongDigit& w, qint64 atMs) {
    touch(atMs);
    ++wrong_[bucketOf(w)];
    ++byWay_[int(w.way)];
    Task* t = current();
    if (!t) return;
    countUp(t->wrongDigits);
    entries_.push_back({firstSerial_ + quint32(tasks_.size() - 1), w});
    trim();
}

void PracticeRecord::orderHint(qint64 atMs) {
    touch(atMs);
    ++hints_;
    if (Task* t = current()) countUp(t->hints);
}

void PracticeRecord::clear(qint64 atMs) {
    const bool keep = !tasks_.empty() && !sheetTaskInWindow_;
    const Task kept = keep ? tasks_.back() : Task();
    const quint32 keptSerial = keep ? firstSerial_ + quint32(tasks_.size() - 1) : firstSerial_;
    tasks_.clear();
    entries_.clear();
    solved_[0] = solved_[1] = 0;
    right_ = hints_ = 0;
    std::fill(std::begin(wrong_), std::end(wrong_), 0);
    std::fill(std::begin(byWay_), std::end(byWay_), 0);
    firstAt_ = lastAt_ = seconds(atMs);
    if (sheetTaskInWindow_) sheetTask_.drawnAt = firstAt_;
    // The task kept in the window came under the latest choice.
    const quint16 keptChoice =
        choices_.empty() ? quint16(TaskChoice().code()) : choices_.back().choice;
    choices_.clear();
    if (!keep) return;
    noteChoice(keptChoice, firstAt_);
    Task fresh = kept;
    fresh.drawnAt = firstAt_;
    fresh.solved = false;
    fresh.wrongDigits = fresh.hints = 0;
    tasks_.push_back(fresh);
    firstSerial_ = keptSerial;
}

bool PracticeRecord::hasWork() const {
    return right_ > 0 || hints_ > 0 || wrongDigits() > 0 || solved_[0] + solved_[1] > 0;
}

quint64 PracticeRecord::wrongDigits() const {
    quint64 n = 0;
    for (quint64 w : wrong_)
        n += w;
    return n;
}

quint64 PracticeRecord::wrongIn(int bucket) const {
    return bucket >= 0 && bucket < kBucketCount ? wrong_[bucket] : 0;
}

size_t PracticeRecord::memoryBytes() const {
    return sizeof(*this) + tasks_.capacity() * sizeof(Task) + entries_.capacity() * sizeof(Entry);
}

void PracticeRecord::trim() {
    // The report shows the latest tasks; a quarter of the oldest details goes
    // at a time, so trimming stays rare.
    if (tasks_.size() > kKeptTasks) {
        const size_t drop = kKeptTasks / 4;
        tasks_.erase(tasks_.begin(), tasks_.begin() + std::ptrdiff_t(drop));
        firstSerial_ += quint32(drop);
        const auto gone = std::find_if(entries_.begin(), entries_.end(),
                                       [this](const Entry& e) { return e.task >= firstSerial_; });
        entries_.erase(entries_.begin(), gone);
    }
    if (entries_.size() > kKeptEntries)
        entries_.erase(entries_.begin(), entries_.begin() + std::ptrdiff_t(kKeptEntries / 4));
}

} // namespace core
