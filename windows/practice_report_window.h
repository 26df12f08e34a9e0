#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "controls.h"
#include "form.h"
#include "practice_report_drawing.h"
#include "sheet_actions.h"

class QScrollArea;

namespace trainer {

class PracticeRecord;

// The report drawn on screen: a white sheet as wide as the paper's, the
// rows one under the other.
class PracticeReportPage : public QWidget {
    Q_OBJECT
  public:
    explicit PracticeReportPage(QWidget* parent = nullptr);
    void setReport(PracticeReport report);
    const ReportDrawing& drawing() const { return drawing_; }
    // Measures again at the window's zoom.
    void remeasure();

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    double margin() const;
    ReportDrawing drawing_;
};

// "Übungsbericht": what the child did in the exercise window, by step of the
// written division, with the latest tasks that went wrong; printed or saved
// as PDF behind the printer lock. It reads the record and changes nothing
// in the exercise window.
class PracticeReportWindow : public shell::Form {
    Q_OBJECT
  public:
    explicit PracticeReportWindow(PracticeRecord& record, QWidget* parent = nullptr);

    // The printer lock as it stands at the moment of a click.
    std::function<worksheets::PrinterLock()> printerLock;

    // Shows the report as the record stands, at the zoom of the window it is
    // opened from (at most three times).
    void open(QWidget* from);
    // The record changed: the open report shows it.
    void refresh();
    const PracticeReport& report() const { return Bild1->drawing().report(); }

    QScrollArea* Bildlauf1;
    PracticeReportPage* Bild1;
    shell::VbButton* Befehl1; // "Drucken …"
    shell::VbButton* Befehl2; // "Als PDF speichern …"
    shell::VbButton* Befehl3; // "Neu beginnen"
    shell::VbButton* Befehl4; // "Schließen"

    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Befehl1_Click();
    void Befehl2_Click();
    void Befehl3_Click();
    void Befehl4_Click();

  private:
    // Fonts, margins and the sheet at the window's zoom; returns the width
    // that shows the whole sheet.
    int layOut();
    bool unlocked();
    // Writes the report as it stands into a PDF file.
    worksheets::PdfWrite pdfWrite();
    PracticeRecord& record_;
    QPointer<QWidget> from_;
};

} // namespace trainer
