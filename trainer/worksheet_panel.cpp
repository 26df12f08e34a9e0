// The worksheet panel of the exercise window: compose a sheet of twelve
// tasks, print it, copy it, save it as PDF, close the panel.
#include <QApplication>
#include <QMenu>

#include "double_click.h"
#include "exercise_window.h"
#include "long_press.h"
#include "sheet.h"
#include "twips.h"

namespace trainer {

namespace {

const int kPanelHidden = 9600;
const int kPanelShown = 960;

QStringList sheetItems(const QListWidget* list) {
    QStringList out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
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
    Liste5->setToolTip(QStringLiteral("Rechte Maustaste (oder lange drücken): das Blatt als "
                                      "PDF speichern oder auf einem anderen Drucker drucken"));
    Liste5->setContextMenuPolicy(Qt::CustomContextMenu);
    Liste5Menu = new QMenu(Liste5);
    Liste5Menu->setObjectName(QStringLiteral("Liste5Menu"));
    for (const worksheets::MenuCommand command : worksheets::menuCommands()) {
        QAction* a = Liste5Menu->addAction(worksheets::menuText(command));
        connect(a, &QAction::triggered, this, [this, command] {
            worksheets::runMenuCommand(command, sheetItems(Liste5), Bezeichnung21->caption(),
                                       lockNow());
        });
    }
    connect(Liste5, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Liste5_ContextMenu(pos); });
    new shell::LongPress(Liste5->viewport(),
                         [this](const QPoint& pos) { Liste5_ContextMenu(pos); });
    // A second quick touch may be the start of a long press.
    shell::takeEveryPress(Liste5->viewport());

    // Shown, the panel must lie over the command row and the list over both
    // task layouts, so neither "Blatt" nor the mode buttons can be reached.
    Bild3->raise();
    Liste5->raise();

    connect(Befehl16, &QPushButton::clicked, this, [this] { Befehl16_Click(); });
    connect(Befehl17, &QPushButton::clicked, this, [this] { Befehl17_Click(); });
    connect(Befehl18, &QPushButton::clicked, this, [this] { Befehl18_Click(); });
    connect(Befehl19, &QPushButton::clicked, this, [this] { Befehl19_Click(); });
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
}

void Form1::Befehl17_Click() {
    worksheets::printTaskSheet(sheetItems(Liste5), Bezeichnung21->caption(), lockNow());
}

void Form1::Befehl18_Click() {
    worksheets::printSolutionSheet(sheetItems(Liste5), Bezeichnung21->caption(), lockNow());
}

void Form1::Liste5_ContextMenu(const QPoint& pos) {
    // The menu belongs to a shown sheet; the empty or parked list has none.
    if (Liste5->count() == 0 || tw::left(Liste5) != kPanelShown) return;
    // At the board the menu is read from as far away as the window.
    Liste5Menu->setFont(tw::boxFont(QApplication::font(Liste5Menu), this));
    Liste5Menu->popup(Liste5->viewport()->mapToGlobal(pos));
}

worksheets::PrinterLock Form1::lockNow() {
    // No info window to ask: printing stays locked.
    return {printerLock ? printerLock() : 1, Bezeichnung22->caption()};
}

void Form1::Befehl19_Click() {
    worksheets::copySheet(sheetItems(Liste5), Bezeichnung21->caption());
}

namespace {

// Twelve tasks drawn through the exercise's own routine, each read back from
// the task lists right after it was drawn; the last one stays on screen.
void fillSheet(Form1& f, void (Form1::*newTask)(), bool remainder) {
    tw::setLeft(f.Bild3, kPanelShown);
    f.Liste5->clear();
    tw::setLeft(f.Liste5, kPanelShown);
    QList<worksheets::TaskLists> tasks;
    // The sheet's tasks are no work of the child's: the report leaves them out.
    f.record.sheetStarted();
    for (int i = 0; i < 12; ++i) {
        (f.*newTask)();
        tasks.append({f.Liste1, f.Liste2});
    }
    f.record.sheetFinished();
    f.Liste5->addItems(worksheets::sheetLines(tasks, remainder));
}

} // namespace

void Form1::FillNormalSheet() {
    fillSheet(*this, &Form1::NewNormalTask, false);
}

void Form1::FillRemainderSheet() {
    fillSheet(*this, &Form1::NewRemainderTask, true);
}

} // namespace trainer
