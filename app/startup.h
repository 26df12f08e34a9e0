#pragma once

#include <QByteArray>

class QApplication;

namespace app {

// Everything main does before the first window: names, window icon, German
// locale and Qt's own German texts. The start-up benchmark runs the same steps.
void prepareApplication(QApplication& application);

// The windows place and centre themselves, which a Wayland compositor does not
// allow: on a Wayland session the program asks for X11 through XWayland and
// falls back to Wayland only when no X server answers. Returns the value for
// QT_QPA_PLATFORM, or an empty array when the user chose a platform (by
// QT_QPA_PLATFORM or -platform) or the session is not Wayland.
QByteArray preferredPlatform(const QByteArray& qpaPlatform, const QByteArray& sessionType,
                             const QByteArray& waylandDisplay, bool platformArgument);
// The same, from this process's environment and command line; sets
// QT_QPA_PLATFORM when it should. Runs before the QApplication is made.
void choosePlatform(int argc, char** argv);

} // namespace app
