#include "books/ui/MonthFiles.h"

#include "books/StatusText.h"
#include "platform/Clock.h"

#include "books/MonthStorage.h"
#include "editing/KeyCodes.h"
#include "editing/NegativeCash.h"
#include "editing/ui/SheetEditor.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "storage/MonthPath.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace {
const QString SaveTitle = QStringLiteral("Speichern");

// returnAnswer is the button Return presses.
bool answeredNo(QWidget *parent, const QString &question, MessageBox::Answer returnAnswer)
{
    return MessageBox::show(parent, question, MessageBox::Buttons::YesNo, SaveTitle, returnAnswer)
           == MessageBox::Answer::No;
}
} // namespace

MonthFiles::MonthFiles(QWidget &window, const QString &programFolder, const Controls &controls, SheetEditor &editor,
                       const modul::RateTexts &rates)
    : m_window(window),
      m_programFolder(programFolder),
      m_controls(controls),
      m_editor(editor),
      m_rates(rates)
{
}

bool MonthFiles::sheetReplaced(const QString &message)
{
    if (!message.isEmpty()) {
        // Over the window the user works in, which may be the open-file window.
        QWidget *active = QApplication::activeWindow();
        MessageBox::info(active != nullptr ? active : &m_window, message);
        return false;
    }
    // The editor still holds what was typed for the month that is gone; it
    // must never be committed into the loaded one.
    m_editor.editorTakesCurrentCell();
    return true;
}

void MonthFiles::shown(const QString &path, const QString &warning, bool fromFile)
{
    m_shownPath = path;
    m_fromShownFile = fromFile;
    if (sheetMatchesFile)
        sheetMatchesFile();
    if (!warning.isEmpty()) {
        QWidget *active = QApplication::activeWindow();
        MessageBox::info(active != nullptr ? active : &m_window, warning);
    }
}

QString MonthFiles::shownPath() const
{
    if (!m_shownPath.isEmpty())
        return m_shownPath;
    return monthFilePath(m_programFolder, m_controls.year.currentText(), m_controls.month.currentText()).path;
}

void MonthFiles::sheetRestored()
{
    m_shownPath.clear();
    m_fromShownFile = false;
}

void MonthFiles::completeMonthSelector()
{
    const QString typed = m_controls.month.currentText();
    if (const QString completed = completedMonth(typed); completed != typed)
        m_controls.month.setEditText(completed);
}

bool MonthFiles::loadRecords(const QString &datenbank, const QString &tabelle)
{
    const DbStatus status = MonthStorage::GetRowsTest(m_controls.sheet.store(), datenbank, tabelle, m_rates);
    return sheetReplaced(status.ok() ? QString() : status.report());
}

void MonthFiles::save()
{
    // The amount being typed is part of the month; one that is refused
    // stays in the editor, and nothing is saved.
    if (!m_editor.settleForReading())
        return;
    completeMonthSelector();

    const QString year = m_controls.year.currentText();
    const QString month = m_controls.month.currentText();
    const FlexGridStore &sheet = m_controls.sheet.store();
    const MonthStorage::SavePlan plan = MonthStorage::planSave(sheet, m_programFolder, year, month);
    if (!plan.ok()) {
        MessageBox::info(&m_window, plan.message);
        return;
    }
    if (const std::optional<modul::NegativeRow> negative = modul::firstNegativeRow(sheet);
        negative && answeredNo(&m_window, modul::negativeCashQuestion(*negative), MessageBox::Answer::No))
        return;
    if (plan.replaces) {
        // Only the file the sheet was loaded from is replaced as a matter of course.
        // The same file, however its path was written ("Datei suchen" gives its own).
        const bool loadedFile = m_fromShownFile && QFileInfo(m_shownPath) == QFileInfo(plan.path);
        if (loadedFile
                ? answeredNo(&m_window, replaceQuestion(year, month), MessageBox::Answer::Yes)
                : answeredNo(&m_window,
                             MonthStorage::foreignReplaceQuestion(
                                 year, month, MonthStorage::bookingsLeaving(plan.previous.records, plan.records)),
                             MessageBox::Answer::No))
            return;
    }
    if (const QString error = MonthStorage::save(plan); !error.isEmpty()) {
        MessageBox::info(&m_window, error);
        return;
    }
    shown(plan.path, QString(), true);
    if (saved)
        saved(StatusText::saved(QStringLiteral("%1-%2").arg(year, month), StatusText::bookings(sheet),
                                Clock::now().time()));
}

void MonthFiles::load(bool startMissing)
{
    completeMonthSelector();
    FlexGridStore &g = m_controls.sheet.store();
    const MonthStorage::LoadResult result = MonthStorage::loadMonth(
        g, m_programFolder, m_controls.year.currentText(), m_controls.month.currentText(), m_rates, startMissing);
    m_controls.path.setText(result.path);
    // A month that did not load leaves the sheet and the cursor as they were.
    if (!sheetReplaced(result.message))
        return;
    m_controls.sheet.setFocus();
    g.setRow(modul::FirstEntryRow);
    g.setCol(modul::ColEinnahmen1);
    m_editor.keyDown(KeyCode::Space);
    shown(result.path, result.warning, result.fileRead);
}

bool MonthFiles::open(const QString &path, const QString &chosenName)
{
    // The month comes from the file list's entry, also when a path was typed.
    const MonthYear chosen = monthYearFromFileName(chosenName);
    const MonthStorage::LoadResult result = MonthStorage::openMonth(m_controls.sheet.store(), m_programFolder, path,
                                                                    monthLabel(chosen.year, chosen.month), m_rates);
    // A file that did not load names no month: the selectors keep theirs, so
    // the next save cannot file the unchanged sheet under that name.
    if (!sheetReplaced(result.message))
        return false;
    m_controls.month.setEditText(chosen.month);
    m_controls.year.setEditText(chosen.year);
    m_editor.recalculate();
    shown(path, result.warning, true);
    return true;
}
