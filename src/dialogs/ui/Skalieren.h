#pragma once

class QWidget;

// Stretches a window and each of its controls by the screen factors:
// horizontal measures by sfx, vertical measures and font sizes by sfy.
void FormSkalieren(QWidget *form, const float &sfx, const float &sfy);
