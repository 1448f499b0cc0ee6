#include "storage/MonthStorage.h"

#include "platform/FileSystem.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthFileWriter.h"
#include "storage/ProblemList.h"
#include "storage/SheetRecords.h"

namespace MonthStorage {
namespace {
QString lengthMessage(const QStringList &problems)
{
    return problemMessage(
        QStringLiteral("Der Monat wurde nicht gespeichert, denn diese Texte sind zu lang für ihre Felder:"), problems,
        QStringLiteral("Bitte kürzen und erneut speichern."));
}

// Fills in the path of the selectors' month, or the message why they name none.
template <typename Result>
bool locate(Result &result, const QString &programFolder, const QString &year, const QString &month)
{
    const MonthPath where = monthFilePath(programFolder, year, month);
    result.path = where.path;
    result.message = where.problem;
    return where.ok();
}
} // namespace

DbStatus GetRowsTest(FlexGridStore &sheet, const QString &datenbank, const QString &tabelle,
                     const modul::RateTexts &rates)
{
    Records records;
    DbStatus status = MonthDatabase::readRecords(datenbank, tabelle, records);
    if (status.ok())
        SheetRecords::load(sheet, records, rates);
    return status;
}

LoadResult loadMonth(FlexGridStore &sheet, const QString &programFolder, const QString &year, const QString &month,
                     const modul::RateTexts &rates)
{
    LoadResult result;
    if (!locate(result, programFolder, year, month))
        return result;
    if (!FileExists(result.path)) {
        result.message = missingFileMessage();
        return result;
    }
    const DbStatus status = GetRowsTest(sheet, result.path, JournalTable::tableName(), rates);
    if (!status.ok()) {
        result.message = status.report();
        return result;
    }
    sheet.setTextMatrix(modul::RowRates, modul::ColMonthLabel, monthLabel(year, month));
    result.loaded = true;
    return result;
}

QString missingFileMessage()
{
    return QStringLiteral("Datei existiert nicht");
}

SavePlan planSave(const FlexGridStore &sheet, const QString &programFolder, const QString &year, const QString &month)
{
    SavePlan plan;
    if (!locate(plan, programFolder, year, month))
        return plan;
    plan.records = SheetRecords::fromSheet(sheet);
    if (const QStringList problems = SheetRecords::lengthProblems(plan.records); !problems.isEmpty()) {
        plan.message = lengthMessage(problems);
        plan.records.clear();
        return plan;
    }
    plan.replaces = FileExists(plan.path);
    return plan;
}

QString save(const SavePlan &plan)
{
    if (!plan.ok())
        return plan.message;
    return MonthFileWriter::write(plan.path, plan.records);
}

} // namespace MonthStorage
