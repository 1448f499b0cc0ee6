#pragma once

#include <functional>

class QApplication;

// Sets up Qt as Barlog wants it (style, fonts, German Qt dialogs), opens
// the books folder, starts the main window on it and runs the event loop.
// Returns 1 at once when the books folder cannot be used or another Barlog
// works on it.
// firstPaint, when given, is called once the main window has been painted.
int runBarlog(QApplication &app, const std::function<void()> &firstPaint = {});
