#pragma once

#include <QHash>
#include <QListWidget>
#include <QPoint>
#include <QStringList>
#include <functional>
#include <memory>

#include "cell_table.h"
#include "controls.h"
#include "drag.h"
#include "form.h"
#include "practice_record.h"
#include "sheet_actions.h"
#include "sheet_number.h"
#include "task_digits.h"

class QMenu;

namespace games {
class Form4;
class memo;
} // namespace games

namespace trainer {

class PracticeReportWindow;

// The exercise window: both division layouts, the digit keys, the counters,
// the reward ladder and the worksheet panel.
class Form1 : public shell::Form {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Windows this one hands over to (set by the program; made on first use).
    std::function<shell::Form*()> startWindow;
    std::function<games::Form4*()> numberCatchWindow;
    std::function<games::memo*()> memoryWindow;
    // The print-mode switch of the info window, 1 = locked (set by the program).
    std::function<int()> printerLock;

    // ---- command row
    shell::VbButton* Befehl1;  // "Ende"
    shell::VbButton* Befehl15; // "Hilfe"
    shell::VbButton* Befehl21; // "Normal"
    shell::VbButton* Befehl20; // "mit Rest"
    shell::VbButton* Befehl14; // "Blatt"
    shell::VbShape* Figur6;    // work-area frame

    // ---- normal layout (on the window surface)
    shell::VbLabel* Bezeichnung1;
    shell::VbLabel* Bezeichnung2;
    shell::VbLabel* Bezeichnung3;
    shell::VbLabel* Bezeichnung4;
    shell::VbLabel* Bezeichnung5; // divisor
    shell::VbLabel* Bezeichnung6;
    shell::VbLabel* Bezeichnung7;
    shell::VbLabel* Bezeichnung8;
    shell::VbLabel* Bezeichnung9;
    shell::VbLabel* Bezeichnung10;
    shell::VbLabel* Bezeichnung11;
    shell::VbLabel* Bezeichnung12;
    shell::VbLabel* Bezeichnung13;
    shell::VbLabel* Bezeichnung17;
    shell::VbLabel* Bezeichnung18;
    shell::VbLabel* Bezeichnung19;
    shell::VbLabel* Bezeichnung20;
    shell::VbLabel* Bezeichnung27;
    shell::VbLabel* Bezeichnung28;
    shell::VbShape* Figur3;
    shell::VbShape* Figur7;
    shell::VbLine* Linie1;
    shell::VbLine* Linie6;
    shell::VbLine* Linie7;
    shell::VbLine* Linie10;
    shell::VbLine* Linie11;

    // ---- remainder layout (inside Bild6)
    shell::VbPicture* Bild6;
    shell::VbLabel* luecke[22]; // luecke[1] .. luecke[21]
    shell::VbShape* Figur4;
    shell::VbShape* Figur8;
    shell::VbLine* Linie2;
    shell::VbLine* Linie3;
    shell::VbLine* Linie5;
    shell::VbLine* Linie8;
    shell::VbLine* Linie9;
    shell::VbPicture* licht2;

    // ---- digit keys "0".."9": Befehl2 .. Befehl11
    shell::DragButton* DigitKey[10];

    // ---- reward prompts
    shell::VbLabel* Bezeichnung26; // number catch
    shell::VbLabel* Bezeichnung14; // memory
    shell::VbShape* Figur5;

    // ---- counter column
    shell::VbShape* Figur2;
    shell::VbLabel* Bezeichnung24; // "R"
    shell::VbLabel* Bezeichnung25; // "F"
    shell::VbPicture* Bild4;
    shell::VbLabel* Bezeichnung22; // points shown
    shell::VbLine* Linie4;
    shell::VbPicture* Bild5;
    shell::VbLabel* Bezeichnung23; // errors shown

    // ---- ladder
    shell::VbShape* Figur1;
    shell::VbPicture* Bild2; // goal
    shell::VbPicture* Bild1; // climbing marker

    // ---- hidden state
    QStringList Liste1;
    QStringList Liste2;
    shell::VbLabel* Bezeichnung15; // error tally
    shell::VbLabel* Bezeichnung16; // point tally
    shell::VbLabel* Bezeichnung21; // mode letter "E" / "R"
    shell::VbLabel* lichtzahl;
    shell::VbLabel* lichtwert;
    shell::VbPicture* licht;

    // ---- worksheet panel
    shell::VbPicture* Bild3;
    shell::VbButton* Befehl16; // "Abbruch"
    shell::VbButton* Befehl17; // "Aufgaben drucken"
    shell::VbButton* Befehl18; // "Lösungen drucken"
    shell::VbButton* Befehl19; // "Kopieren"
    QListWidget* Liste5;
    QMenu* Liste5Menu;   // context menu of the sheet: its number, a sheet by number, PDF,
                         // printer of choice, class sets
    QMenu* Befehl14Menu; // context menu of "Blatt": a sheet by number, class sets
    // The number of the sheet shown ("E-482719"), "" while none is.
    QString sheetNumber;

