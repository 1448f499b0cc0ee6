#pragma once

#include <QSize>

// The screen as the design sees it: its size in twips and the conversion of
// design twips into pixels. Tests set another screen through setOverride.
namespace Screen {

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
