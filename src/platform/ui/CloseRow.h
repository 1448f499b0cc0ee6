#pragma once

class QBoxLayout;
class QPushButton;
class QWidget;

// A "Schließen" button at the right end of a row below the window's content;
// it hides the window, as the reading windows' close box does.
QPushButton *addCloseRow(QWidget *window, QBoxLayout *layout);
