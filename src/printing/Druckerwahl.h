#pragma once

#include <QWidget>

class Form1;
class QComboBox;
class QLabel;
class QPushButton;

// The printer window: the user picks a printer and starts the print-out.
class Druckerwahl : public QWidget
{
    Q_OBJECT
public:
    explicit Druckerwahl(Form1 *main);

    QLabel *Label6 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Command2_Click();

private:
    Form1 *m_main;
};
