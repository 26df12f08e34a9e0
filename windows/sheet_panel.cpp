#include "sheet_panel.h"

#include <QListWidget>
#include <QMenu>

#include "class_names_dialog.h"
#include "double_click.h"
#include "exercise_window.h"
#include "fonts.h"
#include "desktop.h"
#include "long_press.h"
#include "sheet_number.h"
#include "sheet_text.h"
#include "task_choice_control.h"
#include "twips.h"

namespace windows {

namespace {

// The panel waits to the right of what the window shows until a sheet is
// composed.
constexpr int kPanelAway = 9600;
constexpr int kPanelShown = 960;
const QColor kPanelBack(192, 192, 255);
const QColor kSheetBack(128, 128, 255);
const QColor kSheetText(255, 255, 0);

const QString kSheetMenuHint =
    QStringLiteral("Rechte Maustaste (oder lange drücken): das Blatt als PDF speichern oder auf "
                   "einem anderen Drucker drucken, ein Blatt nach Nummer holen, Aufgaben "
                   "wählen, einen Klassensatz erstellen");
const QString kSheetButtonMenuHint = QStringLiteral(
    "Rechte Maustaste (oder lange drücken): ein Blatt nach Nummer holen, Aufgaben wählen, "
    "einen Klassensatz erstellen");

void popupAt(QMenu* menu, QWidget* owner, QWidget* at, const QPoint& pos) {
    // At the board the menu is read from as far away as the window.
    tw::zoomMenu(menu, owner);
    menu->popup(at->mapToGlobal(pos));
}

} // namespace

SheetPanel::SheetPanel(ExerciseWindow& window) : window_(window) {
    panel = new widgets::Picture(&window, QStringLiteral("sheetPanel"));
    tw::place(panel, kPanelAway, 0, 7095, 615);
    panel->setBackground(kPanelBack);
    auto button = [this](const char* name, const char* text, int left, int width) {
        auto* b = new widgets::CommandButton(panel, QLatin1String(name), QString::fromUtf8(text));
        tw::place(b, left, 120, width, 495);
        return b;
    };
    closeButton = button("closeSheetButton", "Abbruch", 0, 1335);
    printTasksButton = button("printTasksButton", "Aufgaben drucken", 1440, 1935);
    printSolutionsButton = button("printSolutionsButton", "Lösungen drucken", 3480, 2055);
    copyButton = button("copySheetButton", "Kopieren", 5640, 1455);

    sheetList = new QListWidget(&window);
    sheetList->setObjectName(QStringLiteral("sheetList"));
    tw::place(sheetList, kPanelAway, 720, 7095, 4755);
    sheetList->setFont(widgets::fixedFont(13.5, true));
    sheetList->setUniformItemSizes(true);
    QPalette p = sheetList->palette();
    p.setColor(QPalette::Base, kSheetBack);
    p.setColor(QPalette::Text, kSheetText);
    sheetList->setPalette(p);
    sheetList->setToolTip(kSheetMenuHint);
    sheetList->setContextMenuPolicy(Qt::CustomContextMenu);
    panel->hide();
    sheetList->hide();
    buildMenus();
    connect(sheetList, &QWidget::customContextMenuRequested, this, &SheetPanel::showSheetMenu);
    new widgets::LongPress(sheetList->viewport(), [this](const QPoint& pos) { showSheetMenu(pos); });
    // A second quick touch may be the start of a long press.
    widgets::takeEveryPress(sheetList->viewport());

    // "Blatt" has a menu of its own, so that a sheet can be brought back
    // before any is shown.
    QPushButton* blatt = window.sheetButton;
    blatt->setToolTip(kSheetButtonMenuHint);
    blatt->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(blatt, &QWidget::customContextMenuRequested, this, &SheetPanel::showSheetButtonMenu);
    new widgets::LongPress(blatt, [this, blatt](const QPoint& pos) {
        // The finger that opened the menu must not press "Blatt" when it lets go.
        blatt->setDown(false);
        showSheetButtonMenu(pos);
    });
    widgets::takeEveryPress(blatt);
    connect(blatt, &QPushButton::clicked, this, &SheetPanel::composeSheet);

    // Shown, the panel must lie over the command row and the list over both
    // task layouts, so neither "Blatt" nor the mode buttons can be reached.
    panel->raise();
    sheetList->raise();

    connect(closeButton, &QPushButton::clicked, this, &SheetPanel::closeSheet);
    connect(printTasksButton, &QPushButton::clicked, this, &SheetPanel::printTaskSheet);
    connect(printSolutionsButton, &QPushButton::clicked, this, &SheetPanel::printSolutionSheet);
    connect(copyButton, &QPushButton::clicked, this, &SheetPanel::copySheet);
}

void SheetPanel::buildMenus() {
    sheetMenu = new QMenu(sheetList);
    sheetMenu->setObjectName(QStringLiteral("sheetMenu"));
    sheetButtonMenu = new QMenu(window_.sheetButton);
    sheetButtonMenu->setObjectName(QStringLiteral("sheetButtonMenu"));

    // The number line names the sheet; it is no command.
    QAction* numberLine = sheetMenu->addAction(QString());
    numberLine->setObjectName(QStringLiteral("sheetNumberLine"));
    numberLine->setEnabled(false);
    sheetMenu->addSeparator();

    auto* byNumber = new QAction(QStringLiteral("Blatt nach Nummer …"), this);
    connect(byNumber, &QAction::triggered, this, &SheetPanel::sheetByNumber);
    sheetMenu->addAction(byNumber);
    sheetButtonMenu->addAction(byNumber);
    sheetMenu->addAction(window_.taskChoice().chooseAction);
    sheetButtonMenu->addAction(window_.taskChoice().chooseAction);
    sheetMenu->addSeparator();
    sheetButtonMenu->addSeparator();

    for (const printing::MenuCommand command : printing::menuCommands()) {
        QAction* a = sheetMenu->addAction(printing::menuText(command));
        connect(a, &QAction::triggered, this, [this, command] {
            actions().runMenuCommand(command, lines(), window_.exercise().mode(), number(),
                                     window_.printerLock());
        });
    }
    sheetMenu->addSeparator();

    for (const printing::ClassSetCommand command : printing::classSetCommands()) {
        auto* a = new QAction(printing::menuText(command), this);
        connect(a, &QAction::triggered, this, [this, command] { runClassSet(command); });
        sheetMenu->addAction(a);
        sheetButtonMenu->addAction(a);
    }
    auto* named = new QAction(QStringLiteral("Klassensatz mit Namen …"), this);
    connect(named, &QAction::triggered, this, &SheetPanel::runNamedClassSet);
    sheetMenu->addAction(named);
    sheetButtonMenu->addAction(named);
}

void SheetPanel::show(const core::Exercise& exercise) {
    if (exercise.sheet() == shown_) return;
    shown_ = exercise.sheet();
    sheetList->clear();
    const int left = shown_ ? kPanelShown : kPanelAway;
    tw::setLeft(panel, left);
    tw::setLeft(sheetList, left);
    // Away from view the buttons must not take the keyboard either.
    panel->setVisible(shown_.has_value());
    sheetList->setVisible(shown_.has_value());
    if (!shown_) {
        sheetList->setToolTip(kSheetMenuHint);
        return;
    }
    sheetList->addItems(core::sheetLinesOf(*shown_));
    sheetList->setAccessibleName(QStringLiteral("Arbeitsblatt ") + number());
    sheetList->setToolTip(core::numberLine(number()) + QLatin1Char('\n') + kSheetMenuHint);
}

QStringList SheetPanel::lines() const {
    QStringList out;
    out.reserve(sheetList->count());
    for (int i = 0; i < sheetList->count(); ++i)
        out << sheetList->item(i)->text();
    return out;
}

QString SheetPanel::number() const {
    return shown_ ? core::formatSheetNumber(*shown_) : QString();
}

void SheetPanel::composeSheet() {
    window_.exercise().composeSheet();
    window_.showExercise();
}

printing::SheetActions SheetPanel::actions() {
    return printing::SheetActions(window_.desktop(), &window_);
}

void SheetPanel::closeSheet() {
    window_.exercise().closeSheet();
    window_.showExercise();
}

void SheetPanel::printTaskSheet() {
    actions().printTaskSheet(lines(), window_.exercise().mode(), number(), window_.printerLock());
}

void SheetPanel::printSolutionSheet() {
    actions().printSolutionSheet(lines(), window_.exercise().mode(), number(),
                                 window_.printerLock());
}

void SheetPanel::copySheet() {
    actions().copySheet(lines(), window_.exercise().mode(), number());
}

void SheetPanel::showSheetMenu(const QPoint& pos) {
    // The menu belongs to a shown sheet.
    if (!shown_) return;
    sheetMenu->actions().constFirst()->setText(core::numberLine(number()));
    popupAt(sheetMenu, &window_, sheetList->viewport(), pos);
}

void SheetPanel::showSheetButtonMenu(const QPoint& pos) {
    // A shown sheet covers "Blatt"; its own menu offers the same and more.
    if (shown_) return;
    popupAt(sheetButtonMenu, &window_, window_.sheetButton, pos);
}

void SheetPanel::sheetByNumber() {
    widgets::Desktop& desktop = window_.desktop();
    const QString title = QStringLiteral("Blatt nach Nummer");
    const QString typed = desktop.askText(
        &window_, title,
        QStringLiteral("Bitte die Blatt-Nummer eingeben (sie steht unten auf jedem Blatt, zum "
                       "Beispiel E-482719):"),
        QString());
    // Cancelled (or nothing typed): nothing changes.
    if (typed.trimmed().isEmpty()) return;
    const std::optional<core::SheetNumber> parsed = core::parseSheetNumber(typed);
    if (!parsed) {
        desktop.message(&window_, title, QStringLiteral("Diese Blatt-Nummer gibt es nicht."),
                        {widgets::Buttons::Ok, widgets::Icon::Warning});
        return;
    }
    window_.exercise().showSheetNumbered(*parsed);
    window_.showExercise();
}

printing::SheetSource SheetPanel::newSheets() {
    core::Exercise& exercise = window_.exercise();
    return {[&exercise] { return core::formatSheetNumber(exercise.newSheetNumber()); },
            [](const QString& number) {
                const std::optional<core::SheetNumber> n = core::parseSheetNumber(number);
                return n ? core::sheetLinesOf(*n) : QStringList();
            }};
}

void SheetPanel::runClassSet(printing::ClassSetCommand command) {
    actions().runClassSet(command, window_.exercise().mode(), newSheets(), window_.printerLock());
}

void SheetPanel::runNamedClassSet() {
    printing::SheetActions sheetActions = actions();
    if (!sheetActions.printingUnlocked(window_.printerLock())) return;
    ClassNamesDialog dialog(window_.desktop(), &window_, classNames_);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    // The list stays for the next set while the program runs, also when
    // cancelled: a class typed in is not lost to a slip.
    classNames_ = dialog.typed();
    tw::returnFocus(&window_);
    if (!chosen) return;
    sheetActions.writeNamedClassSet(dialog.command(), window_.exercise().mode(), newSheets(),
                                    dialog.names());
}

} // namespace windows
