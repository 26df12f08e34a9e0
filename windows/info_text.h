#pragma once

#include <QString>

namespace windows {
// The description shown in the start window, its lines ended by line breaks.
QString infoText();
} // namespace windows
