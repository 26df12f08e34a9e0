#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QStaticText>
#include <QString>

#include "number_catch_game.h"
#include "twips.h"

class QWidget;

namespace games {

// What the number-catch window shows behind its controls: one-character
// texts (the digits, the cross) at grid cells, in one bold font without
// antialiasing, each on an opaque background in the window's back colour. A
// text drawn again in the back colour is erased without a trace, and a caught
// digit vanishes under the cross drawn on it. What was drawn is kept, so the
// window draws it again, sharp, at any zoom.
class NumberField {
  public:
    // window: the window drawn on; its zoom, size and back colour apply. The
    // field's font becomes the window's font.
    explicit NumberField(QWidget* window);
    ~NumberField();

    void draw(const QString& text, Cell at, const QColor& colour);
    void erase(const QString& text, Cell at) { draw(text, at, back()); }
    // Everything drawn goes.
    void clear();

    // Paints what was drawn inside area (window pixels).
    void paint(QPainter& p, const QRect& area);
    // The window changed its zoom or size.
    void zoomChanged();
    void resized();

  private:
    // One text drawn, kept so that it can be painted again.
    struct Drawn {
        QString text;
        Cell at;
        QColor colour;
    };
    // The text laid out in the field's font, and its size in pixels.
    struct LaidOut {
        QStaticText text;
        int width = 0;
        int height = 0;
    };
    QFont zoomedFont() const;
    const LaidOut& laidOut(const QString& text) const;
    QRect rectOf(const Drawn& d, const tw::Zoom& z) const;
    void paintAll(QPainter& p, const QRect& area) const;
    void render(QPainter& p, const Drawn& d, const QRect& rect);
    QPainter& surfacePainter();
    void endDrawing() const;
    void buildSurface();
    void dropSurface();
    QColor back() const;
    QSize deviceSize() const;

    // Drawing collects the cells drawn on; they are repainted once the
    // handler returns, so a jump of twenty-one texts costs one repaint.
    void flush();

    QWidget* window_;
    // What was drawn, as an image of the window while the game is played at
    // one size; invalid after the window changed its size, until the next
    // text is drawn.
    QImage surface_;
    mutable QPainter surfacePainter_;
    bool surfaceValid_ = false;
    // What the field shows, oldest first; it is painted anew in this order on
    // every paint, so an erased text leaves no trace. A text covers an earlier
    // one of the same text at the same cell completely, so that one is
    // dropped: the list stays as small as the field.
    QList<Drawn> drawn_;
    // The box around the cells drawn on. Repainting it whole is cheaper than
    // keeping a region of twenty scattered cells: the surface is copied in
    // one piece and the region arithmetic costs more than the copy.
    QRect dirty_;
    bool flushQueued_ = false;
    QFont font_; // at the current zoom
    // Laid-out texts: a jump draws the same eleven one-character texts
    // twenty times, and laying them out again each time costs more than all
    // the rest of the jump.
    mutable QHash<QString, LaidOut> laidOut_;
};

} // namespace games
