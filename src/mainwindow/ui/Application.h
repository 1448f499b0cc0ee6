#pragma once

#include <functional>

class QApplication;

// Sets up Qt as Barlog wants it (style, fonts, German Qt dialogs), starts
// the main window in the program's folder and runs the event loop.
// firstPaint, when given, is called once the main window has been painted.
int runBarlog(QApplication &app, const std::function<void()> &firstPaint = {});
