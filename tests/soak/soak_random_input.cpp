// A long seeded run through the whole program: random clicks, drags, keys and
// box answers on the real windows, with the program's own rules checked after
// every event. A failure names the seed and the last events, so the same run
// can be replayed exactly:
//   DIVISION_SOAK_SEED=<seed> DIVISION_SOAK_EVENTS=<n> soak_random_input
//
// The number-catch game's clock never fires on its own here: its real timer
// events are swallowed and the run delivers ticks by calling the tick handler
// whenever the clock is running. So a run does not depend on how fast the
// machine is.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <deque>
#include <random>

#include "division_rules.h"
#include "exercise_window.h"
#include "info_window.h"
#include "memory.h"
#include "number_catch.h"
#include "number_catch_state.h"
#include "practice_report_window.h"
#include "program.h"
#include "scripted_runtime.h"
#include "sheet_number.h"
#include "start_window.h"
#include "twips.h"
#include "window_stack.h"

using Box = ScriptedRuntime::Box;
using shell::VbLabel;
using soak::AnswerCellRule;
using soak::WrittenDivision;

namespace {

// ---------------------------------------------------------------- boxes

const Box kWrong = msgRecord("Das ist leider falsch, rechne nochmal.\r\r", 0, "Fehler");
const Box kFirst = msgRecord("Setze zuerst die Ergebnisziffer ein.\r\r", 0, "Eingabefehler");
const Box kMissing = msgRecord("Es fehlt noch die Ergebnisziffer!\r\r", 0, "Eingabefehler");
const Box kSolvedE = msgRecord("Die Aufgabe wurde richtig gelöst.\r\r", 0, "Teilaufgabe");
const Box kSolvedR = msgRecord("Die Aufgabe wurde richtig gelöst.\r\r", 0, "Lückenaufgabe");
const Box kQuitProgram =
    msgRecord("Dieses Programm jetzt beenden?\r\r\r", 276, "Schriftliche Division");
const Box kCatchQuit = msgRecord("  Dieses Spiel jetzt beenden?", 20, "Zahlfange");
const Box kCatchEnd = msgRecord("  Das Spiel ist beendet!", 0, "Zahlfange");
const Box kMemoQuit = msgRecord("  Dieses Spiel jetzt beenden?", 20, "Memory");
const Box kMemoWon = msgRecord("Prima, du hast es geschafft!\r", 0, "Memory");
const Box kMemoHelp = msgRecord("Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                                "die Einzelfelder an und suche so Zahlenpaare!",
                                0, "Memory");
const Box kCopied =
    msgRecord("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
              "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r",
              0, "Zwischenablage");
const Box kPassword{Box::Input, QStringLiteral("Kennwort eingeben:"), 0,
                    QStringLiteral("Druckersperre aufheben"), QStringLiteral("Passwort")};
const QString kByNumberTitle = QStringLiteral("Blatt nach Nummer");
const Box kByNumber{Box::Input,
                    QStringLiteral("Bitte die Blatt-Nummer eingeben (sie steht unten auf jedem "
                                   "Blatt, zum Beispiel E-482719):"),
                    0, kByNumberTitle, QString()};
const Box kNoSuchNumber = msgRecord("Diese Blatt-Nummer gibt es nicht.", 48, kByNumberTitle);
const Box kClassSetCount{Box::Input, QStringLiteral("Wie viele verschiedene Blätter?"), 0,
                         QStringLiteral("Klassensatz"), QStringLiteral("25")};
const Box kWrongCount =
    msgRecord("Bitte eine ganze Zahl von 1 bis 40 eingeben.\r\r", 48, "Klassensatz");
const Box kClassSetDialog{Box::PrintDialog, QStringLiteral("Klassensatz"), 0, {}, {}};

Box helpBox() {
    const char* lines[] = {"Schiebe die Ziffern vom unteren Fensterrand",
                           "mit der Maus in das gewünschte Lösungsfeld.",
                           "Du kannst auch mit den Tasten arbeiten. Dazu",
                           "klickst zu zuerst auf das gewünschte Feld und",
                           "eine Taste erscheint. Nun gibst du die Zahl ein.",
                           "Für jede richtige Ziffer gibt es einen Punkt und",
                           "alle 50 Punkte gibt es dann ein Belohnungsspiel."};
    QString p;
    for (const char* l : lines)
        p += QString::fromUtf8(l) + QLatin1Char('\r');
    return msgRecord(p, 0, QStringLiteral("Hilfe"));
}

// The boxes of one print flow that depend on the sheet kind.
struct PrintTexts {
    Box confirm, printing, offerNoPrinter, offerFailed, saveDialog;
    QString savedAs, suggested;
};
PrintTexts printTexts(bool solutions) {
    const QString sheet =
        solutions ? QStringLiteral("Lösungsblatt") : QStringLiteral("Rechenblatt");
    const QString offer =
        QStringLiteral("Soll das %1 stattdessen als PDF-Datei gespeichert werden?\r\r").arg(sheet);
    PrintTexts t;
    t.confirm = msgRecord(QStringLiteral("Das %1 jetzt ausdrucken?\r\r").arg(sheet), 292,
                          QStringLiteral("Schriftliche Division"));
    t.printing = msgRecord(QStringLiteral("Das %1 wird gedruckt ...\r\r").arg(sheet), 0,
                           QStringLiteral("Drucken"));
    t.offerNoPrinter = msgRecord(QStringLiteral("Es ist kein Drucker eingerichtet.\r") + offer, 52,
                                 QStringLiteral("Drucken"));
    t.offerFailed =
        msgRecord(QStringLiteral("Der Druck ist fehlgeschlagen.\r") + offer, 52, "Drucken");
    t.suggested =
        solutions ? QStringLiteral("Lösungsblatt.pdf") : QStringLiteral("Aufgabenblatt.pdf");
    t.saveDialog = {Box::SaveFile, QStringLiteral("PDF-Dateien (*.pdf)"), 0,
                    QStringLiteral("%1 als PDF-Datei speichern").arg(sheet), t.suggested};
    t.savedAs = QStringLiteral("Das %1 wurde als PDF-Datei gespeichert:\r").arg(sheet);
    return t;
}

QString shortBox(const Box& b) {
    QString p = b.prompt.left(34);
    p.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QStringLiteral("[%1 '%2'%3]")
        .arg(b.title, p)
        .arg(b.style ? QStringLiteral(" %1").arg(b.style) : QString());
}

// ---------------------------------------------------------------- the exercise state

const char* const kNormalResult[] = {"Bezeichnung6", "Bezeichnung20", "Bezeichnung27",
                                     "Bezeichnung28"};
const char* const kRestResult[] = {"luecke6", "luecke7", "luecke8", "luecke10", "luecke21"};

// What digit entry may change in the exercise window, read before an event
// and then carried forward by the rules of entry to what the event must leave.
struct Entry {
    QHash<QString, QString> cap; // the 29 answer cells
    QString on[2];               // cell under licht / licht2, "" parked, "?" elsewhere
    QString lichtzahl, lichtwert;
    QColor divisor[2];
    QList<Box> boxes;
    int points = 0, errors = 0;
    bool solved = false;
};

QString markerCell(trainer::Form1& f, bool rest) {
    QWidget* m = rest ? f.licht2 : f.licht;
    if (rest ? f.licht2Parked() : f.lichtParked()) return {};
    const AnswerCellRule* c = soak::answerCells();
    for (int i = 0; i < 29; ++i)
        if (c[i].remainder == rest) {
            VbLabel* cell = f.cellNamed(QLatin1String(c[i].name));
            if (tw::left(cell) == tw::left(m) && tw::top(cell) == tw::top(m))
                return QLatin1String(c[i].name);
        }
    return QStringLiteral("?");
}

Entry readEntry(trainer::Form1& f) {
    Entry e;
    const AnswerCellRule* c = soak::answerCells();
    for (int i = 0; i < 29; ++i)
        e.cap.insert(QLatin1String(c[i].name), f.cellNamed(QLatin1String(c[i].name))->caption());
    e.on[0] = markerCell(f, false);
    e.on[1] = markerCell(f, true);
    e.lichtzahl = f.lichtzahl->caption();
    e.lichtwert = f.lichtwert->caption();
    e.divisor[0] = f.Bezeichnung5->foreColor();
    e.divisor[1] = f.luecke[5]->foreColor();
    return e;
}

// The task a layout shows, read from its given cells.
WrittenDivision shownTask(trainer::Form1& f, bool rest) {
    QString n;
    for (int i = 0; i < 4; ++i)
        n += rest ? f.luecke[i + 1]->caption()
                  : f.cellNamed(QStringLiteral("Bezeichnung%1").arg(i + 1))->caption();
    const QString d = rest ? f.luecke[5]->caption() : f.Bezeichnung5->caption();
    return soak::divide(n.size() == 4 ? n.toInt() : 0, d.size() == 1 ? d.toInt() : 0);
}

// ---------------------------------------------------------------- the run

struct Answered {
    Box box;
    int answer = 0;
    QString text;
};

enum class Win { Start, Exercise, Catch, Memory };
const char* winName(Win w) {
    switch (w) {
    case Win::Start:
        return "start window";
    case Win::Exercise:
        return "exercise window";
    case Win::Catch:
        return "number-catch game";
    case Win::Memory:
        return "memory game";
    }
    return "?";
}

// What the windows should be showing, kept from the events alone.
struct Model {
    Win front = Win::Start;
    bool form1Made = false, form4Made = false, memoMade = false;
    bool infoShown = false, infoLoaded = false, locked = true;
    long long points = 0, errors = 0;
    int ladderSteps = 0; // solved tasks since the memory game was last claimed
    bool catchPrompt = false, memoPrompt = false;
    bool sheetShown = false;
    QString sheetNumber; // of the sheet shown
    int printed = 0, pdfs = 0, clipboardWrites = 0;
    int classSetsPrinted = 0, classSetPdfs = 0;
    bool catchMoved = false; // the next-digit label is written from the first move or jump on
};

// How much of the program a run reached, for its closing line.
struct Reached {
    int solved = 0, sheets = 0, copies = 0, catchGames = 0, catchWon = 0, memoGames = 0,
        memoWon = 0, infoOpened = 0, reportOpened = 0, byNumber = 0, classSets = 0;
};

class Soak {
  public:
    Soak(quint64 seed, long long events) : seed_(seed), events_(events), rnd_(seed) {}
    bool run();

