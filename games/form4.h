#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QTimer>
#include <functional>

#include "controls.h"
#include "form.h"
#include "twips.h"

namespace games {

// The number-catch game: steer the cross onto the digits 0..9 in order while
// they jump about at the pace of the speed bar.
class Form4 : public shell::Form {
    Q_OBJECT
  public:
    explicit Form4(QWidget* parent = nullptr);

    // The window that comes back when the game ends.
    std::function<shell::Form*()> exerciseWindow;

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
    // One print on the window, kept so that the window can draw it again,
    // sharp, at any zoom. Positions are twips of the window.
    struct PrintOp {
        QString text;
        QPoint at;
        QColor colour;
        double points;
    };
    void printAtCell(int x, int y, const QString& text);
    QFont fontAtZoom(double points, double zoom) const;
    // The text laid out in the drawing font, and where a print lies in pixels.
    struct PrintedText;
    const PrintedText& laidOut(const QString& text) const;
    static QRect cellOf(const PrintOp& op, const PrintedText& t, const tw::Zoom& z);
    void paintPrints(QPainter& p, const QRect& area) const;
    void renderPrint(QPainter& p, const PrintOp& op, const QRect& cell);
    QPainter& surfacePainter();
    void endPrinting() const;
    void buildSurface();
    void dropSurface();
    QColor eraseColour() const { return Figur1->fillColor(); }

    // Printing collects the printed cells; they are repainted once the
    // handler returns, so a jump of twenty-one prints costs one repaint.
    void flushPrints();

    // The prints as an image of the window while the game is played at one
    // size; invalid after the window changed its size, until the next print.
    QImage surface_;
    mutable QPainter surfacePainter_;
    bool surfaceValid_ = false;
    // What the window shows, oldest first; it is drawn anew in this order on
    // every paint, so an erased text, printed again in the back colour, leaves
    // no trace. A print covers an earlier one of the same text at the same
    // place completely, so that one is dropped: the list stays as small as the
    // field.
    QList<PrintOp> printed_;
    double drawPoints_ = 13.5;
    // The box around the printed cells. Repainting it whole is cheaper than
    // keeping a region of twenty scattered cells: the surface is copied in
    // one piece and the region arithmetic costs more than the copy.
    QRect dirtyCells_;
    bool flushQueued_ = false;
    QFont drawFont_; // at the current zoom
    // Laid-out texts of the drawing font: a jump prints the same eleven
    // one-character texts twenty times, and laying them out again each time
    // costs more than all the rest of the jump.
    struct PrintedText {
        QStaticText text;
        int width = 0;
        int height = 0;
    };
    mutable QHash<QString, PrintedText> printedTexts_;
    QColor foreColor_;
    int twipsPerUnit_ = 1;
    double currentX_ = 0;
    double currentY_ = 0;
    bool finishing_ = false;
};

} // namespace games
