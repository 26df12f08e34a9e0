// The worksheet panel of the exercise window: compose a sheet of twelve
// tasks, print it, copy it, save it as PDF, close the panel; bring a sheet
// back by its number; make class sets.
#include <QApplication>
#include <QMenu>

#include "double_click.h"
#include "exercise_window.h"
#include "long_press.h"
#include "runtime.h"
#include "sheet_text.h"
#include "twips.h"

namespace trainer {

namespace {

const int kPanelHidden = 9600;
const int kPanelShown = 960;

const QString kSheetMenuHint =
    QStringLiteral("Rechte Maustaste (oder lange drücken): das Blatt als PDF speichern oder auf "
                   "einem anderen Drucker drucken, ein Blatt nach Nummer holen, einen "
                   "Klassensatz erstellen");
const QString kBlattMenuHint = QStringLiteral(
    "Rechte Maustaste (oder lange drücken): ein Blatt nach Nummer holen, einen Klassensatz "
    "erstellen");

QStringList sheetItems(const QListWidget* list) {
    QStringList out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The number of a new sheet, drawn from the runtime so that tests can choose it.
SheetNumber newSheetNumber(bool remainder) {
    shell::Runtime& rt = shell::runtime();
    rt.randomize();
    return sheetNumberFrom(remainder, rt.rnd());
}

void popupAt(QMenu* menu, QWidget* owner, QWidget* at, const QPoint& pos) {
    // At the board the menu is read from as far away as the window.
    tw::zoomMenu(menu, owner);
    menu->popup(at->mapToGlobal(pos));
}

} // namespace

void Form1::buildWorksheetPanel() {
    Bild3 = new shell::VbPicture(this, QStringLiteral("Bild3"));
    tw::place(Bild3, kPanelHidden, 0, 7095, 615);
    Bild3->setBackColor(0xFFC0C0);
    auto button = [this](const QString& name, const QString& caption, int left, int width) {
        auto* b = new shell::VbButton(Bild3, name, caption);
        tw::place(b, left, 120, width, 495);
        return b;
    };
    Befehl16 = button(QStringLiteral("Befehl16"), QStringLiteral("Abbruch"), 0, 1335);
    Befehl17 = button(QStringLiteral("Befehl17"), QStringLiteral("Aufgaben drucken"), 1440, 1935);
    Befehl18 = button(QStringLiteral("Befehl18"), QStringLiteral("Lösungen drucken"), 3480, 2055);
    Befehl19 = button(QStringLiteral("Befehl19"), QStringLiteral("Kopieren"), 5640, 1455);

    Liste5 = new QListWidget(this);
    Liste5->setObjectName(QStringLiteral("Liste5"));
    tw::place(Liste5, kPanelHidden, 720, 7095, 4755);
    Liste5->setFont(shell::vbFont(QStringLiteral("Courier New"), 13.5, true));
    Liste5->setUniformItemSizes(true);
    QPalette p = Liste5->palette();
    p.setColor(QPalette::Base, shell::bgr(0xFF8080));
    p.setColor(QPalette::Text, shell::bgr(0x00FFFF));
    Liste5->setPalette(p);
    Liste5->setToolTip(kSheetMenuHint);
    Liste5->setContextMenuPolicy(Qt::CustomContextMenu);
    buildSheetMenus();
    connect(Liste5, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Liste5_ContextMenu(pos); });
    new shell::LongPress(Liste5->viewport(),
                         [this](const QPoint& pos) { Liste5_ContextMenu(pos); });
    // A second quick touch may be the start of a long press.
    shell::takeEveryPress(Liste5->viewport());

    // "Blatt" has a menu of its own, so that a sheet can be brought back before any is shown.
    Befehl14->setToolTip(kBlattMenuHint);
    Befehl14->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Befehl14, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Befehl14_ContextMenu(pos); });
    new shell::LongPress(Befehl14, [this](const QPoint& pos) {
        // The finger that opened the menu must not press "Blatt" when it lets go.
        Befehl14->setDown(false);
        Befehl14_ContextMenu(pos);
    });
    shell::takeEveryPress(Befehl14);

    // Shown, the panel must lie over the command row and the list over both
    // task layouts, so neither "Blatt" nor the mode buttons can be reached.
    Bild3->raise();
    Liste5->raise();

    connect(Befehl16, &QPushButton::clicked, this, [this] { Befehl16_Click(); });
    connect(Befehl17, &QPushButton::clicked, this, [this] { Befehl17_Click(); });
    connect(Befehl18, &QPushButton::clicked, this, [this] { Befehl18_Click(); });
    connect(Befehl19, &QPushButton::clicked, this, [this] { Befehl19_Click(); });
}

void Form1::buildSheetMenus() {
    Liste5Menu = new QMenu(Liste5);
    Liste5Menu->setObjectName(QStringLiteral("Liste5Menu"));
    Befehl14Menu = new QMenu(Befehl14);
    Befehl14Menu->setObjectName(QStringLiteral("Befehl14Menu"));

    // The number line names the sheet; it is no command.
    QAction* numberLine = Liste5Menu->addAction(QString());
    numberLine->setObjectName(QStringLiteral("sheetNumberLine"));
    numberLine->setEnabled(false);
    Liste5Menu->addSeparator();

    QAction* byNumber = new QAction(QStringLiteral("Blatt nach Nummer …"), this);
    connect(byNumber, &QAction::triggered, this, [this] { SheetByNumber_Click(); });
    Liste5Menu->addAction(byNumber);
    Befehl14Menu->addAction(byNumber);
    Liste5Menu->addSeparator();
    Befehl14Menu->addSeparator();

    for (const worksheets::MenuCommand command : worksheets::menuCommands()) {
        QAction* a = Liste5Menu->addAction(worksheets::menuText(command));
        connect(a, &QAction::triggered, this, [this, command] {
            worksheets::runMenuCommand(command, sheetItems(Liste5), Bezeichnung21->caption(),
                                       sheetNumber, lockNow());
        });
    }
    Liste5Menu->addSeparator();

    for (const worksheets::ClassSetCommand command : worksheets::classSetCommands()) {
        QAction* a = new QAction(worksheets::menuText(command), this);
        connect(a, &QAction::triggered, this, [this, command] { ClassSet_Click(command); });
        Liste5Menu->addAction(a);
        Befehl14Menu->addAction(a);
    }
}

