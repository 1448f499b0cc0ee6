#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

// "Hilfe → Handbuch": the short German manual the program carries as a
// resource, in a modeless window of its own.
class Handbuch : public QWidget
{
    Q_OBJECT
public:
    Handbuch();

    QTextBrowser *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
};
