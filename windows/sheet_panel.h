#pragma once

#include <QListWidget>
#include <QObject>
#include <QPoint>
#include <optional>

#include "controls.h"
#include "exercise.h"
#include "sheet_actions.h"

class QMenu;

namespace windows {

class ExerciseWindow;

// The worksheet panel of the exercise window, for the teacher: "Blatt"
// composes a sheet of twelve tasks of the mode and shows it with its
// solutions over the layouts; the panel's buttons print the task or the
// solution sheet, copy both, and close the panel. The sheet's menu and the
// menu of "Blatt" bring a sheet back by its number, save or print on a
// printer of choice, and make class sets.
class SheetPanel : public QObject {
    Q_OBJECT
  public:
    explicit SheetPanel(ExerciseWindow& window);

    widgets::Picture* panel;
    widgets::CommandButton* closeButton;         // "Abbruch"
    widgets::CommandButton* printTasksButton;    // "Aufgaben drucken"
    widgets::CommandButton* printSolutionsButton; // "Lösungen drucken"
    widgets::CommandButton* copyButton;          // "Kopieren"
    QListWidget* sheetList;
    QMenu* sheetMenu;       // the shown sheet's menu
    QMenu* sheetButtonMenu; // the menu of "Blatt", before a sheet is shown

    void show(const core::Exercise& exercise);
    // The lines of the sheet shown, and its number ("" while none is).
    QStringList lines() const;
    QString number() const;

    // What the buttons and menus do.
    void composeSheet();
    void closeSheet();
    void printTaskSheet();
    void printSolutionSheet();
    void copySheet();
    void sheetByNumber();
    void runClassSet(printing::ClassSetCommand command);
    // "Klassensatz mit Namen …": the lock, the names, then the set.
    void runNamedClassSet();
    // Right click or long press on the sheet (pos in the list's viewport)
    // and on "Blatt" (pos in the button).
    void showSheetMenu(const QPoint& pos);
    void showSheetButtonMenu(const QPoint& pos);

  private:
    void buildMenus();
    // Printing, saving and copying, with boxes that belong to the window.
    printing::SheetActions actions();
    // New sheets of the current mode, each of a new number.
    printing::SheetSource newSheets();
    ExerciseWindow& window_;
    std::optional<core::SheetNumber> shown_;
    // The names typed last for a class set with names, kept while the program runs.
    QString classNames_;
};

} // namespace windows