  private:
    // ---- random choices
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rnd_)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rnd_) < p; }
    template <typename T> const T& oneOf(const QList<T>& l) { return l.at(pick(int(l.size()))); }

    // ---- failure report
    void fail(const QString& what);
    void check(bool ok, const QString& what) {
        if (!ok && failure_.isEmpty()) fail(what);
    }
    void log(const QString& s) { event_ += s; }

    // ---- boxes
    void answerBox(const Box& b);
    QList<Answered> takeAnswered() {
        QList<Answered> a = answered_;
        answered_.clear();
        rt_.boxes.clear();
        return a;
    }
    void expectBoxes(const QList<Box>& expected, const QList<Answered>& got);

    // ---- delivering events
    QWidget* clickAt(QWidget* control, QPoint local = {});
    void keyTo(QWidget* window, int which);
    void flush();

    // ---- events by window
    void startWindowEvent();
    void infoWindowEvent();
    void exerciseEvent();
    void catchEvent();
    void memoryEvent();

    // ---- exercise window details
    void exerciseClick(QWidget* control);
    void practiceReportEvent();
    void afterEntry(const Entry& before, Entry& e, bool rest);
    void dragEvent();
    void keyEvent();
    void checkPrint(bool solutions, bool rest, const QStringList& sheet, const QString& points,
                    const QList<Answered>& got);
    // The sheet's menu (or the menu of "Blatt"): a sheet by number, class sets.
    void sheetMenuEvent();
    void sheetByNumberEvent(QAction* item);
    void classSetEvent(QAction* item, bool print);
    // A sheet just composed: the one its number stands for, the last task on screen.
    void checkComposed(const QString& how, bool rest);
    void enterExercise(const QString& how);
    void leaveExercise(Win to);

    // ---- rules checked after each event
    void checkAll();
    void checkWindows();
    void checkExercise();
    void checkMemory();
    void checkCatch();

    quint64 seed_;
    long long events_;
    long long n_ = 0;
    std::mt19937_64 rnd_;
    ScriptedRuntime rt_;
    trainer::Program program_;
    Model m_;
    Reached seen_;
    QList<Answered> answered_;
    bool quitYes_ = false;
    std::deque<QString> last_;
    QString event_;
    QString failure_;
    QString pdfDir_ = QStringLiteral("/nonexistent/soak/");
    // Every sheet composed so far, by its number: brought back, it must be the same.
    QHash<QString, QStringList> sheetsByNumber_;
    // What the boxes of the next menu command get.
    QString typedNumber_, typedCount_;
    shell::PrintResult dialogAnswer_ = shell::PrintResult::Cancelled;
};

// ---------------------------------------------------------------- boxes

void Soak::answerBox(const Box& b) {
    Answered a{b, 0, {}};
    if (b.kind == Box::Input) {
        if (b == kPassword) {
            const QString points = program_.form1().Bezeichnung22->caption();
            const QStringList wrong{QString(),
                                    QStringLiteral("Passwort"),
                                    QLatin1Char('0') + points,
                                    QLatin1Char(' ') + points,
                                    points + QLatin1Char(' '),
                                    QString::number(points.toLongLong() + 1),
                                    QString::number(pick(1000))};
            a.text = chance(0.5) ? points : oneOf(wrong);
            rt_.answerInput(a.text);
        } else if (b.title == kByNumberTitle) {
            a.text = typedNumber_;
            rt_.answerInput(a.text);
        } else if (b == kClassSetCount) {
            a.text = typedCount_;
            rt_.answerInput(a.text);
        }
    } else if (b.kind == Box::PrintDialog) {
        a.answer = int(dialogAnswer_);
        rt_.answerPrintDialog(dialogAnswer_);
    } else if (b.kind == Box::SaveFile) {
        if (b.prompt == QLatin1String("PDF-Dateien (*.pdf)")) {
            const QStringList paths{QString(), pdfDir_ + QStringLiteral("blatt"),
                                    pdfDir_ + QStringLiteral("blatt.pdf"),
                                    pdfDir_ + QStringLiteral("Blatt.PDF")};
            a.text = oneOf(paths);
            rt_.answerSaveFile(a.text);
        }
    } else if ((b.style & 7) == shell::YesNo) {
        // The program is ended only by the last event of a run.
        if (b == kQuitProgram)
            a.answer = quitYes_ ? shell::AnswerYes : shell::AnswerNo;
        else
            a.answer = chance(0.5) ? shell::AnswerYes : shell::AnswerNo;
        rt_.answer(a.answer);
    } else {
        a.answer = shell::AnswerOk;
        rt_.answer(a.answer);
    }
    // A box nobody answered here fails in the scripted runtime.
    answered_.append(a);
    // Qt keeps ticking a running clock while a box is open: deliver the tick
    // such a box would let through.
    if (b.title == QLatin1String("Zahlfange") && m_.form4Made &&
        program_.form4().Zeit1->isActive()) {
        log(QStringLiteral(" (tick inside the box)"));
        program_.form4().Zeit1_Timer();
    }
    log(QLatin1Char(' ') + shortBox(b) +
        (b.kind == Box::Message ? (a.answer == shell::AnswerYes  ? QStringLiteral("->Yes")
                                   : a.answer == shell::AnswerNo ? QStringLiteral("->No")
                                                                 : QString())
                                : QStringLiteral("->'%1'").arg(a.text)));
}

void Soak::expectBoxes(const QList<Box>& expected, const QList<Answered>& got) {
    QStringList g, e;
    for (const Answered& a : got)
        g << shortBox(a.box);
    for (const Box& b : expected)
        e << shortBox(b);
    bool same = got.size() == expected.size();
    for (int i = 0; same && i < got.size(); ++i)
        same = got[i].box == expected[i];
    check(same, QStringLiteral("boxes %1, the rules call for %2").arg(g.join(' '), e.join(' ')));
}

// ---------------------------------------------------------------- delivery

// Clicks where the control lies on its window: the click reaches whatever is
// on top there, as a real pointer's would.
QWidget* Soak::clickAt(QWidget* control, QPoint local) {
    if (local.isNull()) local = control->rect().center();
    QWidget* window = control->window();
    const QPoint p = control->mapTo(window, local);
    QWidget* hit = window->childAt(p);
    if (!hit) hit = window;
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window, p));
    return hit;
}

const Qt::Key kDigitKeys[] = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                              Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};

// which: 0..9 main digits, 10..19 keypad digits, 20..45 letters, then Shift,
// Enter, Esc, Left, Up, Right, Down. Returns nothing; the classic code of the
// key is what the rules judge.
int keyCodeOf(int which) {
    if (which < 10) return 48 + which;
    if (which < 20) return 96 + which - 10;
    if (which < 46) return 65 + which - 20;
    const int rest[] = {16, 13, 27, 37, 38, 39, 40};
    return rest[which - 46];
}
constexpr int kKeyKinds = 53;

void Soak::keyTo(QWidget* window, int which) {
    Qt::Key k;
    Qt::KeyboardModifiers mods;
    QString name;
    if (which < 10) {
        k = kDigitKeys[which];
        name = QString::number(which);
    } else if (which < 20) {
        k = kDigitKeys[which - 10];
        mods = Qt::KeypadModifier;
        name = QStringLiteral("keypad %1").arg(which - 10);
    } else if (which < 46) {
        k = Qt::Key(Qt::Key_A + which - 20);
        name = QChar('A' + which - 20);
    } else {
        const Qt::Key rest[] = {Qt::Key_Shift, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Left,
                                Qt::Key_Up,    Qt::Key_Right,  Qt::Key_Down};
        const char* names[] = {"Shift", "Enter", "Esc", "Left", "Up", "Right", "Down"};
        k = rest[which - 46];
        name = QLatin1String(names[which - 46]);
        // Shift alone is one key press; passing it as a modifier too would
        // make Qt Test press it twice.
    }
    QWidget* fw = QApplication::focusWidget();
    QWidget* target = (fw && fw->window() == window) ? fw : window;
    log(QStringLiteral("key %1 to %2").arg(name, target->objectName()));
    QTest::keyClick(target, k, mods);
}

void Soak::flush() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Swallows the real ticks of the game clock; the run ticks it itself.
class TickSwallower : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Timer; }
};

// Centred across, and down at half (or a quarter) of the free height, to the pixel.
bool placed(shell::Form& f, int part) {
    const QSize s = shell::runtime().screenTwips();
    const int pixel = tw::kTwipsPerPixel;
    return std::abs(f.leftTw() - (s.width() - f.widthTw()) / 2) <= pixel &&
           std::abs(f.topTw() - (s.height() - f.heightTw()) / part) <= pixel;
}

// ---------------------------------------------------------------- failure report

void Soak::fail(const QString& what) {
    failure_ = what;
    QString out = QStringLiteral("\nsoak run failed at event %1 of %2, seed %3:\n  %4\n")
                      .arg(n_)
                      .arg(events_)
                      .arg(seed_)
                      .arg(what);
    out += QStringLiteral("last events (oldest first):\n");
    for (const QString& s : last_)
        out += QStringLiteral("  ") + s + QLatin1Char('\n');
    out += QStringLiteral("  #%1 %2\n").arg(n_).arg(event_);
    out += QStringLiteral("replay: DIVISION_SOAK_SEED=%1 DIVISION_SOAK_EVENTS=%2\n")
               .arg(seed_)
               .arg(n_);
    fprintf(stderr, "%s", out.toLocal8Bit().constData());
}

// ---------------------------------------------------------------- events

void Soak::startWindowEvent() {
    shell::Form0& f = program_.form0();
    const QString text = f.Text1_Text();
    const int r = pick(100);
    if (r < 30) {
        log(QStringLiteral("click Bild1 (exercise)"));
        clickAt(f.Bild1);
        expectBoxes({}, takeAnswered());
        m_.front = Win::Exercise;
        enterExercise(QStringLiteral("from the start window"));
    } else if (r < 45) {
        log(QStringLiteral("click Bild4 (info)"));
        clickAt(f.Bild4);
        expectBoxes({}, takeAnswered());
        if (!m_.infoLoaded) m_.locked = true;
        m_.infoLoaded = m_.infoShown = true;
        ++seen_.infoOpened;
        check(placed(*program_.loadedInfoWindow(), 4),
              QStringLiteral("info window not centred across at a quarter of the height"));
    } else if (r < 52) {
        log(QStringLiteral("click Bild3 (quit), answer No"));
        clickAt(f.Bild3);
        expectBoxes({kQuitProgram}, takeAnswered());
    } else if (r < 65) {
        QWidget* inert[] = {f.Bezeichnung1, f.Bezeichnung2, f.Bezeichnung3, f.Bild5, f.Text1,
                            f.Figur1,       f.Figur3,       f.Figur5,       f.Linie1};
        QWidget* w = inert[pick(9)];
        log(QStringLiteral("click %1").arg(w->objectName()));
        clickAt(w);
        expectBoxes({}, takeAnswered());
    } else if (r < 80 && m_.infoShown) {
        infoWindowEvent();
        return;
    } else {
        keyTo(chance(0.8) || !m_.infoShown ? static_cast<QWidget*>(&f)
                                           : program_.loadedInfoWindow(),
              pick(kKeyKinds));
        expectBoxes({}, takeAnswered());
    }
    check(f.Text1_Text() == text, QStringLiteral("description text changed"));
}

