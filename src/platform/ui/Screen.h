#pragma once

#include <QSize>

// The screen as the design sees it: its size in twips and the conversion of
// design twips into pixels. Tests set another screen through setOverride.
namespace Screen {

// The windows were designed on a 1024 x 768 screen at 15 twips a pixel; the
// scaling factors compare the screen with that one.
inline constexpr double DesignTwipsPerPixel = 15.0;
inline constexpr QSize DesignScreen(1024, 768);

int widthTwips();
int heightTwips();
// Logical dots per inch used to turn twips into pixels.
double logicalDpi();
int twipsToPixels(double twips);
double pixelsToTwips(double pixels);
// Design fonts are in points; widgets want pixels at the logical dpi.
double pointsToPixels(double points);

// A screen of pixels at dpi replaces the real one; an empty size restores it.
void setOverride(QSize pixels, double dpi = 96.0);

} // namespace Screen
