#include "mainwindow/ui/Form1.h"

#include "books/Checksum.h"
#include "books/StatusText.h"
#include "books/ui/Aenderungsprotokoll.h"
#include "books/ui/CashCounts.h"
#include "books/ui/CrashRecovery.h"
#include "books/ui/Kassensturz.h"
#include "books/ui/MonthCommands.h"
#include "books/ui/MonthFiles.h"
#include "dialogs/ui/Einstellungen.h"
#include "dialogs/ui/Form2.h"
#include "dialogs/ui/Handbuch.h"
#include "editing/ui/EditorBox.h"
#include "editing/ui/SheetEditor.h"
#include "exports/DatevSettings.h"
#include "exports/ui/Jahresuebersicht.h"
#include "exports/ui/MonthExports.h"
#include "platform/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PrintOut.h"
#include "storage/JournalTable.h"
#include "storage/MonthPath.h"
#include "storage/ui/QuickKeys.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>

namespace {
const QString ExitQuestion =
    QStringLiteral("Barlog wird beendet. Nicht gespeicherte Daten gehen verloren.  Wirklich beenden ?");
const QString ExitTitle = QStringLiteral("Beenden");
// The answer of Form_Unload that keeps the window open.
constexpr short KeepOpen = 27;

// The settings and open-file windows delete themselves when their close box
// is used; the owner then lets go of them and makes them anew on next use.
template <typename Window>
void forgetWhenDeleted(std::unique_ptr<Window> &owner)
{
    QObject::connect(owner.get(), &QObject::destroyed, [&owner] { static_cast<void>(owner.release()); });
}
} // namespace