void Soak::infoWindowEvent() {
    shell::ZEBLABEL* z = program_.loadedInfoWindow();
    const int r = pick(12);
    if (r >= 10) {
        QWidget* inert[] = {z->Bezeichnung5, z->Bezeichnung6, z->Bezeichnung7, z->Bezeichnung8,
                            z->Figur1};
        QWidget* w = inert[pick(5)];
        log(QStringLiteral("click %1 of the info window").arg(w->objectName()));
        clickAt(w);
    } else if (r < 5) {
        log(QStringLiteral("click Kontroll1"));
        QTest::mouseClick(z->Kontroll1, Qt::LeftButton, {}, QPoint(8, z->Kontroll1->height() / 2));
        m_.locked = !m_.locked;
    } else if (r < 7) {
        log(QStringLiteral("click O k a y"));
        clickAt(z->Bezeichnung1);
        m_.infoShown = false;
    } else if (r < 8) {
        log(QStringLiteral("click Bild1 of the info window"));
        clickAt(z->Bild1);
        m_.infoShown = false;
    } else {
        log(QStringLiteral("close the info window"));
        z->close();
        flush();
        m_.infoShown = m_.infoLoaded = false;
        m_.locked = true;
    }
    expectBoxes({}, takeAnswered());
}

void Soak::enterExercise(const QString& how) {
    m_.form1Made = true;
    trainer::Form1& f = program_.form1();
    const Entry e = readEntry(f);
    const bool rest = f.Bezeichnung21->caption() == QLatin1String("R");
    const AnswerCellRule* c = soak::answerCells();
    bool empty = true;
    for (int i = 0; i < 29; ++i)
        if (c[i].remainder == rest && !e.cap.value(QLatin1String(c[i].name)).isEmpty())
            empty = false;
    check(empty, QStringLiteral("exercise window entered %1 with a filled cell").arg(how));
    check(placed(f, 2), QStringLiteral("exercise window entered %1 off the centre").arg(how));
    check(e.on[0].isEmpty() && e.on[1].isEmpty(),
          QStringLiteral("exercise window entered %1 with a keyboard marker on a cell").arg(how));
}

void Soak::leaveExercise(Win to) {
    m_.front = to;
    if (to == Win::Catch) {
        ++seen_.catchGames;
        m_.catchPrompt = false;
        m_.form4Made = true;
        m_.catchMoved = false;
        games::Form4& g = program_.form4();
        static TickSwallower* swallower = nullptr;
        if (!swallower) {
            swallower = new TickSwallower(&g);
            g.Zeit1->installEventFilter(swallower);
        }
        check(placed(g, 2), QStringLiteral("number-catch window off the centre"));
        const games::Modul1& mod = g.MODUL1;
        check(mod.DigitsLeft == QLatin1String("0123456789") && mod.CrossX == 14 && mod.CrossY == 9,
              QStringLiteral("number-catch game did not start afresh"));
    } else if (to == Win::Memory) {
        ++seen_.memoGames;
        m_.memoPrompt = false;
        m_.ladderSteps = 0;
        m_.memoMade = true;
    }
}

void Soak::exerciseEvent() {
    trainer::Form1& f = program_.form1();
    const int r = pick(1000);
    if (r < 450) {
        dragEvent();
    } else if (r < 590) {
        keyEvent();
    } else if (r < 730) {
        // A cell, chosen mostly from the layout in front.
        const bool rest = f.Bezeichnung21->caption() == QLatin1String("R");
        const AnswerCellRule* c = soak::answerCells();
        QList<const AnswerCellRule*> cells;
        for (int i = 0; i < 29; ++i)
            if (c[i].remainder == rest || chance(0.1)) cells << &c[i];
        exerciseClick(f.cellNamed(QLatin1String(oneOf(cells)->name)));
    } else if (r < 740) {
        exerciseClick(chance(0.5) ? static_cast<QWidget*>(f.licht) : f.licht2);
    } else if (r < 750) {
        exerciseClick(f.Befehl21);
    } else if (r < 760) {
        exerciseClick(f.Befehl20);
    } else if (r < 765) {
        exerciseClick(f.Befehl15);
    } else if (r < 770) {
        exerciseClick(f.Befehl14);
    } else if (r < 780) {
        sheetMenuEvent();
    } else if (r < 850 && m_.sheetShown) {
        const int which = pick(5);
        if (which < 2)
            exerciseClick(f.Befehl16);
        else if (which == 1)
            exerciseClick(f.Befehl17);
        else if (which == 2)
            exerciseClick(f.Befehl18);
        else
            exerciseClick(f.Befehl19);
    } else if (r < 930) {
        exerciseClick(chance(0.5) ? f.Bezeichnung26 : f.Bezeichnung14);
    } else if (r < 935) {
        exerciseClick(f.Befehl1);
    } else if (r < 940) {
        log(QStringLiteral("close the exercise window"));
        f.close();
        expectBoxes({}, takeAnswered());
        check(!f.isVisible(), QStringLiteral("exercise window stayed open after its close button"));
        leaveExercise(Win::Start);
    } else if (r < 943) {
        practiceReportEvent();
    } else {
        QWidget* inert[] = {f.Bild1,         f.Bild2,         f.Bild4,     f.Bild5,
                            f.Bezeichnung22, f.Bezeichnung24, f.Figur6,    f.Liste5,
                            f.Bild6,         f.Bezeichnung1,  f.luecke[9], f.DigitKey[pick(10)]};
        exerciseClick(inert[pick(12)]);
    }
}

// The teacher opens the practice report and closes it: it counts every
// point, error and solved task of the run, and the window stays as it was.
void Soak::practiceReportEvent() {
    trainer::Form1& f = program_.form1();
    log(QStringLiteral("open the practice report and close it"));
    const Entry before = readEntry(f);
    const QStringList liste1 = f.Liste1;
    f.Figur2_ContextMenu(f.mapToGlobal(f.Figur2->geometry().center()));
    f.Figur2Menu->hide();
    f.Figur2Menu->actions().value(0)->trigger();
    trainer::PracticeReportWindow* r = f.practiceReportWindow();
    check(r && r->isVisible(), QStringLiteral("the report did not open"));
    if (!r) return;
    ++seen_.reportOpened;
    const trainer::PracticeRecord& rec = f.record;
    check(rec.rightDigits() == quint64(m_.points) && rec.wrongDigits() == quint64(m_.errors) &&
              rec.solvedTasks(false) + rec.solvedTasks(true) == quint64(seen_.solved),
          QStringLiteral("the report counts %1 right, %2 wrong, %3 solved")
              .arg(rec.rightDigits())
              .arg(rec.wrongDigits())
              .arg(rec.solvedTasks(false) + rec.solvedTasks(true)));
    clickAt(r->Befehl4);
    check(!r->isVisible(), QStringLiteral("the report stayed open after \"Schließen\""));
    expectBoxes({}, takeAnswered());
    const Entry after = readEntry(f);
    check(after.cap == before.cap && after.on[0] == before.on[0] && after.on[1] == before.on[1] &&
              after.lichtzahl == before.lichtzahl && after.lichtwert == before.lichtwert &&
              f.Liste1 == liste1,
          QStringLiteral("the report changed the exercise window"));
}

// Digit entry rules, carried forward on the state read before the event.
namespace entry {

bool solvedNow(Entry& e, const WrittenDivision& w, bool rest) {
    bool solved;
    if (!rest) {
        QString entered;
        for (const char* c : kNormalResult)
            entered += e.cap.value(QLatin1String(c));
        solved = entered.toLongLong() == (QString::number(w.q) + w.r3).toLongLong();
    } else {
        QString entered;
        for (const char* c : kRestResult)
            entered += e.cap.value(QLatin1String(c));
        solved = entered == QString::number(w.q) + QString::number(w.r) + w.r3;
    }
    if (solved) {
        e.boxes << (rest ? kSolvedR : kSolvedE);
        e.solved = true;
        e.on[0].clear();
        e.on[1].clear();
    }
    return solved;
}

void wrong(Entry& e) {
    e.boxes << kWrong;
    ++e.errors;
}

// A digit dropped on an answer cell.
void drop(Entry& e, const WrittenDivision& w, const AnswerCellRule& c, const QString& digit,
          trainer::Form1& f) {
    const QString name = QLatin1String(c.name);
    if (c.required && c.refuse && e.cap.value(QLatin1String(c.required)).isEmpty()) {
        e.boxes << kFirst;
        return;
    }
    if (c.colourFrom)
        e.divisor[c.remainder] = f.cellNamed(QLatin1String(c.colourFrom))->foreColor();
    e.cap[name] = digit;
    if (digit != soak::expectedDigit(w, c.name)) {
        wrong(e);
        e.cap[name].clear();
    } else {
        ++e.points;
    }
    const bool solved = solvedNow(e, w, c.remainder);
    if (c.required && !c.refuse && !solved && e.cap.value(QLatin1String(c.required)).isEmpty())
        e.boxes << kMissing;
}

// The digit of a key or a marker drop for the selected cell.
bool placeTyped(Entry& e) {
    const AnswerCellRule* c = soak::answerCells();
    const int n = e.lichtwert.toInt();
    if (n < 1 || n > 29) return false;
    const AnswerCellRule& cell = c[n - 1];
    const bool missing = cell.required && e.cap.value(QLatin1String(cell.required)).isEmpty();
    if (missing && cell.refuse) {
        e.boxes << kMissing;
        return false;
    }
    e.cap[QLatin1String(cell.name)] = e.lichtzahl;
    if (missing) e.boxes << kMissing;
    return true;
}

void typed(Entry& e, const WrittenDivision& w, bool rest, const QString& ch) {
    if (ch == e.lichtzahl && !e.lichtzahl.isEmpty()) {
        e.on[rest].clear();
        if (placeTyped(e)) ++e.points;
    } else {
        wrong(e);
    }
    solvedNow(e, w, rest);
}

} // namespace entry

