#pragma once

#include <QFont>
#include <QString>

namespace shell {

// A font by its classic name; families this machine lacks fall back to a
// close one (a sans serif for "MS Sans Serif", a fixed pitch for "Courier New").
QFont vbFont(const QString& family, double points, bool bold = false, bool italic = false,
             bool underline = false);

} // namespace shell
