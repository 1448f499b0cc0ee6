#include "printing/ui/Druckerwahl.h"

#include "platform/ui/Design.h"
#include "platform/ui/Icons.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

Druckerwahl::Druckerwahl(std::function<void()> startPrintOut)
    : QWidget(nullptr),
      m_startPrintOut(std::move(startPrintOut))
{
    setObjectName(QStringLiteral("Druckerwahl"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(Icons::window());
    Design::setClientSize(this, 6375, 2730);

    Label6 = new QLabel(QStringLiteral("Wählen Sie einen Drucker für den Ausdruck. "), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setWordWrap(true);
    Design::setFont(Label6, QStringLiteral("Arial"), 14.25, true);
    Design::place(Label6, 300, 135, 5715, 690);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Design::setFont(Combo1, QStringLiteral("MS Sans Serif"), 18);
    Design::place(Combo1, 300, 855, 5790, 555);

    Command1 = new QPushButton(QStringLiteral("Drucken"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Design::setFont(Command1, QStringLiteral("MS Sans Serif"), 13.5);
    Design::setBackColor(Command1, 192, 192, 192);
    Design::place(Command1, 300, 1560, 3315, 825);

    Command2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Design::setFont(Command2, QStringLiteral("MS Sans Serif"), 13.5);
    Design::setBackColor(Command2, 192, 192, 192);
    Design::place(Command2, 3975, 1575, 2115, 825);

    setTabOrder(Command2, Command1);
    setTabOrder(Command1, Combo1);

    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Druckerwahl::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QWidget::showEvent(event);
}

void Druckerwahl::Form_Load()
{
    drucker_lesen();
    Combo1->setEditText(Standarddruckername());
}

void Druckerwahl::drucker_lesen()
{
    GetPrinters(Combo1);
}

bool Druckerwahl::drucker_setzen(const QString &name)
{
    return m_printer.drucker_setzen(name);
}

void Druckerwahl::Command2_Click()
{
    hide();
}

void Druckerwahl::Command1_Click()
{
    m_startPrintOut();
}