// A click on the exercise window where the control lies, judged by what it hit.
void Soak::exerciseClick(QWidget* control) {
    trainer::Form1& f = program_.form1();
    const Entry before = readEntry(f);
    const QString mode = f.Bezeichnung21->caption();
    const bool rest = mode == QLatin1String("R");
    const WrittenDivision task = shownTask(f, rest);
    const QStringList sheet = [&] {
        QStringList s;
        for (int i = 0; i < f.Liste5->count(); ++i)
            s << f.Liste5->item(i)->text();
        return s;
    }();
    const int ladder = tw::top(f.Bild1);
    const int clipboardWrites = rt_.clipboardWrites;
    const QString points = f.Bezeichnung22->caption();
    // Whatever the click hits: a print button prints on a printer of this kind.
    const int pr = pick(10);
    rt_.printerAnswer = pr < 7   ? shell::PrintResult::Printed
                        : pr < 9 ? shell::PrintResult::NoPrinter
                                 : shell::PrintResult::Failed;
    rt_.pdfWorks = chance(0.8);
    QWidget* const window = control->window();
    QWidget* hit = window->childAt(control->mapTo(window, control->rect().center()));
    QString name = hit ? hit->objectName() : QStringLiteral("the window");
    if (hit && (hit->parentWidget() == f.Liste5->viewport() || hit == f.Liste5->viewport()))
        name = QStringLiteral("Liste5");
    log(QStringLiteral("click at %1, hits %2").arg(control->objectName(), name));
    if (hit == f.Befehl17 || hit == f.Befehl18)
        log(QStringLiteral(" (printer %1, PDF %2)")
                .arg(pr < 7   ? "works"
                     : pr < 9 ? "missing"
                              : "fails",
                     rt_.pdfWorks ? "works" : "fails"));
    hit = clickAt(control);
    const QList<Answered> got = takeAnswered();

    Entry e = before;
    if (const AnswerCellRule* c = soak::answerCell(name)) {
        if (before.cap.value(name).isEmpty()) {
            e.on[c->remainder] = name;
            e.lichtzahl = soak::expectedDigit(task, c->name);
            e.lichtwert = QString::number(c->number);
        }
        expectBoxes({}, got);
        afterEntry(before, e, rest);
        return;
    }
    if (hit == f.licht || hit == f.licht2) {
        e.on[hit == f.licht2].clear();
        expectBoxes({}, got);
        afterEntry(before, e, rest);
        return;
    }
    for (int digit = 0; digit < 10; ++digit) {
        if (hit != f.DigitKey[digit]) continue;
        // A tap: the digit dropped onto the marker of the layout in front.
        if (!before.on[rest].isEmpty()) entry::typed(e, task, rest, QString::number(digit));
        expectBoxes(e.boxes, got);
        afterEntry(before, e, rest);
        if (!e.solved) {
            const WrittenDivision now = shownTask(f, rest);
            check(now.n == task.n && now.d == task.d, QStringLiteral("the task changed by a tap"));
        }
        return;
    }
    if (hit == f.Befehl21 || hit == f.Befehl20) {
        expectBoxes({}, got);
        const bool toRest = hit == f.Befehl20;
        check(f.Bezeichnung21->caption() == (toRest ? "R" : "E") &&
                  tw::top(f.Bild6) == (toRest ? 720 : 7200) &&
                  f.windowTitle() == (toRest
                                          ? QStringLiteral("Schriftliche Division mit Rest")
                                          : QStringLiteral("Schriftliche Division mit Einerzahl")),
              QStringLiteral("mode button left mode %1, layout at %2, caption '%3'")
                  .arg(f.Bezeichnung21->caption())
                  .arg(tw::top(f.Bild6))
                  .arg(f.windowTitle()));
        enterExercise(QStringLiteral("by a mode button"));
        // The other layout is emptied, and the normal one keeps no given cell.
        for (int i = 1; i <= 21; ++i)
            if (!toRest)
                check(f.luecke[i]->caption() == (i == 9 ? "R" : ""),
                      QStringLiteral("luecke%1 not emptied by Normal").arg(i));
        if (toRest)
            for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18, 19, 20})
                check(f.cellNamed(QStringLiteral("Bezeichnung%1").arg(i))->caption().isEmpty(),
                      QStringLiteral("Bezeichnung%1 not emptied by mit Rest").arg(i));
        return;
    }
    if (hit == f.Befehl17 || hit == f.Befehl18) {
        checkPrint(hit == f.Befehl18, rest, sheet, points, got);
    } else if (hit == f.Befehl15) {
        expectBoxes({helpBox()}, got);
    } else if (hit == f.Befehl14) {
        expectBoxes({}, got);
        ++seen_.sheets;
        checkComposed(QStringLiteral("after Blatt"), rest);
        return;
    } else if (hit == f.Befehl16) {
        expectBoxes({}, got);
        m_.sheetShown = false;
        m_.sheetNumber.clear();
    } else if (hit == f.Befehl19) {
        expectBoxes({kCopied}, got);
        ++seen_.copies;
        ++m_.clipboardWrites;
        check(rt_.clipboard == soak::clipboardFor(sheet, rest),
              QStringLiteral("clipboard text differs from the sheet"));
        check(QGuiApplication::clipboard()->text() == rt_.clipboard,
              QStringLiteral("system clipboard does not hold the copied text"));
        check(rt_.clipboardWrites == clipboardWrites + 1,
              QStringLiteral("clipboard written twice"));
        check(rt_.clipboardHtml.contains(
                  QStringLiteral("</pre><p>Blatt-Nr. %1</p>").arg(m_.sheetNumber)),
              QStringLiteral("clipboard HTML does not name the sheet %1").arg(m_.sheetNumber));
    } else if (hit == f.Bezeichnung26) {
        expectBoxes({}, got);
        check(m_.catchPrompt, QStringLiteral("number-catch prompt was clickable while hidden"));
        leaveExercise(Win::Catch);
        return;
    } else if (hit == f.Bezeichnung14) {
        expectBoxes({}, got);
        check(m_.memoPrompt, QStringLiteral("memory prompt was clickable while hidden"));
        check(tw::top(f.Bild1) == 5880, QStringLiteral("ladder not back at its foot"));
        leaveExercise(Win::Memory);
        return;
    } else if (hit == f.Befehl1) {
        expectBoxes({}, got);
        check(tw::top(f.Bild6) == 7200, QStringLiteral("Ende left the remainder layout in front"));
        leaveExercise(Win::Start);
        return;
    } else {
        expectBoxes({}, got);
    }
    // Nothing but the sheet panel may have changed.
    afterEntry(before, e, rest);
    const WrittenDivision now = shownTask(f, rest);
    check(now.n == task.n && now.d == task.d, QStringLiteral("the task changed"));
    check(tw::top(f.Bild1) == ladder, QStringLiteral("the ladder moved"));
}

// Compares the exercise window with what the rules of entry left in e.
void Soak::afterEntry(const Entry& before, Entry& e, bool rest) {
    trainer::Form1& f = program_.form1();
    const Entry now = readEntry(f);
    m_.errors += e.errors;
    const long long oldPoints = m_.points;
    m_.points += e.points;
    if (m_.points / 50 != oldPoints / 50) m_.catchPrompt = true;
    if (e.solved) {
        ++seen_.solved;
        ++m_.ladderSteps;
        if (5880 - 240 * m_.ladderSteps <= 360) m_.memoPrompt = true;
        for (auto it = now.cap.cbegin(); it != now.cap.cend(); ++it) {
            const AnswerCellRule* c = soak::answerCell(it.key());
            if (c->remainder == rest)
                check(it.value().isEmpty(),
                      QStringLiteral("%1 holds '%2' in the next task").arg(it.key(), it.value()));
            else
                check(it.value() == before.cap.value(it.key()),
                      QStringLiteral("%1 of the other layout changed").arg(it.key()));
        }
        check(now.on[0].isEmpty() && now.on[1].isEmpty(),
              QStringLiteral("a keyboard marker stayed on a cell after a solved task"));
        check(now.divisor[rest] == (rest ? f.luecke[6] : f.Bezeichnung6)->foreColor(),
              QStringLiteral("divisor not red again in the next task"));
    } else {
        for (auto it = now.cap.cbegin(); it != now.cap.cend(); ++it)
            check(it.value() == e.cap.value(it.key()),
                  QStringLiteral("%1 holds '%2', the rules leave '%3'")
                      .arg(it.key(), it.value(), e.cap.value(it.key())));
        check(now.on[0] == e.on[0] && now.on[1] == e.on[1],
              QStringLiteral("keyboard markers on '%1'/'%2', the rules put them on '%3'/'%4'")
                  .arg(now.on[0], now.on[1], e.on[0], e.on[1]));
        check(now.divisor[0] == e.divisor[0] && now.divisor[1] == e.divisor[1],
              QStringLiteral("divisor colour %1/%2, the rules call for %3/%4")
                  .arg(now.divisor[0].name(), now.divisor[1].name(), e.divisor[0].name(),
                       e.divisor[1].name()));
    }
    check(now.lichtzahl == e.lichtzahl && now.lichtwert == e.lichtwert,
          QStringLiteral("selection '%1'/'%2', the rules leave '%3'/'%4'")
              .arg(now.lichtzahl, now.lichtwert, e.lichtzahl, e.lichtwert));
}

void Soak::dragEvent() {
    trainer::Form1& f = program_.form1();
    const bool rest = f.Bezeichnung21->caption() == QLatin1String("R");
    const WrittenDivision task = shownTask(f, rest);
    const Entry before = readEntry(f);
    const AnswerCellRule* cells = soak::answerCells();

    // Where to: an answer cell (the result cells more often), a marker, a
    // given cell, a cell of the other layout, anywhere, or off the window.
    QPoint global;
    QString aim;
    const int r = pick(100);
    QWidget* to = nullptr;
    if (r < 70) {
        QList<const AnswerCellRule*> front;
        for (int i = 0; i < 29; ++i)
            if (cells[i].remainder == rest) front << &cells[i];
        const AnswerCellRule* c = front[pick(int(front.size()))];
        if (chance(0.5)) {
            const char* const* result = rest ? kRestResult : kNormalResult;
            c = soak::answerCell(QLatin1String(result[pick(rest ? 5 : 4)]));
        }
        to = f.cellNamed(QLatin1String(c->name));
    } else if (r < 78) {
        to = rest ? f.licht2 : f.licht;
    } else if (r < 86) {
        const int i = 1 + pick(5);
        to = rest ? f.luecke[chance(0.2) ? 9 : i]
                  : f.cellNamed(QStringLiteral("Bezeichnung%1").arg(i));
    } else if (r < 90) {
        to = f.cellNamed(QLatin1String(cells[pick(29)].name));
    }
    if (to) {
        const QRect rc = to->rect();
        global = to->mapToGlobal(QPoint(pick(rc.width()), pick(rc.height())));
        aim = to->objectName();
    } else if (r < 97) {
        global = f.mapToGlobal(QPoint(pick(f.width()), pick(f.height())));
        aim = QStringLiteral("a point of the window");
    } else {
        global = f.mapToGlobal(QPoint(-1 - pick(40), f.height() + pick(40)));
        aim = QStringLiteral("off the window");
    }

    int digit = pick(10);
    if (to && chance(0.75)) {
        if (const AnswerCellRule* c = soak::answerCell(to->objectName()))
            digit = soak::expectedDigit(task, c->name).toInt();
        else if (to == f.licht || to == f.licht2)
            digit = before.lichtzahl.toInt();
    }

    QWidget* key = f.DigitKey[digit];
    const QPoint start = key->rect().center();
    const QPoint end = key->mapFromGlobal(global);
    QTest::mousePress(key, Qt::LeftButton, {}, start);
    QTest::mouseMove(key, (start + end) / 2);
    QTest::mouseMove(key, end);
    // What lies under the pointer takes the drop: the active window is in
    // front of the others, as on a desktop where a click raises a window.
    QWidget* front = QApplication::activeWindow();
    QWidget* hit = front && front->rect().contains(front->mapFromGlobal(global))
                       ? front->childAt(front->mapFromGlobal(global))
                       : QApplication::widgetAt(global);
    QString hitName = hit ? hit->objectName() : QStringLiteral("nothing");
    if (hit && hit->window() != &f) hitName += QStringLiteral(" of ") + hit->window()->objectName();
    log(QStringLiteral("drag %1 to %2, lands on %3").arg(digit).arg(aim, hitName));
    QTest::mouseRelease(key, Qt::LeftButton, {}, end);
    const QList<Answered> got = takeAnswered();

    Entry e = before;
    const QString d = QString::number(digit);
    const AnswerCellRule* c = hit && hit->window() == &f ? soak::answerCell(hitName) : nullptr;
    if (c) {
        entry::drop(e, task, *c, d, f);
    } else if (hit == f.licht || hit == f.licht2) {
        const bool onRest = hit == f.licht2;
        entry::typed(e, task, onRest, d);
    } else if (hit == key && !before.on[rest].isEmpty()) {
        // Let go on its own key: a tap.
        entry::typed(e, task, rest, d);
    }
    expectBoxes(e.boxes, got);
    afterEntry(before, e, rest);
    if (!e.solved) {
        const WrittenDivision now = shownTask(f, rest);
        check(now.n == task.n && now.d == task.d, QStringLiteral("the task changed by a drop"));
    }
}

