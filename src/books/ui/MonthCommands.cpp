#include "books/ui/MonthCommands.h"

#include "books/CashCount.h"
#include "books/MonthAudit.h"
#include "books/MonthClosing.h"
#include "books/MonthStorage.h"
#include "books/ui/CrashRecovery.h"
#include "books/ui/MonthFiles.h"
#include "editing/Storno.h"
#include "editing/ui/SheetEditor.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthPath.h"

#include <QComboBox>
#include <QFileInfo>

namespace {
const QString br2 = QStringLiteral("\r\n\r\n");
} // namespace

MonthCommands::MonthCommands(QWidget &window, const QString &programFolder, const Controls &controls,
                             SheetEditor &editor, MonthFiles &files, CrashRecovery &recovery)
    : m_window(window),
      m_programFolder(programFolder),
      m_controls(controls),
      m_editor(editor),
      m_files(files),
      m_recovery(recovery)
{
}

void MonthCommands::closeMonth()
{
    const QString year = m_controls.year.currentText();
    const QString month = m_controls.month.currentText();
    const QString label = monthLabel(year, month);
    const MonthPath where = monthFilePath(m_programFolder, year, month);
    if (!where.ok()) {
        MessageBox::info(&m_window, where.problem);
        return;
    }
    if (m_recovery.sheetDiffersFromSaved()) {
        MessageBox::info(&m_window, QStringLiteral("Der Monat %1 hat Änderungen, die nicht gespeichert sind. Bitte "
                                                   "zuerst speichern, dann abschließen.")
                                        .arg(label));
        return;
    }
    // A month whose last bookings were never counted may still be closed,
    // but not without a word.
    QString question = MonthClosing::question(label);
    MonthContents file;
    if (MonthDatabase::readMonth(where.path, file).ok() && CashCount::uncountedSinceLastBooking(file))
        question += br2 + CashCount::uncountedNote();
    // A close cannot be undone: Return declines it.
    if (MessageBox::show(&m_window, question, MessageBox::Buttons::YesNo, QStringLiteral("Monat abschließen"),
                         MessageBox::Answer::No)
        == MessageBox::Answer::No)
        return;
    if (const QString error = MonthClosing::close(m_programFolder, where.path, label); !error.isEmpty()) {
        MessageBox::info(&m_window, error);
        return;
    }
    if (m_files.shownPath() != where.path)
        return;
    if (const std::optional<QString> since = MonthStorage::closedSince(m_programFolder, year, month)) {
        FlexGridStore &sheet = m_controls.sheet.store();
        sheet.setTextMatrix(modul::RowRates, modul::ColMonthLabel, label);
        sheet.setTextMatrix(modul::RowRates, modul::ColText, MonthClosing::sheetNote(*since));
        m_recovery.sheetMatchesFile();
    }
}

void MonthCommands::storno()
{
    FlexGridStore &sheet = m_controls.sheet.store();
    const QDate today = Clock::today();
    const std::optional<QStringList> reversal = modul::reversalRow(sheet, sheet.row(), today);
    if (!reversal) {
        MessageBox::info(&m_window, QStringLiteral("Bitte zuerst die Buchungszeile anklicken, die storniert werden "
                                                   "soll. Sie muss einen Betrag haben."));
        return;
    }
    // A reversal is booked for good: the row is named first, and Return declines.
    if (MessageBox::show(&m_window, modul::reversalQuestion(sheet, sheet.row()), MessageBox::Buttons::YesNo,
                         QStringLiteral("Storno"), MessageBox::Answer::No)
        == MessageBox::Answer::No)
        return;
    const QString year = today.toString(QStringLiteral("yyyy"));
    const QString month = today.toString(QStringLiteral("MM"));
    const QString label = monthLabel(year, month);
    if (MonthStorage::closedSince(m_programFolder, year, month)) {
        MessageBox::info(&m_window, QStringLiteral("Der laufende Monat %1 ist abgeschlossen. Ein Storno gehört in "
                                                   "einen offenen Monat.")
                                        .arg(label));
        return;
    }
    const QString target = monthFilePath(m_programFolder, year, month).path;
    if (m_files.shownPath() != target) {
        // Unsaved work would be lost: Return keeps it.
        if (m_recovery.sheetDiffersFromSaved()
            && MessageBox::show(&m_window,
                                QStringLiteral("Das Storno kommt in den laufenden Monat %1, den Barlog dafür lädt. Was "
                                               "im angezeigten Monat nicht gespeichert ist, geht dabei verloren.")
                                        .arg(label)
                                    + br2 + QStringLiteral("Trotzdem fortfahren ?"),
                                MessageBox::Buttons::YesNo, QStringLiteral("Storno"), MessageBox::Answer::No)
                   == MessageBox::Answer::No)
            return;
        m_controls.year.setEditText(year);
        m_controls.month.setEditText(month);
        m_files.load(true);
        if (m_files.shownPath() != target)
            return;
    }
    m_editor.appendEntry(*reversal);
}

MonthCommands::LogView MonthCommands::shownLog() const
{
    const QString path = m_files.shownPath();
    const MonthYear named = monthYearFromFileName(QFileInfo(path).fileName());
    LogView view{monthLabel(named.year, named.month), {}, {}, {}};
    if (!FileExists(path)) {
        view.status = QStringLiteral("Dieser Monat ist noch nicht gespeichert und hat daher noch kein "
                                     "Änderungsprotokoll.");
        return view;
    }
    MonthContents month;
    if (const DbStatus status = MonthDatabase::readMonth(path, month); !status.ok()) {
        view.status = status.report();
        return view;
    }
    view.entries = month.log;
    view.counts = month.counts;
    view.rates = MonthAudit::rateTexts(month.records);
    if (!month.logged) {
        view.status = QStringLiteral("Diese Datei stammt aus der Zeit vor dem Änderungsprotokoll; es beginnt mit "
                                     "dem nächsten Speichern.");
        return view;
    }
    const MonthAudit::Finding finding = MonthAudit::check(month);
    view.status =
        MonthAudit::intact(finding)
            ? QStringLiteral("%1 Einträge%2; die Kette ist vollständig und passt zu den Buchungen.")
                  .arg(month.log.size())
                  .arg(month.counts.empty()       ? QString()
                       : month.counts.size() == 1 ? QStringLiteral(" und 1 Kassenzählung")
                                                  : QStringLiteral(" und %1 Kassenzählungen").arg(month.counts.size()))
            : QStringLiteral("Die Datei wurde außerhalb von Barlog verändert. ") + MonthAudit::describe(month, finding);
    if (month.closed)
        view.status += QStringLiteral(" Abgeschlossen am %1.").arg(ChangeLog::displayTime(month.closed->time));
    return view;
}
