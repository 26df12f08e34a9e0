#pragma once

#include <QColor>

// Colours as the classic runtime stores them.
namespace shell {

// 0xBBGGRR colour value to QColor.
QColor bgr(quint32 value);
// The 16-colour palette (QBColor 0..15).
QColor qbColor(int index);
// The colour as 0xBBGGRR again, for rules that compare stored colours.
quint32 toBgr(const QColor& c);

} // namespace shell
