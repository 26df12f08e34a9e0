// A long seeded run of random real input through the program's windows, every
// box answered at random, checking after every event what must always hold of
// the exercise and the windows. A failure names the seed, the event, the last 30
// events with their box answers, and the line that replays it:
//   DIVISION_SOAK_SEED=<seed> DIVISION_SOAK_EVENTS=<n> soak_random_input
// (or --seed=N --events=N). The number-catch game's clock never fires on its
// own: the run ticks the game itself, so no run depends on the machine's speed.
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <random>

#include "../windows/exercise_driver.h"
#include "info_window.h"
#include "memory_window.h"
#include "number_catch_window.h"
#include "practice_report.h"
#include "practice_report_window.h"
#include "class_names.h"
#include "sheet_text.h"
#include "window_stack.h"

namespace {

using namespace games;
using namespace windows;
using Box = ScriptedDesktop::Box;
using core::Mode;
using widgets::ProgramWindow;

// The boxes the program has: the title, then the first words of each prompt
// shown under it (a save dialog's prompt is its filter).
const QString kPrintFlow = QStringLiteral("|Das Rechenblatt |Das Lösungsblatt |Der Klassensatz "
                                          "|Der Übungsbericht |Es ist kein Drucker|Der Druck ist"
                                          "|Die PDF-Datei konnte");
const QStringList kKnownBoxes = {
    "Fehler|Das ist leider falsch",
    "Eingabefehler|Setze zuerst|Es fehlt noch",
    "Teilaufgabe|Die Aufgabe wurde richtig",
    "Lückenaufgabe|Die Aufgabe wurde richtig",
    "Hilfe|Schiebe die Ziffern",
    "Schriftliche Division|Dieses Programm|Das Rechenblatt jetzt|Das Lösungsblatt jetzt",
    "Zahlfange|  Dieses Spiel jetzt|  Das Spiel ist",
    "Memory|  Dieses Spiel jetzt|Prima|Immer zwei Felder",
    "Zwischenablage|Die Rechenaufgaben und",
    "Übungsbericht|Den Übungsbericht leeren",
    "Blatt nach Nummer|Bitte die Blatt-Nummer|Diese Blatt-Nummer",
    "Klassensatz|Wie viele|Bitte eine ganze Zahl",
    "Druckersperre aufheben|Kennwort",
    "Drucken" + kPrintFlow,
    "Als PDF speichern|PDF-Dateien" + kPrintFlow,
    "Rechenblatt als PDF-Datei speichern|PDF-Dateien",
    "Lösungsblatt als PDF-Datei speichern|PDF-Dateien",
    "Klassensatz als PDF-Datei speichern|PDF-Dateien",
    "Übungsbericht als PDF-Datei speichern|PDF-Dateien",
    "Als Tabelle speichern|Tabellen|Es wurde noch nichts|Eine Zeile|Die Datei|Die Zeile",
    "Klassensatz mit Namen|Bitte mindestens|Ein Klassensatz hat|Der Name in Zeile",
    "Gezielt üben|Die meisten Fehler|Bisher",
};

bool known(const Box& b) {
    // The print dialog has no title; its prompt is the first line printed.
    if (b.kind == Box::PrintDialog) return b.title.isEmpty();
    for (const QString& box : kKnownBoxes) {
        const QStringList words = box.split(QLatin1Char('|'));
        if (b.title == words[0] && std::any_of(words.begin() + 1, words.end(),
                                               [&b](auto& w) { return b.prompt.startsWith(w); }))
            return true;
    }
    return false;
}

QString nameOf(const QWidget* w) {
    const QString name = w->objectName();
    return name.isEmpty() ? QLatin1String(w->metaObject()->className()) : name;
}

// A window of the program by its kind, once it was made.
template <typename W> W* windowOf(const widgets::WindowStack& windows) {
    for (ProgramWindow* f : windows.windows())
        if (auto* w = qobject_cast<W*>(f)) return w;
    return nullptr;
}

bool same(const core::PrintDocument& a, const core::PrintDocument& b) {
    return a.pointSize == b.pointSize && a.lines == b.lines && a.keepTogether == b.keepTogether &&
           a.footLine == b.footLine && a.footPointSize == b.footPointSize;
}

// Holds back the game clock's own ticks: the run ticks the game itself.
struct HoldTicks : QObject {
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Timer; }
};

// The counters, and the record's right and wrong digits and solved tasks.
struct Counts {
    quint64 points = 0, errors = 0, right = 0, wrong = 0, solved = 0;
};
Counts countsOf(const core::Exercise& e) {
    const core::PracticeRecord& r = e.record();
    const quint64 solved = r.solvedTasks(false) + r.solvedTasks(true);
    return {e.points(), e.errors(), r.rightDigits(), r.wrongDigits(), solved};
}

// What an event may change, read before it.
struct Before {
    Counts counts;
    core::Task task;
    Mode mode = Mode::Normal;
    QString digits = QString(core::kAnswerCells + 1, QLatin1Char(' ')); // by cell number
    QStringList sheetLines;
    QString sheetNumber;
    bool locked = true; // the info window's switch
    int draws = 0, copies = 0;
    qsizetype out[6] = {}; // sheets printed and saved, class sets, reports
};

class Soak {
  public:
    Soak(quint64 seed, long long events) : seed_(seed), events_(events), rnd_(seed) {}

