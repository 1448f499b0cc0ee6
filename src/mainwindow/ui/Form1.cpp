#include "mainwindow/ui/Form1.h"

#include "dialogs/ui/Einstellungen.h"
#include "dialogs/ui/Form2.h"
#include "editing/ui/EditorBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/Druckerwahl.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>

namespace {
const QString ExitQuestion =
    QStringLiteral("Barlog wird beendet. Nicht gespeicherte Daten gehen verloren.  Wirklich beenden ?");
const QString ExitTitle = QStringLiteral("Beenden");
} // namespace

Form1::Form1(const QString &programFolder, QWidget *parent) : QWidget(parent), m_programFolder(programFolder)
{
    buildDesign();
    connectHandlers();
    connectEditing();
    connectRowButtons();
    connectStorage();
    connectPrinting();
}

Form1::~Form1()
{
    // The controls outlive this part of the window while they are torn down;
    // their notifications must not reach it any more.
    flex->store().leaveCell = {};
    flex->store().rowColChange = {};
    flex->click = {};
    flex->gotFocus = {};
    flex->lostFocus = {};
    flex->keyPress = {};
    Text1->keyDown = {};
    Text1->lostFocus = {};
    Form_Terminate();
    // The secondary windows have no owner; they end with the main window.
    delete m_einstellungen.data();
    delete m_form2.data();
    delete m_druckerwahl.data();
}

void Form1::connectHandlers()
{
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command4, &QToolButton::clicked, this, [this] { Command4_Click(); });
}

void Form1::Command4_Click()
{
    bringUp(einstellungen());
}

void Form1::Command5_Click()
{
    if (MessageBox::show(this, ExitQuestion, MessageBox::Buttons::YesNo, ExitTitle) == MessageBox::Answer::No)
        return;
    endProgram();
}

short Form1::Form_Unload()
{
    if (MessageBox::show(this, ExitQuestion, MessageBox::Buttons::YesNo, ExitTitle) == MessageBox::Answer::No)
        return 27;
    endProgram();
    return 0;
}

void Form1::Form_Terminate()
{
    QCoreApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_ended || Form_Unload() == 0) {
        event->accept();
        return;
    }
    event->ignore();
}

void Form1::endProgram()
{
    // No further handler runs: the windows go and the event loop ends.
    m_ended = true;
    if (m_einstellungen)
        m_einstellungen->hide();
    if (m_form2)
        m_form2->hide();
    if (m_druckerwahl)
        m_druckerwahl->hide();
    close();
    QCoreApplication::exit(0);
}

void Form1::bringUp(QWidget *window)
{
    // Secondary windows are modeless and have no owner: the main window stays
    // usable, and a window already open comes to the front.
    window->show();
    window->raise();
    window->activateWindow();
}

Einstellungen *Form1::einstellungen()
{
    if (!m_einstellungen)
        m_einstellungen = new Einstellungen(this);
    return m_einstellungen;
}

Form2 *Form1::form2()
{
    if (!m_form2)
        m_form2 = new Form2(this);
    return m_form2;
}

Druckerwahl *Form1::druckerwahl()
{
    if (!m_druckerwahl)
        m_druckerwahl = new Druckerwahl(this);
    return m_druckerwahl;
}
