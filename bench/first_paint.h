#pragma once

class QWidget;

namespace bench {

// Ends the process as soon as the first paint of `window` has been handled
// (painted and flushed): prints the monotonic clock in nanoseconds on stdout
// and leaves with _exit, so teardown is neither timed nor counted.
void exitAfterFirstPaint(QWidget* window);

} // namespace bench
