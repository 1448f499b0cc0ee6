#include "exports/AuditYear.h"

#include "books/CarryOver.h"
#include "books/MonthAudit.h"
#include "books/MonthClosing.h"
#include "editing/Modul.h"
#include "platform/FileSystem.h"
#include "storage/DatabaseFormat.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthPath.h"
#include "storage/SheetRecords.h"

namespace AuditYear {
namespace {
QString monthText(int month)
{
    return QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

// What a load would tell about the file beyond its own chain: a month the
// register knows as closed whose file is not the closed version. Asked only
// for months the register names: for the others the check would write a
// missing register line, and an export changes nothing.
QString registerProblem(const QString &programFolder, const Month &m, bool noted)
{
    if (!noted || MonthClosing::checkRegister(programFolder, m.label, m.file).isEmpty())
        return {};
    return QStringLiteral("Die Datei ist nicht die Fassung, die beim Abschluss gespeichert war.");
}

void readMonth(const QString &programFolder, const QString &path, bool noted, Month &m)
{
    m.jet = probeDatabaseFile(path).format == DatabaseFormat::Jet;
    if (const DbStatus status = MonthDatabase::readMonth(path, m.file); !status.ok()) {
        m.unreadable = status.report();
        // Often the journal still reads when the log or the counts do not.
        Records records;
        if (MonthDatabase::readRecords(path, JournalTable::tableName(), records).ok())
            m.file.records = std::move(records);
    } else {
        const MonthAudit::Finding finding = MonthAudit::check(m.file);
        m.tampered = MonthAudit::describe(m.file, finding);
        if (m.tampered.isEmpty())
            m.tampered = registerProblem(programFolder, m, noted);
    }
    m.sheet = FlexGridStore(modul::FirstEntryRow + 2, modul::ColCount, modul::RowUebertrag, 0);
    SheetRecords::load(m.sheet, m.file.records, modul::defaultRateTexts());
    modul::BestandBerechnen(m.sheet);
}

std::optional<qint64> closingBefore(const QString &programFolder, int year)
{
    const QString path = monthFilePath(programFolder, QString::number(year - 1), QStringLiteral("12")).path;
    Records records;
    if (!FileExists(path) || !MonthDatabase::readRecords(path, JournalTable::tableName(), records).ok())
        return std::nullopt;
    return CarryOver::closingOf(records, modul::defaultRateTexts()).balance;
}
} // namespace

Year read(const QString &programFolder, int year)
{
    Year y;
    y.year = year;
    const QString yearText = QString::number(year);
    for (int i = 0; i < YearFiles::MonthCount; ++i) {
        Month &m = y.months[static_cast<size_t>(i)];
        m.month = i + 1;
        m.label = monthLabel(yearText, monthText(m.month));
        const QString path = monthFilePath(programFolder, yearText, monthText(m.month)).path;
        m.present = FileExists(path);
        const std::optional<MonthClosing::Noted> noted = MonthClosing::noted(programFolder, m.label);
        if (m.present)
            readMonth(programFolder, path, noted.has_value(), m);
        else if (noted)
            m.tampered = QStringLiteral("Die Datei fehlt, obwohl der Monat am %1 abgeschlossen wurde.")
                             .arg(ChangeLog::displayTime(noted->mark.time));
        if (m.file.closed)
            m.close = m.file.closed;
        else if (noted)
            m.close = noted->mark;
    }
    y.closingBefore = closingBefore(programFolder, year);
    return y;
}

QStringList openMonths(const Year &year)
{
    QStringList open;
    for (const Month &m : year.months) {
        if (m.present && !m.closed())
            open << m.label;
    }
    return open;
}

QStringList problems(const Year &year)
{
    QStringList lines;
    for (const Month &m : year.months) {
        if (!m.unreadable.isEmpty())
            lines << QStringLiteral("%1: %2 (%3)")
                         .arg(m.label,
                              m.file.records.empty() ? QStringLiteral("nicht lesbar")
                                                     : QStringLiteral("nur die Buchungen lesbar"),
                              m.unreadable.simplified());
        if (!m.tampered.isEmpty())
            lines << QStringLiteral("%1: außerhalb von Barlog verändert. %2").arg(m.label, m.tampered);
    }
    return lines;
}

QStringList unlogged(const Year &year)
{
    QStringList lines;
    for (const Month &m : year.months) {
        if (m.unlogged())
            lines << QStringLiteral("%1 (%2)").arg(m.label,
                                                   m.jet ? QStringLiteral("Datei des Windows-Programms")
                                                         : QStringLiteral("gespeichert vor dem Änderungsprotokoll"));
    }
    return lines;
}

} // namespace AuditYear
