// The menu bar above the design: every command of the buttons again, with
// the usual shortcuts, and the commands that have no button.
#include "mainwindow/ui/Form1.h"

#include "books/StatusText.h"
#include "dialogs/ui/Handbuch.h"
#include "platform/ui/Design.h"
#include "platform/ui/MessageBox.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStatusBar>

namespace {
template <typename Handler>
QAction *command(QMenu *menu, const char *name, const QString &text, const QKeySequence &keys, Handler handler)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1StringView(name));
    action->setShortcut(keys);
    QObject::connect(action, &QAction::triggered, menu, handler);
    return action;
}
} // namespace

void Form1::buildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    // Shortcuts work without a window manager's native menu bar, too.
    m_menuBar->setNativeMenuBar(false);

    m_dateiMenu = m_menuBar->addMenu(QStringLiteral("&Datei"));
    m_dateiMenu->setObjectName(QStringLiteral("mnuDatei"));
    command(m_dateiMenu, "mnuLaden", QStringLiteral("&Laden"), QKeySequence::Open, [this] { Command8_Click(); });
    command(m_dateiMenu, "mnuSpeichern", QStringLiteral("&Speichern"), QKeySequence::Save,
            [this] { Command7_Click(); });
    command(m_dateiMenu, "mnuDateiSuchen", QStringLiteral("Datei s&uchen …"), QKeySequence::Find,
            [this] { Command9_Click(); });
    command(m_dateiMenu, "mnuDrucken", QStringLiteral("&Drucken …"), QKeySequence::Print, [this] { Command6_Click(); });
    m_dateiMenu->addSeparator();
    addExportActions(m_dateiMenu);
    m_dateiMenu->addSeparator();
    // The platform's own quit key is missing outside the big desktops.
    command(m_dateiMenu, "mnuBeenden", QStringLiteral("&Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q),
            [this] { Command5_Click(); });

    QMenu *monat = m_menuBar->addMenu(QStringLiteral("&Monat"));
    monat->setObjectName(QStringLiteral("mnuMonat"));
    command(monat, "mnuAbschliessen", QStringLiteral("&Abschließen …"), QKeySequence(),
            [this] { Abschliessen_Click(); });
    command(monat, "mnuStorno", QStringLiteral("&Storno"), QKeySequence(), [this] { Storno_Click(); });
    command(monat, "mnuProtokoll", QStringLiteral("Änderungs&protokoll"), QKeySequence(),
            [this] { Protokoll_Click(); });
    // Ctrl+K alone deletes to the line's end in the editor box.
    command(monat, "mnuKassensturz", QStringLiteral("&Kassensturz …"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K),
            [this] { Kassensturz_Click(); });

    QMenu *hilfe = m_menuBar->addMenu(QStringLiteral("&Hilfe"));
    hilfe->setObjectName(QStringLiteral("mnuHilfe"));
    command(hilfe, "mnuHandbuch", QStringLiteral("&Handbuch"), QKeySequence::HelpContents,
            [this] { Handbuch_Click(); });
    command(hilfe, "mnuUeber", QStringLiteral("Über &Barlog"), QKeySequence(), [this] { Ueber_Click(); });

    // The window grows by the menu bar; the design below it keeps its size.
    Design::setClientTop(this, m_menuBar->sizeHint().height());
}

void Form1::buildStatusLine()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusText = new QLabel(m_statusBar);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    m_unsavedMark = new QLabel(m_statusBar);
    m_unsavedMark->setObjectName(QStringLiteral("unsavedMark"));
    m_statusBar->addWidget(m_statusText, 1);
    m_statusBar->addPermanentWidget(m_unsavedMark);
    // The window grows by the status line, too; the design keeps its place.
    Design::setClientBottom(this, m_statusBar->sizeHint().height());
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int top = m_menuBar->sizeHint().height();
    const int bottom = m_statusBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, width(), top);
    m_content->setGeometry(0, top, width(), height() - top - bottom);
    m_statusBar->setGeometry(0, height() - bottom, width(), bottom);
}

void Form1::showStatus(const QString &text)
{
    m_statusText->setText(text);
}

void Form1::markUnsaved(bool unsaved)
{
    m_unsavedMark->setText(StatusText::unsavedMark(unsaved));
}

QString Form1::statusText() const
{
    return m_statusText->text();
}

QString Form1::unsavedMark() const
{
    return m_unsavedMark->text();
}

void Form1::Ueber_Click()
{
    MessageBox::info(this,
                     QStringLiteral("Barlog %1, das Kassenbuch für kleine Betriebe.\r\n\r\nJede Speicherung hält "
                                    "fest, was sich geändert hat; abgeschlossene Monate bleiben unverändert, und "
                                    "Fehler werden durch Storno-Buchungen berichtigt.\r\n\r\nDie Bücher liegen in "
                                    "%2")
                         .arg(QStringLiteral(BARLOG_VERSION), QDir::toNativeSeparators(m_programFolder)),
                     QStringLiteral("Über Barlog"));
}

Handbuch *Form1::handbuch()
{
    if (!m_handbuch)
        m_handbuch = std::make_unique<Handbuch>();
    return m_handbuch.get();
}

void Form1::Handbuch_Click()
{
    bringUp(handbuch());
}
