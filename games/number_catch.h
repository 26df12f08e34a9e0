#pragma once

#include <QColor>
#include <QImage>
#include <QScrollBar>
#include <QTimer>
#include <functional>

#include "controls.h"
#include "form.h"
#include "number_catch_state.h"
#include "print_canvas.h"

namespace games {

// The number-catch game: steer the cross onto the digits 0..9 in order while
// they jump about at the pace of the speed bar.
class Form4 : public shell::Form {
    Q_OBJECT
  public:
    explicit Form4(QWidget* parent = nullptr);

    // The window that comes back when the game ends.
    std::function<shell::Form*()> exerciseWindow;

    // Prepares a new game, at the size of the window it is opened from: the
    // drawing, the cross, the digits on their diagonal and the clock at the
    // pace of the speed bar. The caller then shows the window.
    void start(const shell::Form& sizeFrom);

    // The game's variables.
    Modul1 MODUL1;

    shell::VbButton* Befehl1;     // "ENDE"
    shell::VbPicture* Bild1;      // left
    shell::VbPicture* Bild2;      // up
    shell::VbPicture* Bild3;      // down
    shell::VbPicture* Bild4;      // right
    shell::VbLabel* Bezeichnung3; // next digit to catch
    shell::VbShape* Figur1;       // its fill colour is the erase colour
    shell::VbLabel* Bezeichnung1; // "schnell"
    QScrollBar* HBildlauf1;       // seconds per jump
    shell::VbLabel* Bezeichnung2; // "langsam"
    shell::VbShape* Figur2;       // the field
    QTimer* Zeit1;                // jump clock; enabled = active

    // Drawing on the window surface, in the manner of the classic runtime.
    void setForeColor(const QColor& c) { foreColor_ = c; }
    QColor foreColor() const { return foreColor_; }
    void setFontSize(double points);
    void setScaleModePoints() { twipsPerUnit_ = 20; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    // Prints at the current position on an opaque background, then moves to
    // the start of the next line.
    void Print(const QString& text);
    void Cls();
    // What the window shows behind its controls, as an image of the window.
    QImage surface() const;

    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Befehl1_Click();
    void Bild1_Click();
    void Bild2_Click();
    void Bild3_Click();
    void Bild4_Click();
    void HBildlauf1_Change();
    void HBildlauf1_Scroll();
    void Zeit1_Timer();

    void EraseCross();
    void CheckCatch();
    void DrawDigits();
    void EraseDigits();
    void ScatterDigits();
    void FinishNumberCatch();
    void EndNumberCatch();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void zoomChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void printAtCell(int x, int y, const QString& text);
    QColor eraseColour() const { return Figur1->fillColor(); }

    PrintCanvas canvas_{this};
    QColor foreColor_;
    int twipsPerUnit_ = 1;
    double currentX_ = 0;
    double currentY_ = 0;
    bool finishing_ = false;
};

} // namespace games
