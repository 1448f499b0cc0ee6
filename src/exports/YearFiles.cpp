#include "exports/YearFiles.h"

#include "books/MonthStorage.h"
#include "editing/Modul.h"
#include "platform/FileSystem.h"
#include "storage/MonthPath.h"

namespace YearFiles {

std::array<Month, MonthCount> read(const QString &programFolder, int year)
{
    std::array<Month, MonthCount> months;
    const QString yearText = QString::number(year);
    for (int m = 1; m <= MonthCount; ++m) {
        Month &month = months[static_cast<size_t>(m - 1)];
        month.month = m;
        const QString monthText = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
        const QString path = monthFilePath(programFolder, yearText, monthText).path;
        month.present = FileExists(path);
        if (!month.present)
            continue;
        // The sheet's shape: the two heading rows fixed, ten columns.
        month.sheet = FlexGridStore(modul::FirstEntryRow + 2, modul::ColCount, modul::RowUebertrag, 0);
        // A month file without records has no rates of its own to show.
        const DbStatus status =
            MonthStorage::GetRowsTest(month.sheet, path, JournalTable::tableName(), modul::defaultRateTexts());
        if (!status.ok()) {
            month.problem = status.report();
            continue;
        }
        modul::BestandBerechnen(month.sheet);
    }
    return months;
}

} // namespace YearFiles
