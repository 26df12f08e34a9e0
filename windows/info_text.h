#pragma once

#include <QString>

namespace shell {
// The description shown in the start window: thirteen lines, each ended by CR LF.
QString infoText();
} // namespace shell
