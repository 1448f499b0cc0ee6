#include "books/ui/CrashRecovery.h"

#include "books/ChangeLog.h"
#include "editing/SheetLayout.h"
#include "editing/ui/SheetEditor.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QFile>

#include <algorithm>

CrashRecovery::CrashRecovery(QWidget &window, const QString &programFolder, const Controls &controls,
                             SheetEditor &editor)
    : m_window(window),
      m_path(RecoveryFile::path(programFolder)),
      m_controls(controls),
      m_editor(editor),
      m_writer(m_path)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { keepUp(); });
}

RecoveryFile::Snapshot CrashRecovery::snapshot() const
{
    RecoveryFile::Snapshot now{m_controls.year.currentText(), m_controls.month.currentText(), ChangeLog::timeNow(),
                               RecoveryFile::sheetRows(m_controls.sheet.store())};
    if (const std::optional<SheetEditor::PendingEdit> pending = m_editor.pendingEdit()) {
        const auto row = static_cast<size_t>(pending->row - 1);
        if (row < now.rows.size() && pending->col < now.rows[row].size())
            now.rows[row][pending->col] = pending->text;
    }
    return now;
}

bool CrashRecovery::sheetDiffersFromSaved() const
{
    return !m_saved || snapshot().rows != *m_saved;
}

void CrashRecovery::sheetChanged()
{
    if (m_timer.isActive())
        return;
    const qint64 wait = m_sinceWrite.isValid() ? std::max<qint64>(0, IntervalMs - m_sinceWrite.elapsed()) : 0;
    m_timer.start(static_cast<int>(wait));
}

void CrashRecovery::keepUp()
{
    if (!m_offered)
        return;
    RecoveryFile::Snapshot now = snapshot();
    const bool differs = !m_saved || now.rows != *m_saved;
    if (unsavedChanged)
        unsavedChanged(differs);
    if (!differs) {
        if (m_written) {
            m_writer.remove();
            m_written.reset();
        }
        return;
    }
    if (m_written && m_written->rows == now.rows && m_written->year == now.year && m_written->month == now.month)
        return;
    m_written = now;
    m_writer.write(std::move(now));
    m_sinceWrite.restart();
}

void CrashRecovery::sheetMatchesFile()
{
    m_timer.stop();
    m_saved = snapshot().rows;
    if (unsavedChanged)
        unsavedChanged(false);
    // The month start-up opens comes before the offer: the file from the
    // last run is still to be offered, not removed.
    if (!m_offered)
        return;
    m_written.reset();
    m_writer.remove();
}

void CrashRecovery::discard()
{
    m_timer.stop();
    m_written.reset();
    m_writer.remove();
    m_writer.waitIdle();
}

bool CrashRecovery::offerRestore()
{
    m_offered = true;
    QFile file(m_path);
    if (!file.exists()) {
        m_saved = snapshot().rows;
        return false;
    }
    const std::optional<RecoveryFile::Snapshot> found =
        file.open(QIODevice::ReadOnly) ? RecoveryFile::decode(file.readAll()) : std::nullopt;
    file.close();
    if (!found) {
        // Kept aside, not deleted: whatever is left of it may still help.
        const QString aside = m_path + QStringLiteral(".defekt");
        QFile::remove(aside);
        QFile::rename(m_path, aside);
        MessageBox::info(&m_window, QStringLiteral("Die Wiederherstellungsdatei „%1“ ist beschädigt und lässt sich "
                                                   "nicht einlesen. Sie liegt jetzt unter „%2“.")
                                        .arg(m_path, aside));
        m_saved = snapshot().rows;
        return false;
    }
    if (MessageBox::show(&m_window, RecoveryFile::restoreQuestion(*found), MessageBox::Buttons::YesNo,
                         QStringLiteral("Wiederherstellen"))
        == MessageBox::Answer::No) {
        m_saved = snapshot().rows;
        m_writer.remove();
        m_writer.waitIdle();
        return false;
    }
    m_controls.year.setEditText(found->year);
    m_controls.month.setEditText(found->month);
    FlexGridStore &sheet = m_controls.sheet.store();
    {
        const SheetEditor::IdleCellHandlers idle(m_editor);
        RecoveryFile::restoreInto(sheet, found->rows);
        sheet.setRowCol(modul::FirstEntryRow, modul::ColEinnahmen1);
    }
    m_editor.editorTakesCurrentCell();
    m_editor.recalculate();
    // Restored work differs from every saved state until it is saved itself.
    m_saved.reset();
    m_written = *found;
    return true;
}
