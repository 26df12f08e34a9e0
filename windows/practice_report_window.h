#pragma once

#include <QPointer>

class QLabel;
class QLineEdit;
#include <QWidget>
#include <functional>

#include "controls.h"
#include "program_window.h"
#include "practice_report_drawing.h"
#include "sheet_actions.h"
#include "targeted_practice.h"

class QScrollArea;

namespace windows {



// The report drawn on screen: a white sheet as wide as the paper's, the
// rows one under the other.
class PracticeReportPage : public QWidget {
    Q_OBJECT
  public:
    explicit PracticeReportPage(QWidget* parent = nullptr);
    void setReport(core::PracticeReport report);
    const printing::ReportDrawing& drawing() const { return drawing_; }
    // Measures again at the window's zoom.
    void remeasure();

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    double margin() const;
    printing::ReportDrawing drawing_;
};

// "Übungsbericht": what the child did in the exercise window, by step of the
// written division, with the latest tasks that went wrong; printed or saved
// as PDF behind the printer lock. It reads the record and changes nothing
// in the exercise window.
class PracticeReportWindow : public widgets::ProgramWindow {
    Q_OBJECT
  public:
    PracticeReportWindow(widgets::WindowStack& windows, core::PracticeRecord& record);

    // The printer lock as it stands at the moment of a click.
    std::function<printing::PrinterLock()> printerLock;
    // The task choice in force, briefly ("" for every task), for the table.
    std::function<QString()> taskChoice;
    // "Gezielt üben": what the record points to, and setting it in the exercise.
    std::function<core::TargetedPractice()> aimPractice;
    std::function<void(const core::TargetedPractice&)> applyPractice;

    // Shows the report as the record stands, at the zoom of the window it is
    // opened from (at most three times).
    void open(QWidget* from);
    // The record changed: the open report shows it.
    void refresh();
    const core::PracticeReport& report() const { return page->drawing().report(); }

    QScrollArea* scrollArea;
    PracticeReportPage* page;
    widgets::CommandButton* printButton; // "Drucken …"
    widgets::CommandButton* savePdfButton; // "Als PDF speichern …"
    widgets::CommandButton* saveTableButton; // "Als Tabelle speichern …"
    QLabel* nameLabel; // "Name"
    QLineEdit* nameEdit; // the child's name: heads the report, first in the table
    widgets::CommandButton* targetButton; // "Gezielt üben"
    widgets::CommandButton* startAfreshButton; // "Neu beginnen"
    widgets::CommandButton* closeButton; // "Schließen"

    void broughtToFront() override;
    bool closeRequested() override;
    void printReport();
    void saveReportPdf();
    // One row in the teacher's spreadsheet file: new, or appended after asking.
    void saveReportTable();
    void startAfresh();
    // Aims the next tasks at the step with the most wrong digits, behind the
    // lock, and says so in one sentence.
    void practiseTargeted();
    void closeReport();

  private:
    // Fonts, margins and the sheet at the window's zoom; returns the width
    // that shows the whole sheet.
    int layOut();
    core::PracticeReport report(core::ReportFor target) const;
    printing::SheetActions actions();
    bool unlocked();
    // Writes the report as it stands into a PDF file.
    printing::PdfWrite pdfWrite();
    core::PracticeRecord& record_;
    QPointer<QWidget> from_;
};

} // namespace windows