    bool run() {
        rt_.seed(unsigned(seed_));
        rt_.onBox = [this](const Box& b) { answer(b); };
        // The program's own dialogs run their own loop; they are answered
        // from inside it, as boxes are.
        QTimer dialogs;
        dialogs.setInterval(1);
        QObject::connect(&dialogs, &QTimer::timeout, [this] { actInDialog(); });
        dialogs.start();
        program_.start();
        flush();
        checkAll(before());
        for (n_ = 1; n_ <= events_ && failure_.isEmpty(); ++n_) {
            event_.clear();
            boxes_.clear();
            asked_ = passed_ = cleared_ = numberTyped_ = false;
            const Before b = before();
            randomEvent();
            flush();
            checkAll(b);
            last_.push_back(QStringLiteral("#%1 %2").arg(n_).arg(event_));
            if (last_.size() > 30) last_.pop_front();
        }
        if (!failure_.isEmpty()) return false;
        qInfo("reached: %d tasks solved, %d sheets, %d printed or saved, games won %d + %d",
              reached_.value("Die Aufgabe wu"), int(sheets_.size()),
              int(rt_.printed.size() + rt_.pdfs.size()), reached_.value("  Das Spiel is"),
              reached_.value("Prima, du hast"));
        // The run ends the program from the start window, by its quit picture or its frame.
        StartWindow* start = windowOf<StartWindow>(program_.windows());
        if (!start->isVisible()) return true;
        ending_ = true;
        chance(0.5) ? click(start->quitPicture) : closeWindow(start);
        flush();
        if (!program_.windows().programEnding()) fail("the program did not end");
        checkWindows();
        return failure_.isEmpty();
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rnd_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rnd_) < p; }
    template <typename T> T oneOf(const QList<T>& l) { return l.at(pick(int(l.size()))); }
    void log(const QString& s) { event_ += s; }
    void flush() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void fail(const QString& what) {
        if (!failure_.isEmpty()) return;
        failure_ = what;
        QString out =
            QStringLiteral("\nsoak run failed at event %1 of %2, seed %3:\n  %4\n"
                           "last events (oldest first):\n")
                .arg(QString::number(n_), QString::number(events_), QString::number(seed_), what);
        for (const QString& s : last_)
            out += QStringLiteral("  ") + s + QLatin1Char('\n');
        out += QStringLiteral("  #%1 %2\nreplay: DIVISION_SOAK_SEED=%3 DIVISION_SOAK_EVENTS=%1\n")
                   .arg(QString::number(n_), event_, QString::number(seed_));
        fprintf(stderr, "%s", out.toLocal8Bit().constData());
    }

    // ---------------------------------------------------------------- boxes

    // Called while a box is open: every box is answered, most at random.
    void answer(const Box& b) {
        boxes_ << b;
        ++reached_[b.prompt.left(14)];
        QString said = QStringLiteral("OK");
        if (b.kind == Box::Input) {
            rt_.answerInput(said = typedInto(b));
        } else if (b.kind == Box::SaveFile) {
            said = oneOf(QStringList{"", "/nonexistent/soak/blatt", "/nonexistent/soak/b.PDF",
                                     dir_.filePath(QStringLiteral("bericht"))});
            rt_.answerSaveFile(said);
        } else if (b.kind == Box::PrintDialog) {
            const int r = std::max(0, pick(5) - 1);
            rt_.answerPrintDialog(core::PrintResult(r));
            said = QStringList{"printed", "no printer", "failed", "cancelled"}[r];
        } else if (b.style.buttons != widgets::Buttons::Ok) {
            // The program is ended only after the last event of a run.
            const bool yes = b.prompt.startsWith("Dieses Programm") ? ending_ : chance(0.5);
            cleared_ = cleared_ || (yes && b.title == QStringLiteral("Übungsbericht"));
            rt_.answer(yes ? widgets::Answer::Yes : widgets::Answer::No);
            said = yes ? QStringLiteral("Ja") : QStringLiteral("Nein");
        } else {
            rt_.answer(widgets::Answer::Ok);
        }
        const QString box =
            QStringLiteral(" [%1 '%2']").arg(b.title, b.prompt.left(30).replace('\r', ' '));
        log(box + QStringLiteral("->'") + said + QLatin1Char('\''));
        if (!known(b)) fail(QStringLiteral("a box the program does not have:") + box);
    }

    // A dialog of the program's own: its lists and boxes filled at random,
    // then one of its buttons pressed. A list that is refused keeps the
    // dialog open for the next turn.
    void actInDialog() {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || qobject_cast<QMessageBox*>(d)) return;
        if (auto* names = d->findChild<QPlainTextEdit*>()) {
            const int count = chance(0.1) ? 41 : pick(6);
            QStringList list;
            for (int i = 0; i < count; ++i)
                list << (chance(0.05) ? QString(41, QLatin1Char('x'))
                                      : QStringLiteral(" Kind %1 ").arg(pick(100)));
            names->setPlainText(list.join(chance(0.5) ? QStringLiteral("\n")
                                                      : QStringLiteral("\r\n\n")));
        }
        for (QAbstractButton* b : d->findChildren<QAbstractButton*>())
            if (b->isCheckable() && b->isVisible() && chance(0.3)) b->click();
        QList<QPushButton*> buttons = d->findChildren<QPushButton*>();
        buttons.removeIf([](QPushButton* b) { return !b->isVisible() || !b->isEnabled(); });
        if (buttons.isEmpty() || chance(0.1)) {
            log(QStringLiteral(" [dialog %1: Esc]").arg(d->windowTitle()));
            return d->reject();
        }
        QPushButton* b = oneOf(buttons);
        log(QStringLiteral(" [dialog %1: %2]").arg(d->windowTitle(), b->text()));
        if (auto* names = d->findChild<QPlainTextEdit*>())
            classSetNames_ = core::classNames(names->toPlainText()).names;
        b->click();
    }

    QString typedInto(const Box& b) {
        if (b.title == QLatin1String("Druckersperre aufheben")) {
            asked_ = true;
            ExerciseWindow* f = windowOf<ExerciseWindow>(program_.windows());
            const QString shown = f ? f->counters().pointsCounter->text() : QString();
            const QString typed =
                chance(0.6) ? shown : oneOf(QStringList{"", "Passwort", shown + ' ', '0' + shown});
            passed_ = typed == shown;
            return typed;
        }
        if (b.title == QLatin1String("Klassensatz")) {
            classSetNames_.clear();
            return typedCount_ =
                       oneOf(QStringList{"1", "3", " 2 ", "25", "40", "0", "41", "", "x"});
        }
        // A sheet number met before or a new one, spelt as a teacher might, or none.
        numberTyped_ = true;
        const int r = pick(10);
        if (r >= 7)
            return typedNumber_ = oneOf(QStringList{"", " ", "X-123456", "E-12345", "E-1a3456"});
        typedNumber_ = r < 4 && !sheets_.isEmpty()
                           ? oneOf(sheets_.keys())
                           : core::formatSheetNumber({Mode(pick(2)), pick(core::kSheetNumbers)});
        if (chance(0.3)) typedNumber_ = typedNumber_.toLower();
        if (chance(0.3)) typedNumber_.replace(QLatin1Char('-'), QLatin1Char(' '));
        return typedNumber_;
    }

    // ---------------------------------------------------------------- input

    // A click where the control lies in its window: it reaches whatever lies on
    // top there. A right click's menu is read, then one of its commands chosen.
    void click(QWidget* control, QPoint at = {}, bool right = false) {
        QWidget* window = control->window();
        at = control->mapTo(window, at.isNull() ? control->rect().center() : at);
        QWidget* hit = window->childAt(at) ? window->childAt(at) : window;
        at = hit->mapFrom(window, at);
        log(QStringLiteral("%1 %2, hits %3")
                .arg(right ? "right click" : "click", nameOf(control), nameOf(hit)));
        if (!right) return QTest::mouseClick(hit, Qt::LeftButton, {}, at);
        // A menu of Qt's own (a scroll bar's) runs at once: it is closed from inside.
        QTimer::singleShot(0, qApp, [] {
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
        QWidget* active = QApplication::activeWindow();
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, hit->mapToGlobal(at));
        QApplication::sendEvent(hit, &e);
        chooseFromMenu(active);
    }

    // A menu that opened (a right click, a key on a counter) is read, then one
    // of its commands chosen.
    void chooseFromMenu(QWidget* active) {
        QMenu* menu = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<QMenu*>(w)) menu = static_cast<QMenu*>(w);
        if (menu) menu->hide();
        // The platform here makes a menu the active window and gives the keyboard
        // back at a moment of its own; a desktop gives it back at once.
        if (active && active->isVisible()) active->activateWindow();
        flush();
        if (!menu) return;
        ExerciseWindow* f = windowOf<ExerciseWindow>(program_.windows());
        if (f && menu == f->sheetPanel().sheetMenu &&
            !menu->actions()[0]->text().contains(f->sheetPanel().number()))
            fail("the sheet's menu does not name its number");
        QList<QAction*> items;
        for (QAction* a : menu->actions())
            if (a->isEnabled() && !a->isSeparator()) items << a;
        QAction* a = items.isEmpty() ? nullptr : chance(0.4) ? items[0] : oneOf(items);
        if (!a) return;
        log(QStringLiteral(", menu '%1'").arg(a->text()));
        a->trigger();
    }

    // A click, now and then a right click, on any control of the window or anywhere on it.
    void clickSomething(QWidget* window) {
        QList<QWidget*> all = window->findChildren<QWidget*>();
        all.removeIf([window](QWidget* w) { return w->isWindow() || !w->isVisibleTo(window); });
        QWidget* w = all.isEmpty() || chance(0.3) ? window : oneOf(all);
        const QPoint at(pick(std::max(1, w->width())), pick(std::max(1, w->height())));
        click(w, at, chance(0.1));
    }

    void key(QWidget* window, Qt::Key k, bool keypad = false) {
        QWidget* to = drive::keyTarget(window);
        const QString name = (keypad ? "keypad " : "") + QKeySequence(k).toString();
        log(QStringLiteral("key %1 to %2").arg(name, nameOf(to)));
        QWidget* active = QApplication::activeWindow();
        QTest::keyClick(to, k, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        chooseFromMenu(active);
        // The report's "Schließen" takes Esc as a shortcut, which clicks it once
        // a timer lets it up: wait for that, so that time decides nothing.
        const PracticeReportWindow* report = windowOf<PracticeReportWindow>(program_.windows());
        for (int i = 0; report && report->closeButton->isDown() && i < 100; ++i)
            QTest::qWait(5);
    }

    // Digits of the main row and of the keypad, letters, Enter, Shift, arrows, Tab, Esc …
    void anyKey(QWidget* window) {
        static const Qt::Key others[] = {Qt::Key_Return, Qt::Key_Enter,    Qt::Key_Shift,
                                         Qt::Key_Left,   Qt::Key_Up,       Qt::Key_Right,
                                         Qt::Key_Down,   Qt::Key_Tab,      Qt::Key_Escape,
                                         Qt::Key_Space,  Qt::Key_Backspace};
        const int r = pick(100);
        if (r < 50) return key(window, Qt::Key(Qt::Key_0 + pick(10)), r < 15);
        key(window, r < 70 ? Qt::Key(Qt::Key_A + pick(26)) : others[pick(11)]);
    }

    void closeWindow(QWidget* w) {
        log(QStringLiteral("close %1 by its frame").arg(nameOf(w)));
        w->close();
    }

    // A finger on the screen. Qt stamps touches with the real time: without
    // double taps their timing cannot change what a seed replays.
    template <typename Touch> void byFinger(Touch touch) {
        QStyleHints* hints = QGuiApplication::styleHints();
        const int interval = hints->mouseDoubleClickInterval();
        hints->setMouseDoubleClickInterval(0);
        touch();
        hints->setMouseDoubleClickInterval(interval);
    }

    // Input for the window in front, now and then for another one shown.
    void randomEvent() {
        QList<QWidget*> shown;
        for (ProgramWindow* f : program_.windows().windows())
            if (f->isVisible()) shown << f;
        QWidget* front = program_.windows().current();
        if (!front || !front->isVisible() || chance(0.05))
            front = shown.isEmpty() ? nullptr : oneOf(shown);
        const int r = pick(100);
        if (auto* f = qobject_cast<ExerciseWindow*>(front)) return exerciseEvent(*f, r);
        if (auto* g = qobject_cast<NumberCatchWindow*>(front)) return catchEvent(*g, r);
        if (auto* m = qobject_cast<MemoryWindow*>(front)) return memoryEvent(*m, r);
        if (auto* w = qobject_cast<PracticeReportWindow*>(front)) {
            QPushButton* buttons[] = {w->printButton,       w->savePdfButton, w->startAfreshButton,
                                      w->startAfreshButton, w->closeButton,   w->closeButton};
            if (r < 36) return click(buttons[r / 6]);
            if (r < 40) return chance(0.5) ? closeWindow(w) : key(w, Qt::Key_Escape);
            // The exercise window behind the report takes input too.
            ExerciseWindow* f = windowOf<ExerciseWindow>(program_.windows());
            return r < 80 && f->isVisible() ? exerciseEvent(*f, pick(100)) : clickSomething(w);
        }
        if (auto* s = qobject_cast<StartWindow*>(front)) {
            if (r < 55) return click(r < 40 ? s->exercisePicture : s->infoPicture);
            if (r < 58) return click(s->quitPicture);
            return r < 85 ? clickSomething(s) : anyKey(s);
        }
        if (auto* i = qobject_cast<InfoWindow*>(front)) {
            if (r < 40) return click(i->printLockBox, QPoint(8, i->printLockBox->height() / 2));
            if (r < 70)
                return click(r < 55 ? static_cast<QWidget*>(i->okayLabel) : i->closePicture);
            if (r < 80) return closeWindow(i);
            return r < 92 ? clickSomething(i) : anyKey(i);
        }
        fail(QStringLiteral("no known window in front: ") + (front ? nameOf(front) : "none"));
    }

    // An empty answer cell of the layout in front, half the time one that
    // solves the task, so that tasks get solved; any of its cells when none is.
    QWidget* emptyCell(ExerciseWindow& f) {
        const core::Exercise& e = f.exercise();
        const bool solving = chance(0.5);
        QList<QWidget*> empty, all;
        for (const core::AnswerCell* c : core::answerCells(e.mode())) {
            all << f.cell(c->number);
            if (e.isEmpty(c->number) && (!solving || core::isSolvingCell(c->role)))
                empty << f.cell(c->number);
        }
        return oneOf(empty.isEmpty() || chance(0.05) ? all : empty);
    }

    // The digit a cell wants in this task; -1 for a cell of the other layout.
    int rightDigit(const core::Exercise& e, int cell) {
        return core::answerCell(cell)->expected(e.written()).digitValue();
    }

    void exerciseEvent(ExerciseWindow& f, int r) {
        const core::Exercise& e = f.exercise();
        const DivisionLayout& layout = f.layout(e.mode());
        const SheetPanel& panel = f.sheetPanel();
        // The right digit for the waiting cell, mostly, while a cell waits.
        const int aimed = e.selectedCell() && chance(0.75) ? rightDigit(e, *e.selectedCell()) : -1;
        if (r < 20 && (f.numberCatchPrompt->isVisible() || f.memoryPrompt->isVisible()))
            return click(f.numberCatchPrompt);
        if (r < 50) return dragEvent(f);
        if (r < 60) return click(chance(0.9) ? emptyCell(f) : f.cell(1 + pick(core::kAnswerCells)));
        if (r < 73 && aimed >= 0) return key(&f, Qt::Key(Qt::Key_0 + aimed), chance(0.1));
        if (r < 73) return anyKey(&f);
        if (r < 77) {
            const int digit = aimed >= 0 ? aimed : pick(10), how = pick(3);
            log(QStringLiteral("tap %1 (way %2)").arg(digit).arg(how));
            return byFinger([&] { drive::tap(f, digit, drive::Tap(how)); });
        }
        if (r < 78) return click(chance(0.5) ? f.normalButton : f.remainderButton);
        if (r < 79) return click(f.sheetButton);
        if (r < 81) return click(e.sheet() ? panel.sheetList->viewport() : f.sheetButton, {}, true);
        if (r < 90 && e.sheet()) {
            QWidget* buttons[] = {panel.closeButton, panel.closeButton, panel.printTasksButton,
                                  panel.printSolutionsButton, panel.copyButton};
            return click(buttons[pick(5)]);
        }
        if (r < 91) return click(f.helpButton);
        if (r < 92) return chance(0.7) ? click(f.endButton) : closeWindow(&f);
        if (r < 93) return click(f.counters().pointsCounter, {}, true);
        if (r < 95 && !layout.markerParked()) return click(layout.marker());
        r < 97 ? clickSomething(&f) : anyKey(&f);
    }

    // A digit key dragged onto a cell (mostly an empty one, with its digit), a
    // marker, a given cell, the other layout, anywhere on the window or off it.
    void dragEvent(ExerciseWindow& f) {
        const core::Exercise& e = f.exercise();
        const DivisionLayout& layout = f.layout(e.mode());
        const int r = pick(100);
        QWidget* to = &f;
        if (r < 75)
            to = emptyCell(f);
        else if (r < 83)
            to = layout.marker();
        else if (r < 88)
            to = chance(0.8) ? layout.dividendCells()[size_t(pick(4))] : layout.divisorCell();
        else if (r < 92)
            to = f.cell(1 + pick(core::kAnswerCells));
        QPoint at(pick(std::max(1, to->width())), pick(std::max(1, to->height())));
        if (r >= 97) at = QPoint(-1 - pick(40), f.height() + pick(40));
        int cell = to == layout.marker() ? e.selectedCell().value_or(0) : 0, digit = pick(10);
        for (int n = 1; n <= core::kAnswerCells; ++n)
            if (f.cell(n) == to) cell = n;
        if (cell && rightDigit(e, cell) >= 0 && chance(0.8)) digit = rightDigit(e, cell);
        const bool finger = to != &f && chance(0.04);
        log(QStringLiteral("%1 %2 to %3")
                .arg(finger ? "finger drag" : "drag", QString::number(digit), nameOf(to)));
        if (finger) return byFinger([&] { drive::touchDrag(f, digit, to); });
        drive::dragDigit(f, digit, to, at);
    }

    void catchEvent(NumberCatchWindow& g, int r) {
        const NumberCatchGame& game = g.game();
        if (r < 80) {
            // Towards the next digit mostly, by picture or by key.
            int dir = pick(4); // left, up, down, right
            if (!game.finished() && chance(0.85)) {
                const Cell to = game.digitsLeft().front().cell, at = game.cross();
                const int dx = to.column - at.column, dy = to.row - at.row;
                if (dx && (!dy || chance(0.5)))
                    dir = dx < 0 ? 0 : 3;
                else if (dy)
                    dir = dy < 0 ? 1 : 2;
            }
            QWidget* arrows[] = {g.leftArrow, g.upArrow, g.downArrow, g.rightArrow};
            const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right};
            return chance(0.5) ? click(arrows[dir]) : key(&g, keys[dir]);
        }
        if (r < 86) {
            log(g.jumpTimer->isActive() ? QStringLiteral("tick") : QStringLiteral("no tick"));
            return g.jumpTimer->isActive() ? g.jump() : void();
        }
        if (r < 90) return click(g.speedBar, QPoint(chance(0.5) ? g.speedBar->width() - 4 : 3, 5));
        if (r < 99) return chance(0.5) ? clickSomething(&g) : anyKey(&g);
        chance(0.5) ? click(g.endButton) : key(&g, Qt::Key_Escape);
    }

    void memoryEvent(MemoryWindow& m, int r) {
        const MemoryGame& game = m.game();
        if (r >= 97) return r < 99 ? click(m.endButton) : closeWindow(&m);
        if (r >= 92) return r < 94 ? click(m.helpButton) : clickSomething(&m);
        // Often the partner of the open card, to win games as well.
        int k = pick(MemoryGame::kCards);
        const int first = game.firstOpen();
        if (first != MemoryGame::kNone && game.secondOpen() == MemoryGame::kNone && chance(0.6))
            for (int j = 0; j < MemoryGame::kCards; ++j)
                if (j != first && game.digit(j) == game.digit(first)) k = j;
        click(m.cards[size_t(k)]);
    }

    // ---------------------------------------------------------------- what must hold

    const QStringList& linesOf(const QString& number) {
        auto it = sheets_.find(number);
        if (it == sheets_.end())
            it = sheets_.insert(number, core::sheetLinesOf(*core::parseSheetNumber(number)));
        return *it;
    }

    Before before() {
        Before b;
        if (ExerciseWindow* f = windowOf<ExerciseWindow>(program_.windows())) {
            const core::Exercise& e = f->exercise();
            b = {countsOf(e),
                 e.task(),
                 e.mode(),
                 b.digits,
                 f->sheetPanel().lines(),
                 f->sheetPanel().number()};
            for (int n = 1; n <= core::kAnswerCells; ++n)
                if (!e.isEmpty(n)) b.digits[n] = e.digitIn(n);
        }
        // Reading the switch through the program would load the info window.
        b.locked = !program_.loadedInfoWindow() || program_.loadedInfoWindow()->printingLocked();
        b.draws = rt_.draws;
        b.copies = rt_.clipboardWrites;
        const qsizetype out[6] = {rt_.printed.size(),        rt_.pdfs.size(),
                                  rt_.printedJobs.size(),    rt_.pdfJobs.size(),
                                  rt_.paintedPrinted.size(), rt_.paintedPdfs.size()};
        std::copy(std::begin(out), std::end(out), b.out);
        return b;
    }

    void checkAll(const Before& b) {
        if (rt_.unexpectedBoxes) fail("the desktop met a box nobody answered");
        // Every box that opened was answered and closed again.
        if (!rt_.allAnswersUsed() || QApplication::activeModalWidget()) fail("a box was left open");
        checkWindows();
        if (program_.windows().programEnding()) return;
        if (ExerciseWindow* f = windowOf<ExerciseWindow>(program_.windows())) checkExercise(*f, b);
        checkOutput(b);
        checkGames();
    }

    void checkWindows() {
        const bool ended = program_.windows().programEnding();
        QStringList mains;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->windowType() == Qt::ToolTip) continue;
            if (ended) return fail(nameOf(w) + QStringLiteral(" is still shown after the end"));
            // A menu left open counts here too.
            if (!qobject_cast<ProgramWindow*>(w) || !program_.windows().windows().contains(qobject_cast<ProgramWindow*>(w)))
                return fail(nameOf(w) + QStringLiteral(" is shown, no window of the program"));
            if (qobject_cast<StartWindow*>(w) || qobject_cast<ExerciseWindow*>(w) ||
                qobject_cast<NumberCatchWindow*>(w) || qobject_cast<MemoryWindow*>(w))
                mains << nameOf(w);
        }
        if (ended) return;
        if (mains.size() != 1) fail(QStringLiteral("shown: ") + mains.join(' '));
        // The window in front is a shown window of the program, the active one.
        // It is none only while no window is active: unlike a desktop, the platform
        // here activates no other window when the active one is hidden.
        const ProgramWindow* front = program_.windows().current();
        const QWidget* active = QApplication::activeWindow();
        if (active && !active->isVisible()) active = nullptr;
        const bool shown = front && front->isVisible() && program_.windows().windows().contains(front);
        if (front ? !shown || (active && active != front) : active != nullptr)
            fail("the window in front is not the shown, active one");
    }

    void checkExercise(ExerciseWindow& f, const Before& b) {
        const core::Exercise& e = f.exercise();
        const Mode mode = e.mode();

        // The counters only grow, a point at a time, each error told in a box, and
        // show what they count; the record counts the same until it is emptied.
        const Counts now = countsOf(e), was = b.counts;
        if (now.points < was.points || now.errors < was.errors) return fail("a counter went down");
        const quint64 points = now.points - was.points, errors = now.errors - was.errors;
        if (points > 1 || errors != told("Fehler")) fail("more than a point, or an error untold");
        if (f.counters().pointsCounter->text() != QString::number(now.points) ||
            f.counters().errorsCounter->text() != QString::number(now.errors))
            fail("the counters do not show the points and errors");
        const quint64 solvedTold = told("Teilaufgabe") + told("Lückenaufgabe");
        if (cleared_ ? now.right || now.wrong || now.solved
                     : now.right - was.right != points || now.wrong - was.wrong != errors ||
                           now.solved - was.solved != solvedTold)
            fail(QStringLiteral("the record counts %1 right, %2 wrong and %3 solved")
                     .arg(QString::number(now.right), QString::number(now.wrong),
                          QString::number(now.solved)));
        // A solved task draws a new one (which may be the same task again).
        const bool solved = !cleared_ && now.solved > was.solved;
        if (solved && e.task() == b.task && rt_.draws == b.draws) fail("no new task after a solve");

        // The layout in front shows the task and the model's digits, each of them
        // right, none in a solved task's successor; the layout behind shows nothing.
        const Mode behind = mode == Mode::Normal ? Mode::Remainder : Mode::Normal;
        const DivisionLayout &front = f.layout(mode), &other = f.layout(behind);
        const core::WrittenDivision& w = e.written();
        for (const core::AnswerCell* c : core::answerCells(mode)) {
            const QChar d = e.digitIn(c->number);
            const QString digit = d.isNull() ? QString() : QString(d);
            if (!d.isNull() && (d != c->expected(w) || solved))
                fail(QStringLiteral("cell %1 keeps the digit %2").arg(c->number).arg(digit));
            if (f.cell(c->number)->text() != digit)
                fail(QStringLiteral("cell %1 shows '%2', the exercise has '%3'")
                         .arg(QString::number(c->number), f.cell(c->number)->text(), digit));
        }
        for (const core::AnswerCell* c : core::answerCells(behind))
            if (!e.isEmpty(c->number) || !f.cell(c->number)->text().isEmpty())
                fail(QStringLiteral("cell %1 of the layout behind holds a digit").arg(c->number));
        QString given = front.divisorCell()->text(), hidden = other.divisorCell()->text();
        for (int i = 0; i < 4; ++i) {
            given += front.dividendCells()[size_t(i)]->text();
            hidden += other.dividendCells()[size_t(i)]->text();
        }
        if (given != w.divisor + w.dividend || !hidden.isEmpty())
            fail(QStringLiteral("the layouts show '%1' and '%2'").arg(given, hidden));
        // A digit that stays in the same task earned its point.
        int placed = 0;
        for (int n = 1; e.task() == b.task && mode == b.mode && n <= core::kAnswerCells; ++n)
            placed += b.digits[n] == QLatin1Char(' ') && !e.isEmpty(n);
        if (quint64(placed) > points)
            fail(QStringLiteral("%1 digits placed, no point").arg(placed));
        if (f.remainderBox->geometry().intersects(f.workFrame->geometry()) !=
            (mode == Mode::Remainder))
            fail("the remainder box is not where the mode puts it");
        // The marker of the layout in front lies over the empty waiting cell, if
        // one waits; the other one stays parked.
        auto parked = [](const DivisionLayout& l) {
            return QPoint(tw::left(l.marker()), tw::top(l.marker())) == l.markerParking();
        };
        const std::optional<int> waiting = e.selectedCell();
        if (!parked(other) || parked(front) == waiting.has_value() ||
            (waiting && (!front.cell(*waiting) || !e.isEmpty(*waiting) ||
                         front.marker()->geometry() != front.cell(*waiting)->geometry())))
            fail(QStringLiteral("a marker off its place, cell %1 waits").arg(waiting.value_or(0)));

        // The climber: one place for each ladder step, higher for a higher step.
        const int step = e.ladderStep(), top = tw::top(f.climber);
        auto at = climb_.find(step);
        if (at == climb_.end()) at = climb_.insert(step, top);
        if (at.value() != top || (at != climb_.begin() && std::prev(at).value() <= top) ||
            (std::next(at) != climb_.end() && std::next(at).value() >= top))
            fail(QStringLiteral("the climber at %1 on ladder step %2").arg(top).arg(step));
        if (f.numberCatchPrompt->isVisibleTo(&f) != e.numberCatchWaiting() ||
            f.memoryPrompt->isVisibleTo(&f) != e.memoryWaiting())
            fail("a reward prompt shown while none waits, or hidden while one does");

        // The sheet panel shows the exercise's sheet, the one its number stands for.
        const SheetPanel& panel = f.sheetPanel();
        const int width = f.clientTwips().width();
        const bool shown = tw::left(panel.panel) < width && tw::left(panel.sheetList) < width;
        const QString number = e.sheet() ? core::formatSheetNumber(*e.sheet()) : QString();
        const bool itsLines = panel.lines() == (e.sheet() ? linesOf(number) : QStringList());
        if (shown != e.sheet().has_value() || panel.number() != number || !itsLines ||
            !panel.sheetList->toolTip().contains(number))
            fail(QStringLiteral("the panel shows '%1' (%2), the exercise has '%3'")
                     .arg(panel.number(), itsLines ? "its lines" : "other lines", number));
        // A number typed that is one brings its sheet and mode; any other changes nothing.
        const std::optional<core::SheetNumber> typed = core::parseSheetNumber(typedNumber_);
        if (numberTyped_ &&
            (typed ? !(e.sheet() == typed) || mode != typed->mode : number != b.sheetNumber))
            fail(QStringLiteral("'%1' typed, sheet '%2' shown").arg(typedNumber_, number));
        // The open report is the report of the record as it stands.
        const PracticeReportWindow* report = f.counters().reportWindow();
        if (report && report->isVisible()) {
            const core::PracticeReport& got = report->report();
            const core::PracticeReport want = core::buildReport(
                e.record(), QDateTime::currentDateTime(), core::ReportFor::Screen);
            bool same = got.nothingYet == want.nothingYet && got.summary == want.summary &&
                        got.bars.size() == want.bars.size();
            for (qsizetype i = 0; same && i < got.bars.size(); ++i)
                same = got.bars[i].count == want.bars[i].count;
            if (!same) fail(QStringLiteral("the open report shows ") + got.summary.join('|'));
        }
    }

    void checkOutput(const Before& b) {
        const Before now = before();
        const bool out = !std::equal(std::begin(b.out), std::end(b.out), std::begin(now.out));
        // The switch off, no password is asked; on, nothing leaves without the
        // points shown, and a wrong password ends the flow.
        if (asked_ && !b.locked) fail("the password was asked while printing was free");
        if (out && b.locked && !passed_) fail("printed or saved without the password");
        if (asked_ && !passed_ &&
            boxes_.constLast().title != QLatin1String("Druckersperre aufheben"))
            fail("the flow went on after a wrong password");
        // A sheet that leaves is the task or the solution sheet of the number shown.
        auto ofSheet = [&b](const core::PrintDocument& d) {
            core::PrintDocument want[2] = {core::taskSheet(b.sheetLines, b.mode),
                                           core::solutionSheet(b.sheetLines, b.mode)};
            for (core::PrintDocument& x : want)
                x.footLine = core::sheetFootLine(b.sheetNumber);
            return !b.sheetNumber.isEmpty() && (same(want[0], d) || same(want[1], d));
        };
        for (qsizetype i = b.out[0]; i < rt_.printed.size(); ++i)
            if (!ofSheet(rt_.printed[i])) fail("printed: no sheet of the number shown");
        for (qsizetype i = b.out[1]; i < rt_.pdfs.size(); ++i)
            if (!ofSheet(rt_.pdfs[i].second)) fail("saved: no sheet of the number shown");
        for (qsizetype i = b.out[2]; i < rt_.printedJobs.size(); ++i)
            checkClassSet(rt_.printedJobs[i], b.mode);
        for (qsizetype i = b.out[3]; i < rt_.pdfJobs.size(); ++i)
            checkClassSet(rt_.pdfJobs[i].second, b.mode);
        if ((now.out[4] > b.out[4] && rt_.paintedPrinted.constLast().pages < 1) ||
            (now.out[5] > b.out[5] && rt_.paintedPdfs.constLast().pages < 1))
            fail("a report of no pages printed or saved");
        if (now.copies == b.copies) return;
        const QString text = core::clipboardText(b.sheetLines, b.mode);
        if (b.sheetNumber.isEmpty() || rt_.clipboard != text ||
            rt_.clipboardHtml != core::clipboardHtml(text, b.sheetNumber))
            fail("the clipboard holds no copy of the sheet shown");
    }

    // As many sheets of new numbers of the mode as were asked for (one a
    // name, when named), then their solutions.
    void checkClassSet(const core::PrintJob& job, Mode mode) {
        static const QRegularExpression sheetNumber(
            QStringLiteral("[ER]-\\d{6}(-[0-9A-Z]{3})?"));
        const int count = classSetNames_.isEmpty() ? core::classSetCount(typedCount_)
                                                   : int(classSetNames_.size());
        QList<core::NumberedSheet> sheets;
        QSet<QString> numbers;
        for (int k = 0; k < count && k < job.documents.size(); ++k) {
            const QString n = sheetNumber.match(job.documents[k].footLine).captured();
            const std::optional<core::SheetNumber> parsed = core::parseSheetNumber(n);
            if (!parsed || parsed->mode != mode) return fail("a class set of another mode");
            numbers.insert(n);
            sheets.append({n, linesOf(n)});
        }
        const QList<core::PrintDocument> want =
            core::classSetDocuments(sheets, mode, classSetNames_);
        bool ok = job.documents.size() == 2 * count && numbers.size() == count;
        for (qsizetype k = 0; ok && k < want.size(); ++k)
            ok = same(want[k], job.documents[k]);
        if (!ok)
            fail(QStringLiteral("a class set not of the %1 sheets asked for").arg(typedCount_));
    }

    void checkGames() {
        if (NumberCatchWindow* g = windowOf<NumberCatchWindow>(program_.windows())) {
            if (!hold_) g->jumpTimer->installEventFilter(hold_ = new HoldTicks(g->jumpTimer));
            if (g->jumpTimer->isActive() != g->isVisible())
                fail("the game clock runs while the game is away, or stands while it is shown");
            // The digits left are the last ones of 0..9 in order, in the field,
            // each in a row and a column of its own.
            auto inside = [](Cell c) {
                return c.column >= NumberCatchGame::kFirstColumn &&
                       c.column <= NumberCatchGame::kLastColumn &&
                       c.row >= NumberCatchGame::kFirstRow && c.row <= NumberCatchGame::kLastRow;
            };
            const std::vector<NumberCatchGame::Digit>& left = g->game().digitsLeft();
            if (!inside(g->game().cross())) fail("the cross left the field");
            for (size_t i = 0; i < left.size(); ++i) {
                bool alone = left[i].value == 10 - int(left.size() - i) && inside(left[i].cell);
                for (size_t j = 0; j < i; ++j)
                    alone = alone && left[j].cell.column != left[i].cell.column &&
                            left[j].cell.row != left[i].cell.row;
                if (!alone)
                    fail(QStringLiteral("digit %1 out of order, place or line").arg(left[i].value));
            }
        }
        if (MemoryWindow* m = windowOf<MemoryWindow>(program_.windows())) {
            // The cards show the game; found ones come in pairs, at most two are open.
            const MemoryGame& game = m->game();
            int open = 0, found[10] = {};
            for (int k = 0; k < MemoryGame::kCards; ++k) {
                const MemoryGame::CardState s = game.state(k);
                const bool down = s == MemoryGame::CardState::FaceDown;
                if (m->cards[size_t(k)]->text() !=
                    (down ? QString() : MemoryGame::face(game.digit(k))))
                    fail(QStringLiteral("card %1 does not show the game").arg(k));
                open += s == MemoryGame::CardState::Open;
                found[game.digit(k)] += s == MemoryGame::CardState::Found;
            }
            if (open > 2 ||
                std::any_of(std::begin(found), std::end(found), [](int n) { return n % 2; }))
                fail(
                    QStringLiteral("%1 cards open, or a card found without its partner").arg(open));
        }
    }

    // How many boxes of this event had the title.
    quint64 told(const QString& title) const {
        return quint64(std::count_if(boxes_.begin(), boxes_.end(),
                                     [&](const Box& b) { return b.title == title; }));
    }

    quint64 seed_;
    long long events_, n_ = 0;
    std::mt19937_64 rnd_;
    ScriptedDesktop rt_;
    app::Program program_{rt_};
    QTemporaryDir dir_;
    std::deque<QString> last_;
    QString event_, failure_;
    bool ending_ = false;
    // This event: its boxes, the password asked and passed, the report
    // emptied, a sheet number typed; and the last number and count typed.
    QList<Box> boxes_;
    bool asked_ = false, passed_ = false, cleared_ = false, numberTyped_ = false;
    QString typedNumber_, typedCount_;
    QStringList classSetNames_; // the names of the last named class set
    QMap<QString, QStringList> sheets_; // every sheet met, in an order that replays
    QMap<int, int> climb_;              // where the climber stood at each ladder step
    HoldTicks* hold_ = nullptr;
    QHash<QString, int> reached_; // boxes by the start of their prompt, for the closing line
};