void Soak::keyEvent() {
    trainer::Form1& f = program_.form1();
    const bool rest = f.Bezeichnung21->caption() == QLatin1String("R");
    const WrittenDivision task = shownTask(f, rest);
    const Entry before = readEntry(f);
    int which = pick(kKeyKinds);
    if (!before.on[rest].isEmpty() && chance(0.5)) which = before.lichtzahl.toInt();
    keyTo(&f, which);
    const QList<Answered> got = takeAnswered();
    Entry e = before;
    // Keys count only while the layout of the mode has a selected cell.
    if (!before.on[rest].isEmpty()) entry::typed(e, task, rest, QString(QChar(keyCodeOf(which))));
    expectBoxes(e.boxes, got);
    afterEntry(before, e, rest);
}

void Soak::checkPrint(bool solutions, bool rest, const QStringList& sheet, const QString& points,
                      const QList<Answered>& got) {
    const int printedBefore = m_.printed, pdfsBefore = m_.pdfs;
    // Reading the switch loads the info window, locked.
    if (!m_.infoLoaded) {
        m_.infoLoaded = true;
        m_.locked = true;
    }
    const PrintTexts t = printTexts(solutions);
    QList<Box> expected;
    int i = 0;
    auto answer = [&](int k) { return k < got.size() ? got[k] : Answered{}; };
    bool printed = false, pdf = false;
    QString pdfPath;
    [&] {
        if (m_.locked) {
            expected << kPassword;
            if (answer(i++).text != points) return;
        }
        expected << t.confirm;
        if (answer(i++).answer != shell::AnswerYes) return;
        if (rt_.printerAnswer == shell::PrintResult::Printed) {
            printed = true;
            expected << t.printing;
            return;
        }
        expected << (rt_.printerAnswer == shell::PrintResult::NoPrinter ? t.offerNoPrinter
                                                                        : t.offerFailed);
        if (answer(i++).answer != shell::AnswerYes) return;
        expected << t.saveDialog;
        pdfPath = answer(i++).text;
        if (pdfPath.isEmpty()) return;
        if (!pdfPath.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            pdfPath += QLatin1String(".pdf");
        if (rt_.pdfWorks) {
            pdf = true;
            expected << msgRecord(t.savedAs + pdfPath + QStringLiteral("\r\r"), 0, "Drucken");
        } else {
            expected << msgRecord(
                QStringLiteral("Die PDF-Datei konnte nicht gespeichert werden:\r") + pdfPath +
                    QStringLiteral("\r\r"),
                16, "Drucken");
        }
    }();
    expectBoxes(expected, got);
    m_.printed += printed;
    m_.pdfs += pdf;
    const QStringList lines = soak::printedLines(sheet, rest, solutions);
    const double size = solutions || rest ? 20 : 24;
    auto sameDoc = [&](const shell::PrintDocument& d) {
        return d.fontName == QLatin1String("Courier New") && d.pointSize == size &&
               d.lines == lines &&
               d.footLine ==
                   QStringLiteral("Blatt-Nr. %1 · Seite {page} von {pages}").arg(m_.sheetNumber);
    };
    if (printed && rt_.printed.size() == printedBefore + 1)
        check(sameDoc(rt_.printed.last()), QStringLiteral("printed sheet differs from the rules"));
    if (pdf && rt_.pdfs.size() == pdfsBefore + 1)
        check(rt_.pdfs.last().first == pdfPath && sameDoc(rt_.pdfs.last().second),
              QStringLiteral("PDF sheet differs from the rules"));
}

void Soak::checkComposed(const QString& how, bool rest) {
    trainer::Form1& f = program_.form1();
    m_.sheetShown = true;
    QStringList items;
    for (int i = 0; i < f.Liste5->count(); ++i)
        items << f.Liste5->item(i)->text();
    const QString fault = soak::sheetFault(items, rest);
    check(fault.isEmpty(), QStringLiteral("worksheet %1: ").arg(how) + fault);
    // The last task of the sheet stays the task of the exercise.
    if (fault.isEmpty()) {
        const int width = rest ? 12 : 10;
        const WrittenDivision now = shownTask(f, rest);
        QString head = QStringLiteral("%1:%2=%3").arg(now.n).arg(now.d).arg(now.q);
        if (rest) head += QLatin1Char('R') + QString::number(now.r);
        check(items[27].mid(2 * (width + (rest ? 2 : 3)), width) == head,
              QStringLiteral("the exercise does not show the last task of the sheet"));
    }
    // The number names the mode and stands for exactly this sheet, now and later.
    const QString number = f.sheetNumber;
    check(QRegularExpression(QStringLiteral("^%1-\\d{6}$").arg(rest ? 'R' : 'E'))
              .match(number)
              .hasMatch(),
          QStringLiteral("sheet number '%1' in mode %2").arg(number).arg(rest ? 'R' : 'E'));
    const std::optional<trainer::SheetNumber> n = trainer::parseSheetNumber(number);
    check(n && trainer::sheetLinesOf(*n) == items,
          QStringLiteral("the sheet is not the one of its number %1").arg(number));
    if (sheetsByNumber_.contains(number))
        check(sheetsByNumber_.value(number) == items,
              QStringLiteral("sheet %1 differs from when it was first composed").arg(number));
    else
        sheetsByNumber_.insert(number, items);
    m_.sheetNumber = number;
    enterExercise(how);
}

void Soak::sheetMenuEvent() {
    trainer::Form1& f = program_.form1();
    // A shown sheet covers "Blatt": its own menu is the one within reach.
    QMenu* menu = m_.sheetShown ? f.Liste5Menu : f.Befehl14Menu;
    const int which = pick(10);
    const QString text = which < 6   ? QStringLiteral("Blatt nach Nummer …")
                         : which < 8 ? QStringLiteral("Klassensatz als PDF speichern …")
                                     : QStringLiteral("Klassensatz drucken auf …");
    QAction* item = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == text) item = a;
    check(item, QStringLiteral("%1 lacks '%2'").arg(menu->objectName(), text));
    if (!item) return;
    if (which < 6)
        sheetByNumberEvent(item);
    else
        classSetEvent(item, which >= 8);
}

namespace {
QStringList listItems(const trainer::Form1& f) {
    QStringList items;
    for (int i = 0; i < f.Liste5->count(); ++i)
        items << f.Liste5->item(i)->text();
    return items;
}
} // namespace

void Soak::sheetByNumberEvent(QAction* item) {
    trainer::Form1& f = program_.form1();
    const Entry before = readEntry(f);
    const bool rest = f.Bezeichnung21->caption() == QLatin1String("R");
    const WrittenDivision task = shownTask(f, rest);
    const QStringList sheet = listItems(f);

    // A number met before, a new one, a mistyped one, or nothing.
    QString number;
    const int kind = pick(10);
    if (kind < 4 && !sheetsByNumber_.isEmpty()) {
        const QStringList known = sheetsByNumber_.keys();
        number = known.at(pick(int(known.size())));
    } else if (kind < 6) {
        number = QStringLiteral("%1-%2")
                     .arg(chance(0.5) ? 'R' : 'E')
                     .arg(pick(1000000), 6, 10, QLatin1Char('0'));
    }
    if (!number.isEmpty()) {
        const QString letter = number.left(1), digits = number.mid(2);
        const QStringList forms{number, letter.toLower() + digits,
                                letter + ' ' + digits.left(3) + ' ' + digits.mid(3),
                                QStringLiteral("  ") + letter.toLower() + '-' + digits + ' '};
        typedNumber_ = oneOf(forms);
    } else {
        const QStringList bad{QString(),
                              QStringLiteral("X-123456"),
                              QStringLiteral("E-12345"),
                              QStringLiteral("R-1234567"),
                              QStringLiteral("E-12a456"),
                              QStringLiteral("123456"),
                              QStringLiteral("Blatt")};
        typedNumber_ = oneOf(bad);
    }
    log(QStringLiteral("menu %1: '%2'").arg(item->text(), typedNumber_));
    item->trigger();
    const QList<Answered> got = takeAnswered();
    if (number.isEmpty()) {
        expectBoxes(typedNumber_.isEmpty() ? QList<Box>{kByNumber}
                                           : QList<Box>{kByNumber, kNoSuchNumber},
                    got);
        Entry e = before;
        afterEntry(before, e, rest);
        const WrittenDivision now = shownTask(f, rest);
        check(now.n == task.n && now.d == task.d, QStringLiteral("the task changed"));
        check(listItems(f) == sheet, QStringLiteral("a number that is none changed the sheet"));
        return;
    }
    expectBoxes({kByNumber}, got);
    ++seen_.byNumber;
    // The letter chooses the mode, as the mode buttons do.
    const bool toRest = number.startsWith(QLatin1Char('R'));
    check(f.Bezeichnung21->caption() == (toRest ? "R" : "E") &&
              tw::top(f.Bild6) == (toRest ? 720 : 7200),
          QStringLiteral("sheet %1 left mode %2 with the layout at %3")
              .arg(number, f.Bezeichnung21->caption())
              .arg(tw::top(f.Bild6)));
    if (toRest != rest) {
        for (int i = 1; i <= 21; ++i)
            if (!toRest)
                check(f.luecke[i]->caption() == (i == 9 ? "R" : ""),
                      QStringLiteral("luecke%1 not emptied by the change of mode").arg(i));
        if (toRest)
            for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18, 19, 20})
                check(f.cellNamed(QStringLiteral("Bezeichnung%1").arg(i))->caption().isEmpty(),
                      QStringLiteral("Bezeichnung%1 not emptied by the change of mode").arg(i));
    }
    checkComposed(QStringLiteral("after Blatt nach Nummer"), toRest);
    check(f.sheetNumber == number,
          QStringLiteral("'%1' brought sheet %2").arg(typedNumber_, f.sheetNumber));
}

