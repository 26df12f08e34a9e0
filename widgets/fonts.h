#pragma once

#include <QFont>

namespace widgets {

// The program's sans-serif font at a size in points: the first of its
// families this machine has.
QFont sansFont(double points, bool bold = false, bool italic = false, bool underline = false);
// The fixed-pitch font of sheets and worked divisions, so that their columns
// stay in line: the first of its families this machine has, or the system's
// fixed font.
QFont fixedFont(double points, bool bold = false);

} // namespace widgets