// Secondary windows are modeless and have no owner: the main window stays
// usable, and a window already open comes to the front.
void Form1::bringUp(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

Form1::Form1(const QString &programFolder, QWidget *parent)
    : QWidget(parent),
      m_programFolder(programFolder),
      m_rates(modul::defaultRateTexts())
{
    buildDesign();
    m_editor = std::make_unique<SheetEditor>(*this, *flex, *flex2, *Text1);
    std::array<int, modul::ColCount> lengths{};
    for (int c = 0; c < modul::ColCount; ++c)
        lengths[static_cast<size_t>(c)] = JournalTable::fields[static_cast<size_t>(c)].maxLength;
    m_editor->limitCellLengths(lengths);
    m_editor->selectedMonth = [this] { return selectedMonth(Combo2->currentText(), Combo1->currentText()); };
    m_quickKeys = std::make_unique<QuickKeys>(*this, m_programFolder, Command1, *Combo33);
    m_monthFiles = std::make_unique<MonthFiles>(
        *this, m_programFolder, MonthFiles::Controls{*flex, *Combo1, *Combo2, *Text2}, *m_editor, m_rates);
    m_recovery = std::make_unique<CrashRecovery>(*this, m_programFolder,
                                                 CrashRecovery::Controls{*flex, *Combo1, *Combo2}, *m_editor);
    m_monthCommands =
        std::make_unique<MonthCommands>(*this, m_programFolder, MonthCommands::Controls{*flex, *Combo1, *Combo2},
                                        *m_editor, *m_monthFiles, *m_recovery);
    m_cashCounts =
        std::make_unique<CashCounts>(*this, m_programFolder, *flex, *m_editor, *m_monthFiles, *m_recovery, [this] {
            const DatevSettings s = DatevSettingsFile(m_programFolder).load();
            return CashCount::DifferenceAccounts{s.kassenfehlbetrag, s.kassenueberschuss};
        });
    m_printOut = std::make_unique<PrintOut>(
        PrintOut::MainWindow{*this, *flex, *flex2, *Text1, *m_editor, m_rates, m_zellhohe, [this] { Form_Load(); },
                             [this] { return Checksum::printLine(m_monthFiles->shownPath()); }});
    m_exports = std::make_unique<MonthExports>(
        MonthExports::MainWindow{*this, m_programFolder, *flex, *Combo1, *Combo2, *m_editor, *m_printOut});
    connectHandlers();
}

Form1::~Form1()
{
    Form_Terminate();
}

void Form1::connectHandlers()
{
    m_wiring.hook(flex->store().mayLeaveCell, [this] { return m_editor->pendingEditAccepted(); });
    m_wiring.hook(flex->store().leaveCell, [this] { flex_LeaveCell(); });
    m_wiring.hook(flex->store().rowColChange, [this] { flex_RowColChange(); });
    m_wiring.hook(flex->click, [this] { flex_Click(); });
    m_wiring.hook(flex->gotFocus, [this] { flex_GotFocus(); });
    m_wiring.hook(flex->lostFocus, [this] { flex_LostFocus(); });
    m_wiring.hook(flex->keyPress, [this](QKeyEvent *event) { return flex_KeyPress(event); });
    m_wiring.hook(Text1->keyDown, [this](int code) { Text1_KeyDown(code, 0); });
    m_wiring.hook(Text1->lostFocus, [this] { Text1_LostFocus(); });
    connect(Text1, &QLineEdit::textEdited, this, [this] { m_editor->editorTextEdited(); });
    m_wiring.hook(m_editor->changed, [this] { m_recovery->sheetChanged(); });
    m_wiring.hook(m_monthFiles->sheetMatchesFile, [this] { m_recovery->sheetMatchesFile(); });
    m_wiring.hook(m_monthFiles->saved, [this](const QString &status) { showStatus(status); });
    m_wiring.hook(m_exports->written, [this](const QString &status) { showStatus(status); });
    m_wiring.hook(m_recovery->unsavedChanged, [this](bool differs) { markUnsaved(differs); });

    for (size_t i = 0; i < Command1.size(); ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(static_cast<int>(i)); });
    connect(Command2, &QToolButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QToolButton::clicked, this, [this] { Command3_Click(); });
    connect(Combo33, &QComboBox::activated, this, [this] { Combo33_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    connect(Command7, &QToolButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QToolButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QToolButton::clicked, this, [this] { Command9_Click(); });
    connect(Command6, &QToolButton::clicked, this, [this] { Command6_Click(); });
    connect(Command4, &QToolButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
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
        return KeepOpen;
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
    // No further handler runs: the windows go and the event loop ends. The
    // user accepted that unsaved work is lost, so its recovery file goes too.
    m_ended = true;
    m_recovery->discard();
    for (QWidget *window :
         {static_cast<QWidget *>(m_einstellungen.get()), static_cast<QWidget *>(m_form2.get()),
          static_cast<QWidget *>(m_druckerwahl.get()), static_cast<QWidget *>(m_jahresuebersicht.get()),
          static_cast<QWidget *>(m_aenderungsprotokoll.get()), static_cast<QWidget *>(m_kassensturz.get())}) {
        if (window != nullptr)
            window->hide();
    }
    close();
    QCoreApplication::exit(0);
}

Einstellungen *Form1::einstellungen()
{
    if (!m_einstellungen) {
        m_einstellungen = std::make_unique<Einstellungen>(m_programFolder);
        forgetWhenDeleted(m_einstellungen);
        m_einstellungen->saved = [this] { showStatus(StatusText::settingsSaved(Clock::now().time())); };
    }
    return m_einstellungen.get();
}

Form2 *Form1::form2()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(
            [this](const QString &path, const QString &chosenName) { return m_monthFiles->open(path, chosenName); });
        forgetWhenDeleted(m_form2);
    }
    return m_form2.get();
}

Druckerwahl *Form1::druckerwahl()
{
    if (!m_druckerwahl)
        m_druckerwahl = std::make_unique<Druckerwahl>([this] { m_printOut->run(*m_druckerwahl); });
    return m_druckerwahl.get();
}

Aenderungsprotokoll *Form1::aenderungsprotokoll()
{
    if (!m_aenderungsprotokoll)
        m_aenderungsprotokoll = std::make_unique<Aenderungsprotokoll>();
    return m_aenderungsprotokoll.get();
}

Kassensturz *Form1::kassensturz()
{
    if (!m_kassensturz)
        m_kassensturz = std::make_unique<Kassensturz>(
            *m_cashCounts, [this]() -> CurrentPrinter & { return druckerwahl()->currentPrinter(); });
    return m_kassensturz.get();
}

void Form1::Kassensturz_Click()
{
    kassensturz()->showMonth();
    bringUp(kassensturz());
}

void Form1::Protokoll_Click()
{
    const MonthCommands::LogView view = m_monthCommands->shownLog();
    aenderungsprotokoll()->showLog(view.month, view.entries, view.counts, view.status, view.rates);
    bringUp(aenderungsprotokoll());
}

void Form1::Command6_Click()
{
    bringUp(druckerwahl());
}

void Form1::Command9_Click()
{
    bringUp(form2());
}