void Soak::classSetEvent(QAction* item, bool print) {
    trainer::Form1& f = program_.form1();
    const Entry before = readEntry(f);
    const bool rest = f.Bezeichnung21->caption() == QLatin1String("R");
    const WrittenDivision task = shownTask(f, rest);
    const int ladder = tw::top(f.Bild1);
    const QStringList sheet = listItems(f);
    const QString points = f.Bezeichnung22->caption();
    const QStringList counts{QStringLiteral("1"),   QStringLiteral("2"),  QStringLiteral("3"),
                             QStringLiteral(" 4"),  QStringLiteral("25"), QStringLiteral("40"),
                             QStringLiteral("0"),   QStringLiteral("41"), QString(),
                             QStringLiteral("zwei")};
    typedCount_ = oneOf(counts);
    const shell::PrintResult dialog[] = {shell::PrintResult::Printed, shell::PrintResult::Printed,
                                         shell::PrintResult::Cancelled,
                                         shell::PrintResult::NoPrinter, shell::PrintResult::Failed};
    dialogAnswer_ = dialog[pick(5)];
    const shell::PrintResult written[] = {shell::PrintResult::Printed, shell::PrintResult::Printed,
                                          shell::PrintResult::Printed, shell::PrintResult::Failed,
                                          shell::PrintResult::Cancelled};
    rt_.jobAnswer = written[pick(5)];
    log(QStringLiteral("menu %1: count '%2'").arg(item->text(), typedCount_));
    item->trigger();
    const QList<Answered> got = takeAnswered();

    // Reading the switch loads the info window, locked.
    if (!m_.infoLoaded) {
        m_.infoLoaded = true;
        m_.locked = true;
    }
    // The boxes the flow must show on the answers given.
    const QString trimmed = typedCount_.trimmed();
    int count = 0;
    if (QRegularExpression(QStringLiteral("^\\d+$")).match(trimmed).hasMatch())
        count = trimmed.toInt();
    QList<Box> expected;
    int i = 0;
    auto answer = [&](int k) { return k < got.size() ? got[k] : Answered{}; };
    bool printed = false, saved = false;
    auto write = [&](const QString& title) {
        QString path = answer(i++).text;
        if (path.isEmpty() || rt_.jobAnswer == shell::PrintResult::Cancelled) return;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            path += QLatin1String(".pdf");
        if (rt_.jobAnswer != shell::PrintResult::Printed) {
            expected << msgRecord(
                QStringLiteral("Die PDF-Datei konnte nicht gespeichert werden:\r%1\r\r").arg(path),
                16, title);
            return;
        }
        const QString what =
            count == 1
                ? QStringLiteral("1 Aufgabenblatt, danach sein Lösungsblatt")
                : QStringLiteral("%1 Aufgabenblätter, danach ihre Lösungsblätter").arg(count);
        expected << msgRecord(
            QStringLiteral("Der Klassensatz (%1) wurde als PDF-Datei gespeichert:\r%2\r\r")
                .arg(what, path),
            0, title);
        saved = true;
    };
    [&] {
        if (m_.locked) {
            expected << kPassword;
            if (answer(i++).text != points) return;
        }
        expected << kClassSetCount;
        ++i;
        if (trimmed.isEmpty()) return;
        if (count < 1 || count > 40) {
            expected << kWrongCount;
            return;
        }
        if (!print) {
            expected << Box{Box::SaveFile, QStringLiteral("PDF-Dateien (*.pdf)"), 0,
                            QStringLiteral("Als PDF speichern"), QStringLiteral("Klassensatz.pdf")};
            write(QStringLiteral("Als PDF speichern"));
            return;
        }
        expected << kClassSetDialog;
        ++i;
        if (dialogAnswer_ == shell::PrintResult::Cancelled) return;
        if (dialogAnswer_ == shell::PrintResult::Printed) {
            expected << msgRecord("Der Klassensatz wird gedruckt ...\r\r", 0, "Drucken");
            printed = true;
            return;
        }
        expected << msgRecord((dialogAnswer_ == shell::PrintResult::NoPrinter
                                   ? QStringLiteral("Es ist kein Drucker eingerichtet.\r")
                                   : QStringLiteral("Der Druck ist fehlgeschlagen.\r")) +
                                  QStringLiteral("Soll der Klassensatz stattdessen als "
                                                 "PDF-Datei gespeichert werden?\r\r"),
                              52, "Drucken");
        if (answer(i++).answer != shell::AnswerYes) return;
        expected << Box{Box::SaveFile, QStringLiteral("PDF-Dateien (*.pdf)"), 0,
                        QStringLiteral("Klassensatz als PDF-Datei speichern"),
                        QStringLiteral("Klassensatz.pdf")};
        write(QStringLiteral("Drucken"));
    }();
    expectBoxes(expected, got);

    if (failure_.isEmpty() && (printed || saved)) {
        ++seen_.classSets;
        m_.classSetsPrinted += printed;
        m_.classSetPdfs += saved;
        const shell::PrintJob job = saved ? rt_.pdfJobs.value(rt_.pdfJobs.size() - 1).second
                                          : rt_.printedJobs.value(rt_.printedJobs.size() - 1);
        // count sheets of new, distinct numbers of the mode, then their solutions.
        check(job.documents.size() == 2 * count, QStringLiteral("class set of %1 with %2 documents")
                                                     .arg(count)
                                                     .arg(job.documents.size()));
        QSet<QString> numbers;
        for (int k = 0; failure_.isEmpty() && k < job.documents.size(); ++k) {
            const shell::PrintDocument& doc = job.documents[k];
            const QRegularExpression footRe(
                QStringLiteral("^Blatt-Nr\\. (%1-\\d{6}) · Blatt %2 von %3$")
                    .arg(rest ? 'R' : 'E')
                    .arg(k % count + 1)
                    .arg(count));
            const QString number = footRe.match(doc.footLine).captured(1);
            check(!number.isEmpty(), QStringLiteral("class set foot line '%1'").arg(doc.footLine));
            if (k < count) numbers.insert(number);
            const std::optional<trainer::SheetNumber> n = trainer::parseSheetNumber(number);
            const QStringList items = n ? trainer::sheetLinesOf(*n) : QStringList();
            check(soak::sheetFault(items, rest).isEmpty() &&
                      doc.lines == soak::printedLines(items, rest, k >= count),
                  QStringLiteral("class set document %1 is not sheet %2").arg(k).arg(number));
            if (k >= count)
                check(job.documents[k - count].footLine == doc.footLine,
                      QStringLiteral("solutions %1 out of the order of the task sheets").arg(k));
        }
        check(numbers.size() == count, QStringLiteral("a class set with a number twice"));
    }

    // The window stays as it was.
    Entry e = before;
    afterEntry(before, e, rest);
    const WrittenDivision now = shownTask(f, rest);
    check(now.n == task.n && now.d == task.d, QStringLiteral("a class set changed the task"));
    check(tw::top(f.Bild1) == ladder, QStringLiteral("the ladder moved"));
    check(listItems(f) == sheet, QStringLiteral("a class set changed the sheet"));
}

void Soak::catchEvent() {
    games::Form4& g = program_.form4();
    games::Modul1& mod = g.MODUL1;
    const QString leftBefore = mod.DigitsLeft;
    const int r = pick(100);
    QList<Box> expected;
    auto caught = [&](qint16 x, qint16 y) {
        // The cross on the next digit catches it; the last one ends the game.
        if (x != mod.DigitX[1] || y != mod.DigitY[1]) return false;
        return true;
    };
    if (r < 85) {
        // Towards the next digit mostly, else any way, by picture or by key.
        int dir = pick(4); // left, up, down, right
        if (chance(0.85)) {
            const int dx = mod.DigitX[1] - mod.CrossX, dy = mod.DigitY[1] - mod.CrossY;
            if (dx || dy) {
                if (dx && (!dy || chance(0.5)))
                    dir = dx < 0 ? 0 : 3;
                else
                    dir = dy < 0 ? 1 : 2;
            }
        }
        qint16 x = mod.CrossX, y = mod.CrossY;
        if (dir == 0) x = qint16(std::max(1, x - 1));
        if (dir == 1) y = qint16(std::max(3, y - 1));
        if (dir == 2) y = qint16(std::min(16, y + 1));
        if (dir == 3) x = qint16(std::min(24, x + 1));
        const bool willCatch = caught(x, y);
        const bool last = willCatch && leftBefore.size() == 1;
        if (last) expected << kCatchEnd;
        if (chance(0.5)) {
            shell::VbPicture* arrows[] = {g.Bild1, g.Bild2, g.Bild3, g.Bild4};
            log(QStringLiteral("click %1").arg(arrows[dir]->objectName()));
            clickAt(arrows[dir]);
        } else {
            const int keys[] = {49, 50, 52, 51}; // Left, Up, Down, Right in keyTo's order
            keyTo(&g, keys[dir]);
        }
        expectBoxes(expected, takeAnswered());
        m_.catchMoved = true;
        if (last) {
            ++seen_.catchWon;
            m_.front = Win::Exercise;
            enterExercise(QStringLiteral("after the number-catch game"));
            return;
        }
        check(mod.CrossX == x && mod.CrossY == y,
              QStringLiteral("cross at (%1, %2), the move leads to (%3, %4)")
                  .arg(mod.CrossX)
                  .arg(mod.CrossY)
                  .arg(x)
                  .arg(y));
        check(mod.DigitsLeft == (willCatch ? leftBefore.mid(1) : leftBefore),
              QStringLiteral("digits left '%1' after a move from '%2'")
                  .arg(mod.DigitsLeft, leftBefore));
    } else if (r < 90) {
        if (!g.Zeit1->isActive()) return;
        log(QStringLiteral("tick"));
        g.Zeit1_Timer();
        const QList<Answered> got = takeAnswered();
        m_.catchMoved = true;
        if (mod.DigitsLeft.isEmpty()) {
            expectBoxes({kCatchEnd}, got);
            ++seen_.catchWon;
            m_.front = Win::Exercise;
            enterExercise(QStringLiteral("after the number-catch game"));
            return;
        }
        expectBoxes({}, got);
        check(mod.DigitsLeft == leftBefore || mod.DigitsLeft == leftBefore.mid(1),
              QStringLiteral("digits left '%1' after a jump from '%2'")
                  .arg(mod.DigitsLeft, leftBefore));
    } else if (r < 93) {
        // The speed bar by its arrows.
        const int before = g.HBildlauf1->value();
        const bool slower = chance(0.5);
        log(QStringLiteral("speed bar %1").arg(slower ? "slower" : "faster"));
        QTest::mouseClick(
            g.HBildlauf1, Qt::LeftButton, {},
            QPoint(slower ? g.HBildlauf1->width() - 4 : 3, g.HBildlauf1->height() / 2));
        expectBoxes({}, takeAnswered());
        check(g.HBildlauf1->value() == std::clamp(before + (slower ? 1 : -1), 1, 10),
              QStringLiteral("speed bar at %1 after a step from %2")
                  .arg(g.HBildlauf1->value())
                  .arg(before));
    } else if (r < 95) {
        log(QStringLiteral("close the number-catch window"));
        g.close();
        expectBoxes({}, takeAnswered());
    } else if (r < 99) {
        if (chance(0.5)) {
            keyTo(&g, pick(46)); // digits and letters do nothing here
        } else {
            QWidget* inert[] = {g.Bezeichnung1, g.Bezeichnung2, g.Bezeichnung3, g.Figur1, g.Figur2};
            QWidget* w = inert[pick(5)];
            log(QStringLiteral("click %1").arg(w->objectName()));
            clickAt(w);
        }
        expectBoxes({}, takeAnswered());
    } else {
        const bool esc = chance(0.5);
        if (esc)
            keyTo(&g, 48);
        else {
            log(QStringLiteral("click ENDE"));
            clickAt(g.Befehl1);
        }
        const QList<Answered> got = takeAnswered();
        expectBoxes({kCatchQuit}, got);
        if (!got.isEmpty() && got.first().answer == shell::AnswerYes) {
            m_.front = Win::Exercise;
            enterExercise(QStringLiteral("after quitting the number-catch game"));
        }
    }
}

