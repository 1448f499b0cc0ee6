#include "books/CashCountStore.h"

#include "books/CarryOver.h"
#include "books/CashCount.h"
#include "books/ChainRegister.h"
#include "books/ChangeLog.h"
#include "books/MonthClosing.h"
#include "editing/GermanNumbers.h"
#include "platform/FileSystem.h"
#include "storage/MonthDatabase.h"

#include <QFileInfo>

namespace CashCountStore {
namespace {
const QString br2 = QStringLiteral("\r\n\r\n");

Result refused(const QString &why)
{
    return {QStringLiteral("Die Kassenzählung wurde nicht gespeichert.") + br2 + why, {}};
}
} // namespace

Result store(const QString &programFolder, const QString &path, const QString &label, const CashCount::Count &count,
             const modul::RateTexts &rates)
{
    if (!FileExists(path))
        return refused(
            QStringLiteral("Der Monat %1 ist noch nicht gespeichert. Bitte zuerst den Monat speichern, dann zählen.")
                .arg(label));
    MonthContents file;
    if (const DbStatus status = MonthDatabase::readMonth(path, file, LogRead::LastEntry); !status.ok())
        return refused(status.description);
    if (const std::optional<QString> since = MonthClosing::closedSince(programFolder, label, file))
        return refused(
            QStringLiteral("Der Monat %1 ist seit dem %2 abgeschlossen und nimmt keine Kassenzählung mehr an.")
                .arg(label, ChangeLog::displayTime(*since)));
    // The chain goes on only where the file still has all of it.
    if (file.logTableMissing || file.countTableMissing)
        return refused(QStringLiteral("Die Datei „%1“ wurde außerhalb von Barlog verändert: ihr %2 fehlt.")
                           .arg(QFileInfo(path).fileName(), file.logTableMissing
                                                                ? QStringLiteral("Änderungsprotokoll")
                                                                : QStringLiteral("Verzeichnis der Kassenzählungen")));
    const qint64 balance = CarryOver::closingOf(file.records, rates).balance;
    if (balance != count.bookBalance)
        return refused(QStringLiteral("Die Zählung wurde mit dem Bestand %1 verglichen, der gespeicherte Monat %2 "
                                      "endet aber mit %3. Bitte den Monat speichern oder neu laden und erneut zählen.")
                           .arg(German::formatCents(count.bookBalance), label, German::formatCents(balance)));

    const QString now = ChangeLog::timeNow();
    MonthContents next;
    // A file without a log yet: the count follows its rows.
    const ChangeLog::Link head = ChangeLog::carryOn(file, path, now, next);
    CashCount::Count stored = CashCount::taken(count.pieces, balance, count.countedBy, count.note, now);
    ChangeLog::chain(stored, head);
    next.counts = {stored};
    if (const QString error = ChainRegister::writeMonth(programFolder, label, path, next); !error.isEmpty())
        return refused(error);
    return {{}, stored};
}

} // namespace CashCountStore
