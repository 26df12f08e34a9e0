#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QStaticText>
#include <QString>

#include "twips.h"

class QWidget;

namespace games {

// The surface of a window that is printed on in the manner of the classic
// runtime: texts at twips positions in one bold font, each on an opaque
// background, erased by printing them again in the back colour. What was
// printed is kept, so the window draws it again, sharp, at any zoom.
class PrintCanvas {
  public:
    // host: the window printed on; its zoom, size and back colour apply.
    explicit PrintCanvas(QWidget* host);
    ~PrintCanvas();

    // The size of the font of the following prints, in points.
    void setPoints(double points);
    double points() const { return points_; }
    // The height of one printed line in twips, the same at every zoom.
    int lineTwips() const;

    // Prints text with its top-left corner at the twips position.
    void print(const QString& text, const QPoint& atTwips, const QColor& colour);
    // Everything printed goes.
    void clear();

    // Draws what was printed inside area (window pixels).
    void paint(QPainter& p, const QRect& area);
    // The window changed its zoom or size.
    void zoomChanged();
    void resized();
    // What the window shows behind its controls, as an image of the window.
    QImage image() const;

  private:
    // One print, kept so that it can be drawn again. Positions are twips of
    // the window.
    struct PrintOp {
        QString text;
        QPoint at;
        QColor colour;
        double points;
    };
    // The text laid out in the drawing font, and where a print lies in pixels.
    struct PrintedText {
        QStaticText text;
        int width = 0;
        int height = 0;
    };
    QFont fontAt(double points, bool designSize) const;
    const PrintedText& laidOut(const QString& text) const;
    static QRect cellOf(const PrintOp& op, const PrintedText& t, const tw::Zoom& z);
    void paintPrints(QPainter& p, const QRect& area) const;
    void renderPrint(QPainter& p, const PrintOp& op, const QRect& cell);
    QPainter& surfacePainter();
    void endPrinting() const;
    void buildSurface();
    void dropSurface();
    QColor back() const;
    QSize deviceSize() const;

    // Printing collects the printed cells; they are repainted once the
    // handler returns, so a jump of twenty-one prints costs one repaint.
    void flushPrints();

    QWidget* host_;
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
    double points_ = 13.5;
    // The box around the printed cells. Repainting it whole is cheaper than
    // keeping a region of twenty scattered cells: the surface is copied in
    // one piece and the region arithmetic costs more than the copy.
    QRect dirtyCells_;
    bool flushQueued_ = false;
    QFont font_; // at the current zoom
    // Laid-out texts of the drawing font: a jump prints the same eleven
    // one-character texts twenty times, and laying them out again each time
    // costs more than all the rest of the jump.
    mutable QHash<QString, PrintedText> printedTexts_;
};

} // namespace games