struct Board {
    QStringList caps;
    QList<QColor> backs;
    QList<bool> italic;
    bool dealt;
    QString values, inPlay;
    int first, second;
    bool operator==(const Board& o) const {
        return caps == o.caps && backs == o.backs && italic == o.italic && dealt == o.dealt &&
               first == o.first && second == o.second &&
               (!dealt || (values == o.values && inPlay == o.inPlay));
    }
};
Board board(games::memo& g) {
    Board b{{}, {}, {}, g.Dealt, g.CardValues, g.CardsInPlay, g.FirstCard, g.SecondCard};
    for (int k = 1; k <= 18; ++k) {
        b.caps << g.card(k)->caption();
        b.backs << g.card(k)->backColor();
        b.italic << g.card(k)->font().italic();
    }
    return b;
}

void Soak::memoryEvent() {
    games::memo& g = program_.memoWindow();
    const Board before = board(g);
    const int r = pick(100);
    if (r < 95) {
        // Often the partner of the open card, to win games as well.
        int k = 1 + pick(18);
        if (g.Dealt && g.FirstCard > 0 && g.SecondCard == 0 && chance(0.6))
            for (int j = 1; j <= 18; ++j)
                if (j != g.FirstCard && g.CardValues.at(j - 1) == g.CardValues.at(g.FirstCard - 1))
                    k = j;
        log(QStringLiteral("click card %1").arg(k));
        clickAt(g.card(k));
        const QList<Answered> got = takeAnswered();
        // The rules of a turn, from the board before and the deal now.
        const QString values = g.CardValues;
        QString inPlay = before.dealt ? before.inPlay : QString(18, QLatin1Char('1'));
        QStringList caps = before.caps;
        int first = before.dealt ? before.first : 0, second = before.dealt ? before.second : 0;
        QList<Box> expected;
        bool won = false;
        [&] {
            if (inPlay.at(k - 1) == QLatin1Char('0')) return;
            if (first > 0 && second > 0) {
                caps[first - 1].clear();
                caps[second - 1].clear();
                first = second = 0;
            }
            caps[k - 1] = games::CardFace(values.at(k - 1).digitValue());
            if (first == 0) {
                first = k;
                return;
            }
            second = k;
            if (second == first) {
                second = 0;
                return;
            }
            if (values.at(first - 1) == values.at(second - 1)) {
                inPlay[first - 1] = inPlay[second - 1] = QLatin1Char('0');
                first = second = 0;
            }
            if (inPlay == QString(18, QLatin1Char('0'))) {
                expected << kMemoWon;
                won = true;
            }
        }();
        expectBoxes(expected, got);
        if (won) {
            check(!g.Dealt, QStringLiteral("memory board not reset after a win"));
            ++seen_.memoWon;
            m_.front = Win::Exercise;
            enterExercise(QStringLiteral("after winning the memory game"));
            return;
        }
        const Board now = board(g);
        check(
            now.caps == caps && now.first == first && now.second == second && now.inPlay == inPlay,
            QStringLiteral("memory board after a click on card %1: open %2/%3, the rules say %4/%5")
                .arg(k)
                .arg(now.first)
                .arg(now.second)
                .arg(first)
                .arg(second));
        return;
    }
    if (r < 97) {
        log(QStringLiteral("click Hilfe"));
        clickAt(g.Befehl2);
        expectBoxes({kMemoHelp}, takeAnswered());
    } else if (r < 98) {
        log(QStringLiteral("click the frame"));
        clickAt(g.Figur3, QPoint(2, 2));
        expectBoxes({}, takeAnswered());
    } else if (r < 99) {
        log(QStringLiteral("close the memory window"));
        g.close();
        expectBoxes({}, takeAnswered());
    } else {
        log(QStringLiteral("click ENDE"));
        clickAt(g.Befehl1);
        const QList<Answered> got = takeAnswered();
        expectBoxes({kMemoQuit}, got);
        if (!got.isEmpty() && got.first().answer != shell::AnswerNo) {
            m_.front = Win::Exercise;
            check(board(g) == before, QStringLiteral("quitting changed the memory board"));
            enterExercise(QStringLiteral("after quitting the memory game"));
            return;
        }
    }
    check(board(g) == before, QStringLiteral("help, close or No changed the memory board"));
}

// ---------------------------------------------------------------- rules after every event

void Soak::checkAll() {
    checkWindows();
    if (m_.form1Made) checkExercise();
    if (m_.memoMade) checkMemory();
    if (m_.form4Made) checkCatch();
    check(rt_.unexpectedBoxes == 0, QStringLiteral("a box nobody expected"));
    check(rt_.printed.size() == m_.printed,
          QStringLiteral("%1 sheets printed, %2 expected").arg(rt_.printed.size()).arg(m_.printed));
    check(rt_.pdfs.size() == m_.pdfs,
          QStringLiteral("%1 PDF files, %2 expected").arg(rt_.pdfs.size()).arg(m_.pdfs));
    check(rt_.printedJobs.size() == m_.classSetsPrinted && rt_.pdfJobs.size() == m_.classSetPdfs,
          QStringLiteral("%1 class sets printed and %2 saved, %3 and %4 expected")
              .arg(rt_.printedJobs.size())
              .arg(rt_.pdfJobs.size())
              .arg(m_.classSetsPrinted)
              .arg(m_.classSetPdfs));
    check(rt_.clipboardWrites == m_.clipboardWrites,
          QStringLiteral("clipboard written %1 times, %2 expected")
              .arg(rt_.clipboardWrites)
              .arg(m_.clipboardWrites));
}

void Soak::checkWindows() {
    QWidget* mains[] = {&program_.form0(), m_.form1Made ? &program_.form1() : nullptr,
                        m_.form4Made ? &program_.form4() : nullptr,
                        m_.memoMade ? &program_.memoWindow() : nullptr};
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        if (mains[i] && mains[i]->isVisible()) shown << QLatin1String(winName(Win(i)));
    check(shown == QStringList{QLatin1String(winName(m_.front))},
          QStringLiteral("windows shown: %1; expected the %2 alone")
              .arg(shown.join(QStringLiteral(", ")), QLatin1String(winName(m_.front))));
    shell::ZEBLABEL* z = program_.loadedInfoWindow();
    check(
        (z != nullptr) == m_.infoLoaded,
        QStringLiteral("info window loaded: %1, expected %2").arg(z != nullptr).arg(m_.infoLoaded));
    if (z) {
        check(z->isVisible() == m_.infoShown, QStringLiteral("info window shown: %1, expected %2")
                                                  .arg(z->isVisible())
                                                  .arg(m_.infoShown));
        check(
            z->Kontroll1Value() == int(m_.locked),
            QStringLiteral("print switch %1, expected %2").arg(z->Kontroll1Value()).arg(m_.locked));
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != mains[0] && w != mains[1] && w != mains[2] && w != mains[3] &&
            w != z)
            check(false, QStringLiteral("a stray window '%1' is shown").arg(w->objectName()));
}

