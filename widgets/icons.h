#pragma once

#include <QPainter>
#include <QRectF>

// The program's small pictures, drawn as vectors so they stay crisp at any
// pixel ratio. Each draws a 32 x 32 design centred in the given rectangle.
namespace icons {

enum class Glyph { Cross, Division, Info };

// Green tile with a dark red frame and a white glyph.
void tile(QPainter& p, const QRectF& r, Glyph g);
// The logo of the start window: a small division on paper.
void logo(QPainter& p, const QRectF& r);
// Ladder marker: a climbing figure (a little star with a face).
void climber(QPainter& p, const QRectF& r);
// Ladder goal: a flag on a summit.
void goal(QPainter& p, const QRectF& r);
// Key cap, the keyboard marker over a selected cell.
void keyCap(QPainter& p, const QRectF& r, const QColor& face);
// Raised square with a triangle pointing left (0), up (1), down (2) or right (3).
void arrow(QPainter& p, const QRectF& r, int direction);

} // namespace icons