    // ---- practice report
    // What the child did while the program runs: tasks, right and wrong
    // digits, hints on the order of the steps.
    PracticeRecord record;
    QMenu* Figur2Menu = nullptr; // context menu of the counter column, made on first use
    // Right click or long press on the counter column; globalPos on the screen.
    void Figur2_ContextMenu(const QPoint& globalPos);
    // Opens the report window, made on first use.
    void ShowPracticeReport();
    // The report window once it was made, or nullptr.
    PracticeReportWindow* practiceReportWindow() const { return reportWindow_.get(); }

    // ---- window
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Befehl1_Click();
    void HideKeyCursors();

    // ---- tasks
    // A new task drawn at random and shown.
    void NewNormalTask();
    void ClearNormalCells();
    void NewRemainderTask();
    void ClearRemainderCells();
    // A given task shown, its answer cells empty and its lists rebuilt.
    void ShowNormalTask(const TaskDraw& t);
    void ShowRemainderTask(const TaskDraw& t);

    // ---- modes
    void Befehl21_Click();
    void Befehl20_Click();
    // What the mode buttons do before drawing: caption, layout in front, mode
    // letter, markers parked, the other layout emptied.
    void EnterNormalMode();
    void EnterRemainderMode();

    // ---- entry and checking
    void CellDragDrop(const CellRule& rule, QWidget* source);
    void CellClick(const CellRule& rule);
    void ReportWrongDigit();
    // ReportWrongDigit for a digit whose cell and way are known: the record
    // keeps what was entered.
    void ReportWrongDigit(const WrongDigit& entry);
    bool CheckNormalTaskDone();
    bool CheckRemainderTaskDone();
    bool PlaceTypedDigit();
    void licht_Click();
    void licht2_Click();
    void licht_DragDrop(QWidget* source);
    void licht2_DragDrop(QWidget* source);
    // A tap on a digit key (pressed and let go on the key).
    void DigitKey_Click(QWidget* key);
    void Befehl15_Click();

    // ---- points and rewards
    void AddPoint();
    void AdvanceRewardLadder();
    void Bezeichnung26_Click();
    void StartNumberCatch();
    void Bezeichnung14_Click();

    // ---- worksheets
    void Befehl14_Click();
    void Befehl16_Click();
    void Befehl17_Click();
    void Befehl18_Click();
    void Befehl19_Click();
    // A sheet of a new random number of the mode.
    void FillNormalSheet();
    void FillRemainderSheet();
    // The sheet of the number on the panel, its last task on screen.
    void FillSheet(const SheetNumber& number);
    // Right click or long press on the sheet; pos in the list's viewport.
    void Liste5_ContextMenu(const QPoint& pos);
    // Right click or long press on "Blatt"; pos in the button.
    void Befehl14_ContextMenu(const QPoint& pos);
    // "Blatt nach Nummer …": asks for a number and composes its sheet.
    void SheetByNumber_Click();
    // "Klassensatz …": a class set of the mode, the window untouched.
    void ClassSet_Click(worksheets::ClassSetCommand command);

    // The answer cell of a rule, and any cell by name ("Bezeichnung9", "luecke14").
    shell::VbLabel* cell(const CellRule& rule) const;
    shell::VbLabel* cellNamed(const QString& name) const;
    // The expected digit of a cell, read from the task's lists.
    QString expectedDigit(const CellRule& rule) const;
    // Where the keyboard markers wait while no cell is selected (Left, Top in
    // twips; licht2 in the coordinates of Bild6).
    static constexpr QPoint kLichtParking{13800, 6000};
    static constexpr QPoint kLicht2Parking{8400, 120};
    // A marker stands at its parking place.
    bool lichtParked() const;
    bool licht2Parked() const;

  protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    // A digit dropped or tapped onto the marker that park parks: the digit
    // typed, or a wrong one reported; the caller runs its completion test.
    void markerDrop(QWidget* source, void (Form1::*park)());
    void buildLayout();
    shell::VbLabel* makeCell(QWidget* parent, const char* name, int left, int top, quint32 back,
                             quint32 fore);
    void buildNormalLayout();
    void buildRemainderLayout();
    void buildCounterColumn();
    void buildLadderAndPrompts();
    void buildHiddenState();
    void buildWorksheetPanel();
    void buildSheetMenus();
    void wireEntry();
    void wireCounterColumnMenu();
    // The box of a refusal or a reminder for a missing quotient digit; the
    // record counts it as a hint on the order of the steps.
    void orderHint(const char* text);
    // Tells an open report that the record changed.
    void practiceRecorded();
    // A digit key tapped, not dragged: the marker drop it makes is a tap.
    bool tapping_ = false;
    // The printer lock as it stands now: the switch and the points caption.
    worksheets::PrinterLock lockNow();

    QHash<QString, shell::VbLabel*> cells_;
    // Declared after the record it reads, so it goes first.
    std::unique_ptr<PracticeReportWindow> reportWindow_;
};

} // namespace trainer