quint64 gSeed = 20260101;
long long gEvents = 20000;
QtMessageHandler gTestHandler = nullptr;

// The offscreen platform warns at every raise of a window; a long run would
// drown its report in them.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (!msg.startsWith(QLatin1String("This plugin does not support")))
        gTestHandler(type, context, msg);
}

} // namespace

class SoakRandomInput : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { gTestHandler = qInstallMessageHandler(quietHandler); }
    void randomRun() {
        qInfo("seed %llu, %lld events", gSeed, gEvents);
        QVERIFY2(Soak(gSeed, gEvents).run(), "see the report above");
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bool ok = false;
    if (const quint64 s = qEnvironmentVariable("DIVISION_SOAK_SEED").toULongLong(&ok); ok)
        gSeed = s;
    if (const long long n = qEnvironmentVariable("DIVISION_SOAK_EVENTS").toLongLong(&ok); ok)
        gEvents = n;
    // --seed=N and --events=N on the command line win; the rest goes to Qt Test.
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a.startsWith("--seed="))
            gSeed = a.mid(7).toULongLong();
        else if (a.startsWith("--events="))
            gEvents = a.mid(9).toLongLong();
        else
            rest.push_back(argv[i]);
    }
    // A long run outlasts Qt Test's five minutes per test function; CTest's
    // timeout guards the run instead.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    SoakRandomInput test;
    return QTest::qExec(&test, int(rest.size()), rest.data());
}

#include "soak_random_input.moc"