void Form1::Befehl14_Click() {
    HideKeyCursors();
    // Two separate tests: a caption other than "E" or "R" composes nothing.
    if (Bezeichnung21->caption() == QLatin1String("E")) FillNormalSheet();
    if (Bezeichnung21->caption() == QLatin1String("R")) FillRemainderSheet();
}

void Form1::Befehl16_Click() {
    tw::setLeft(Bild3, kPanelHidden);
    tw::setLeft(Liste5, kPanelHidden);
    Liste5->clear();
    sheetNumber.clear();
    Liste5->setToolTip(kSheetMenuHint);
}

void Form1::Befehl17_Click() {
    worksheets::printTaskSheet(sheetItems(Liste5), Bezeichnung21->caption(), sheetNumber,
                               lockNow());
}

void Form1::Befehl18_Click() {
    worksheets::printSolutionSheet(sheetItems(Liste5), Bezeichnung21->caption(), sheetNumber,
                                   lockNow());
}

void Form1::Liste5_ContextMenu(const QPoint& pos) {
    // The menu belongs to a shown sheet; the empty or parked list has none.
    if (Liste5->count() == 0 || tw::left(Liste5) != kPanelShown) return;
    Liste5Menu->actions().constFirst()->setText(worksheets::numberLine(sheetNumber));
    popupAt(Liste5Menu, this, Liste5->viewport(), pos);
}

void Form1::Befehl14_ContextMenu(const QPoint& pos) {
    // A shown sheet covers "Blatt"; its own menu offers the same and more.
    if (tw::left(Bild3) == kPanelShown) return;
    popupAt(Befehl14Menu, this, Befehl14, pos);
}

void Form1::SheetByNumber_Click() {
    shell::Runtime& rt = shell::runtime();
    const QString title = QStringLiteral("Blatt nach Nummer");
    const QString typed = rt.inputBox(
        QStringLiteral("Bitte die Blatt-Nummer eingeben (sie steht unten auf jedem Blatt, zum "
                       "Beispiel E-482719):"),
        title, QString());
    // Cancelled (or nothing typed): nothing changes.
    if (typed.trimmed().isEmpty()) return;
    const std::optional<SheetNumber> number = parseSheetNumber(typed);
    if (!number) {
        rt.msgBox(QStringLiteral("Diese Blatt-Nummer gibt es nicht."), shell::OkOnly + 48, title);
        return;
    }
    HideKeyCursors();
    // The letter chooses the mode; the layout changes as the mode buttons change it.
    const QString letter = number->remainder ? QStringLiteral("R") : QStringLiteral("E");
    if (Bezeichnung21->caption() != letter) {
        if (number->remainder)
            EnterRemainderMode();
        else
            EnterNormalMode();
    }
    FillSheet(*number);
}

void Form1::ClassSet_Click(worksheets::ClassSetCommand command) {
    const QString mode = Bezeichnung21->caption();
    // As with "Blatt": a caption other than "E" or "R" has no sheets.
    if (mode != QLatin1String("E") && mode != QLatin1String("R")) return;
    const bool remainder = mode == QLatin1String("R");
    const worksheets::SheetSource source{
        [remainder] { return formatSheetNumber(newSheetNumber(remainder)); },
        [](const QString& number) {
            const std::optional<SheetNumber> n = parseSheetNumber(number);
            return n ? sheetLinesOf(*n) : QStringList();
        }};
    worksheets::runClassSet(command, mode, source, lockNow());
}

worksheets::PrinterLock Form1::lockNow() {
    // No info window to ask: printing stays locked.
    return {printerLock ? printerLock() : 1, Bezeichnung22->caption()};
}

void Form1::Befehl19_Click() {
    worksheets::copySheet(sheetItems(Liste5), Bezeichnung21->caption(), sheetNumber);
}

void Form1::FillNormalSheet() {
    FillSheet(newSheetNumber(false));
}

void Form1::FillRemainderSheet() {
    FillSheet(newSheetNumber(true));
}

void Form1::FillSheet(const SheetNumber& number) {
    tw::setLeft(Bild3, kPanelShown);
    Liste5->clear();
    tw::setLeft(Liste5, kPanelShown);
    // The last task of the sheet stays on screen, as if the exercise had drawn
    // all twelve. It is no work of the child's until the child works on it.
    const TaskDraw last = sheetTasks(number).constLast();
    record.sheetStarted();
    if (number.remainder)
        ShowRemainderTask(last);
    else
        ShowNormalTask(last);
    record.sheetFinished();
    Liste5->addItems(sheetLinesOf(number));
    sheetNumber = formatSheetNumber(number);
    Liste5->setToolTip(worksheets::numberLine(sheetNumber) + QLatin1Char('\n') + kSheetMenuHint);
}

} // namespace trainer
