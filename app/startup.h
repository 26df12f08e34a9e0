#pragma once

class QApplication;

namespace app {

// Everything main does before the first window: names, window icon, German
// locale and Qt's own German texts. The start-up benchmark runs the same steps.
void prepareApplication(QApplication& application);

} // namespace app