void Soak::checkExercise() {
    trainer::Form1& f = program_.form1();
    // The counters: the hidden tallies and what the child sees agree, and
    // they follow the counted right and wrong digits.
    auto shownAs = [](const QString& tally) {
        return tally.isEmpty() ? QStringLiteral("0") : tally;
    };
    check(f.Bezeichnung16->value() == m_.points &&
              f.Bezeichnung22->caption() == shownAs(f.Bezeichnung16->caption()),
          QStringLiteral("points %1 shown as '%2', %3 earned")
              .arg(f.Bezeichnung16->caption(), f.Bezeichnung22->caption())
              .arg(m_.points));
    check(f.Bezeichnung15->value() == m_.errors &&
              f.Bezeichnung23->caption() == shownAs(f.Bezeichnung15->caption()),
          QStringLiteral("errors %1 shown as '%2', %3 made")
              .arg(f.Bezeichnung15->caption(), f.Bezeichnung23->caption())
              .arg(m_.errors));
    check(f.Bezeichnung26->isVisibleTo(&f) == m_.catchPrompt,
          QStringLiteral("number-catch prompt shown: %1, expected %2")
              .arg(f.Bezeichnung26->isVisibleTo(&f))
              .arg(m_.catchPrompt));
    check(f.Bezeichnung14->isVisibleTo(&f) == m_.memoPrompt,
          QStringLiteral("memory prompt shown: %1, expected %2")
              .arg(f.Bezeichnung14->isVisibleTo(&f))
              .arg(m_.memoPrompt));
    check(tw::top(f.Bild1) == 5880 - 240 * m_.ladderSteps,
          QStringLiteral("ladder marker at %1 after %2 solved tasks")
              .arg(tw::top(f.Bild1))
              .arg(m_.ladderSteps));
    const int panel = m_.sheetShown ? 960 : 9600;
    check(tw::left(f.Bild3) == panel && tw::left(f.Liste5) == panel &&
              (m_.sheetShown ? f.Liste5->count() == 34 : f.Liste5->count() == 0),
          QStringLiteral("worksheet panel at %1 with %2 items")
              .arg(tw::left(f.Bild3))
              .arg(f.Liste5->count()));
    check(f.sheetNumber == m_.sheetNumber &&
              (!m_.sheetShown || f.Liste5->toolTip().startsWith(
                                     QStringLiteral("Blatt-Nr. %1\n").arg(m_.sheetNumber))),
          QStringLiteral("sheet number '%1', tooltip '%2', the sheet is %3")
              .arg(f.sheetNumber, f.Liste5->toolTip().left(20), m_.sheetNumber));
    if (!f.isVisible()) return;

    // Mode letter, layout in front and the current task agree.
    const QString mode = f.Bezeichnung21->caption();
    const bool rest = mode == QLatin1String("R");
    check(mode == QLatin1String("E") || rest, QStringLiteral("mode letter '%1'").arg(mode));
    check(tw::top(f.Bild6) == (rest ? 720 : 7200),
          QStringLiteral("mode %1 with the layout at %2").arg(mode).arg(tw::top(f.Bild6)));
    const QString title = f.windowTitle();
    check(rest ? title == QLatin1String("Schriftliche Division mit Rest")
               : title == QLatin1String("Einstellige Division") ||
                     title == QLatin1String("Schriftliche Division mit Einerzahl"),
          QStringLiteral("mode %1 under the caption '%2'").arg(mode, title));
    const WrittenDivision w = shownTask(f, rest);
    check(w.plausible && (w.r != 0) == rest,
          QStringLiteral("mode %1 shows %2 : %3, no task of the mode").arg(mode).arg(w.n).arg(w.d));
    check(f.Liste1 == soak::expectedListe1(w, rest) && f.Liste2 == soak::expectedListe2(w),
          QStringLiteral("task lists %1 | %2 do not belong to %3 : %4")
              .arg(f.Liste1.join(','), f.Liste2.join(','))
              .arg(w.n)
              .arg(w.d));
    if (rest)
        check(f.luecke[9]->caption() == QLatin1String("R"), QStringLiteral("luecke9 lost its R"));

    // Every filled answer cell of the layout holds its digit.
    const Entry e = readEntry(f);
    const AnswerCellRule* c = soak::answerCells();
    for (int i = 0; i < 29; ++i) {
        if (c[i].remainder != rest) continue;
        const QString cap = e.cap.value(QLatin1String(c[i].name));
        check(cap.isEmpty() || cap == soak::expectedDigit(w, c[i].name),
              QStringLiteral("%1 holds '%2', the task needs '%3'")
                  .arg(QLatin1String(c[i].name), cap, soak::expectedDigit(w, c[i].name)));
    }
    // A marker off its parking place covers an empty cell of its own layout
    // in the mode, and the selection names that cell.
    check(e.on[!rest].isEmpty(),
          QStringLiteral("marker of the other layout is on %1").arg(e.on[!rest]));
    if (!e.on[rest].isEmpty()) {
        const AnswerCellRule* s = soak::answerCell(e.on[rest]);
        check(s && e.cap.value(e.on[rest]).isEmpty() && e.lichtwert == QString::number(s->number) &&
                  e.lichtzahl == soak::expectedDigit(w, s->name),
              QStringLiteral("marker on %1 with selection '%2'/'%3'")
                  .arg(e.on[rest], e.lichtwert, e.lichtzahl));
    }
}

void Soak::checkMemory() {
    games::memo& g = program_.memoWindow();
    const QColor faceDown = g.Figur3->borderColor();
    const QColor found = shell::qbColor(9);
    if (!g.Dealt) {
        for (int k = 1; k <= 18; ++k)
            check(g.card(k)->caption().isEmpty() && g.card(k)->backColor() == faceDown &&
                      !g.card(k)->font().italic(),
                  QStringLiteral("card %1 not face down before the deal").arg(k));
        return;
    }
    QString sorted = g.CardValues;
    std::sort(sorted.begin(), sorted.end());
    check(sorted == QLatin1String("112233445566778899"),
          QStringLiteral("deal '%1' is no set of nine pairs").arg(g.CardValues));
    if (sorted != QLatin1String("112233445566778899") || g.CardsInPlay.size() != 18) return;
    QList<int> open;
    for (int k = 1; k <= 18; ++k) {
        VbLabel* card = g.card(k);
        const QString face = games::CardFace(g.CardValues.at(k - 1).digitValue());
        if (g.CardsInPlay.at(k - 1) == QLatin1Char('0')) {
            check(card->caption() == face && card->backColor() == found && card->font().italic(),
                  QStringLiteral("found card %1 does not show the found look").arg(k));
            int partner = 0;
            for (int j = 1; j <= 18; ++j)
                if (j != k && g.CardValues.at(j - 1) == g.CardValues.at(k - 1)) partner = j;
            check(g.CardsInPlay.at(partner - 1) == QLatin1Char('0'),
                  QStringLiteral("card %1 found without its partner").arg(k));
        } else {
            check(card->backColor() == faceDown && !card->font().italic() &&
                      (card->caption().isEmpty() || card->caption() == face),
                  QStringLiteral("card %1 in play shows '%2'").arg(k).arg(card->caption()));
            if (!card->caption().isEmpty()) open << k;
        }
    }
    QList<int> chosen;
    for (int k : {g.FirstCard, g.SecondCard})
        if (k) chosen << k;
    std::sort(chosen.begin(), chosen.end());
    check(open == chosen, QStringLiteral("open cards do not match the pick %1/%2")
                              .arg(g.FirstCard)
                              .arg(g.SecondCard));
    if (g.FirstCard && g.SecondCard)
        check(
            g.FirstCard != g.SecondCard &&
                g.CardValues.at(g.FirstCard - 1) != g.CardValues.at(g.SecondCard - 1),
            QStringLiteral("two open cards %1/%2 form a pair").arg(g.FirstCard).arg(g.SecondCard));
}

void Soak::checkCatch() {
    games::Form4& g = program_.form4();
    const games::Modul1& mod = g.MODUL1;
    const bool playing = g.isVisible();
    check(g.Zeit1->isActive() == playing,
          QStringLiteral("game clock running: %1 while the game is shown: %2")
              .arg(g.Zeit1->isActive())
              .arg(playing));
    if (!playing) return;
    check(g.Zeit1->interval() == g.HBildlauf1->value() * 1000,
          QStringLiteral("clock at %1 ms with the speed bar at %2")
              .arg(g.Zeit1->interval())
              .arg(g.HBildlauf1->value()));
    check(QStringLiteral("0123456789").endsWith(mod.DigitsLeft) && !mod.DigitsLeft.isEmpty(),
          QStringLiteral("digits left '%1'").arg(mod.DigitsLeft));
    check(mod.CrossX >= 1 && mod.CrossX <= 24 && mod.CrossY >= 3 && mod.CrossY <= 16,
          QStringLiteral("cross off the field at (%1, %2)").arg(mod.CrossX).arg(mod.CrossY));
    for (int i = 1; i <= mod.DigitsLeft.size(); ++i) {
        check(mod.DigitX[i] >= 1 && mod.DigitX[i] <= 24 && mod.DigitY[i] >= 3 &&
                  mod.DigitY[i] <= 16,
              QStringLiteral("digit %1 off the field").arg(mod.DigitsLeft.at(i - 1)));
        for (int j = 1; j < i; ++j)
            check(mod.DigitX[j] != mod.DigitX[i] && mod.DigitY[j] != mod.DigitY[i],
                  QStringLiteral("digits %1 and %2 share a row or a column")
                      .arg(mod.DigitsLeft.at(j - 1))
                      .arg(mod.DigitsLeft.at(i - 1)));
    }
    if (m_.catchMoved)
        check(g.Bezeichnung3->caption() == mod.DigitsLeft.left(1),
              QStringLiteral("next digit shown as '%1', next is '%2'")
                  .arg(g.Bezeichnung3->caption(), mod.DigitsLeft.left(1)));
}

// ---------------------------------------------------------------- the loop

bool Soak::run() {
    rt_.seed(unsigned(seed_));
    rt_.onBox = [this](const Box& b) { answerBox(b); };
    program_.start();
    flush();
    checkAll();
    for (n_ = 1; n_ <= events_ && failure_.isEmpty(); ++n_) {
        event_.clear();
        const Win front = m_.front;
        switch (front) {
        case Win::Start:
            startWindowEvent();
            break;
        case Win::Exercise:
            exerciseEvent();
            break;
        case Win::Catch:
            catchEvent();
            break;
        case Win::Memory:
            memoryEvent();
            break;
        }
        // Windows that came or went get their focus reports and deferred deletes.
        if (m_.front != front || n_ % 64 == 0) flush();
        if (failure_.isEmpty()) checkAll();
        last_.push_back(QStringLiteral("#%1 %2").arg(n_).arg(event_));
        if (last_.size() > 30) last_.pop_front();
    }
    if (!failure_.isEmpty()) return false;
    qInfo("reached: %d solved tasks, %d sheets, %d sheets by number, %d prints, %d PDF files, "
          "%d copies, %d class sets (%d printed, %d saved), number catch %d/%d won, memory "
          "%d/%d won, info window opened %d times, practice report opened %d times, "
          "%lld points, %lld errors",
          seen_.solved, seen_.sheets, seen_.byNumber, m_.printed, m_.pdfs, seen_.copies,
          seen_.classSets, m_.classSetsPrinted, m_.classSetPdfs, seen_.catchWon, seen_.catchGames,
          seen_.memoWon, seen_.memoGames, seen_.infoOpened, seen_.reportOpened, m_.points,
          m_.errors);
    // The end of the run ends the program from the start window, by the quit
    // picture or by the close button.
    if (m_.front == Win::Start) {
        quitYes_ = true;
        if (chance(0.5)) {
            clickAt(program_.form0().Bild3);
            expectBoxes({kQuitProgram}, takeAnswered());
        } else {
            program_.form0().close();
            expectBoxes({}, takeAnswered());
        }
        check(shell::forms::programEnded(),
              QStringLiteral("Yes to the quit box did not end the program"));
        for (QWidget* w : QApplication::topLevelWidgets())
            check(!w->isVisible(),
                  QStringLiteral("'%1' still shown after the end").arg(w->objectName()));
    }
    return failure_.isEmpty();
}

quint64 envNumber(const char* name, quint64 fallback) {
    bool ok = false;
    const quint64 v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

quint64 gSeed = 20260101;
long long gEvents = 20000;

} // namespace

QtMessageHandler gTestHandler = nullptr;

// The offscreen platform warns at every raise of a window; a long run would
// drown its report in them.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support"))) return;
    gTestHandler(type, context, msg);
}

class SoakRandomInput : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { gTestHandler = qInstallMessageHandler(quietHandler); }
    void randomRun() {
        qInfo("seed %llu, %lld events", gSeed, gEvents);
        Soak soak(gSeed, gEvents);
        QElapsedTimer t;
        t.start();
        const bool ok = soak.run();
        qInfo("%.1f s", t.elapsed() / 1000.0);
        QVERIFY2(ok, "see the report above");
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    gSeed = envNumber("DIVISION_SOAK_SEED", gSeed);
    gEvents = (long long)envNumber("DIVISION_SOAK_EVENTS", quint64(gEvents));
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
