#include "books/ui/CashCounts.h"

#include "books/CarryOver.h"
#include "books/ui/CrashRecovery.h"
#include "books/ui/MonthFiles.h"
#include "editing/GermanNumbers.h"
#include "editing/ui/SheetEditor.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthPath.h"
#include "storage/SheetRecords.h"
#include "storage/ShopData.h"

#include <QFileInfo>

CashCounts::CashCounts(QWidget &window, const QString &programFolder, FlexGrid &sheet, SheetEditor &editor,
                       MonthFiles &files, CrashRecovery &recovery,
                       std::function<CashCount::DifferenceAccounts()> accounts)
    : m_window(window),
      m_programFolder(programFolder),
      m_sheet(sheet),
      m_editor(editor),
      m_files(files),
      m_recovery(recovery),
      m_accounts(std::move(accounts))
{
}

modul::RateTexts CashCounts::sheetRates() const
{
    const FlexGridStore &sheet = m_sheet.store();
    modul::RateTexts rates;
    for (int c = 0; c < modul::RateCount; ++c)
        rates[static_cast<size_t>(c)] = sheet.textMatrix(modul::RowRates, modul::ColEinnahmen1 + c);
    return rates;
}

CashCounts::Shown CashCounts::shown()
{
    m_editor.settleForReading();
    const QString path = m_files.shownPath();
    const MonthYear named = monthYearFromFileName(QFileInfo(path).fileName());
    Shown s;
    s.label = monthLabel(named.year, named.month);
    s.path = path;
    // The same reckoning as the store's, which compares it with the file.
    s.balance = CarryOver::closingOf(SheetRecords::fromSheet(m_sheet.store()), sheetRates()).balance;
    if (FileExists(path)) {
        if (const DbStatus status = MonthDatabase::readCounts(path, s.counts); !status.ok())
            s.problem = status.report();
    }
    return s;
}

CashCountStore::Result CashCounts::store(const CashCount::Count &count)
{
    const QDate today = Clock::today();
    const QString year = today.toString(QStringLiteral("yyyy"));
    const QString month = today.toString(QStringLiteral("MM"));
    const QString label = monthLabel(year, month);
    const MonthPath target = monthFilePath(m_programFolder, year, month);
    const auto refused = [](const QString &why) {
        return CashCountStore::Result{QStringLiteral("Die Kassenzählung wurde nicht gespeichert.\r\n\r\n") + why, {}};
    };
    if (m_files.shownPath() != target.path)
        return refused(QStringLiteral("Sie gehört in den laufenden Monat %1, das Kassenbuch zeigt aber einen anderen "
                                      "Monat. Bitte den Monat %1 laden und erneut zählen.")
                           .arg(label));
    if (m_recovery.sheetDiffersFromSaved())
        return refused(QStringLiteral("Der Monat %1 hat Änderungen, die nicht gespeichert sind. Bitte zuerst den "
                                      "Monat speichern, dann die Zählung.")
                           .arg(label));
    return CashCountStore::store(m_programFolder, target.path, label, count, sheetRates());
}

void CashCounts::offerBooking(QWidget *parent, const CashCount::Count &stored)
{
    const bool shortage = stored.difference < 0;
    const QString amount = German::formatCents(shortage ? -stored.difference : stored.difference);
    const QString question =
        shortage ? QStringLiteral("Die Zählung ergibt einen Fehlbetrag von %1 €. Soll er als Ausgabe gebucht werden ?")
                       .arg(amount)
                 : QStringLiteral("Die Zählung ergibt einen Überschuss von %1 €. Soll er als Einnahme gebucht werden ?")
                       .arg(amount);
    const int column = CashCount::surplusColumn(ShopDataFile(m_programFolder).load().surplusColumn, sheetRates());
    const std::optional<QStringList> row = CashCount::differenceRow(stored, column, m_accounts(), Clock::today());
    if (!row
        || MessageBox::show(parent,
                            question
                                + QStringLiteral("\r\n\r\nDie Buchung kommt als neue Zeile ins Kassenbuch und "
                                                 "wird mit dem Monat gespeichert."),
                            MessageBox::Buttons::YesNo, QStringLiteral("Kassensturz"))
               == MessageBox::Answer::No)
        return;
    m_editor.appendEntry(*row);
    m_window.activateWindow();
}
