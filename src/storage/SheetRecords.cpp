#include "storage/SheetRecords.h"

#include "platform/FlexGridStore.h"

#include <algorithm>

namespace SheetRecords {
namespace {
// The headings, the rates row, the carry-over row, the first entry row and
// the new-entry row, as start-up lays the sheet out.
constexpr int StartupRows = modul::FirstEntryRow + 2;

// What start-up lays out in rows 1 and 2 when no month is loaded; the entry
// rows below them are laid out empty.
Records startupRecords(const modul::RateTexts &rates)
{
    Record rateRecord(JournalTable::fieldCount);
    for (int c = 0; c < modul::RateCount; ++c)
        rateRecord[modul::ColEinnahmen1 + c] = rates[static_cast<size_t>(c)];
    Record carryOver(JournalTable::fieldCount);
    carryOver[modul::ColText] = JournalTable::carryOverText();
    return {rateRecord, carryOver};
}

QString cellText(const Record &record, int column)
{
    if (column >= record.size())
        return {};
    const QString &value = record.at(column);
    return value == JournalTable::blankCell() ? QString() : value;
}
} // namespace

Records fromSheet(const FlexGridStore &sheet)
{
    // Rows after the last entry hold at most a worked-out balance and receipt
    // number, the new-entry row among them: they book nothing and are not
    // stored, so a load followed by a save gives back the very same records.
    int last = std::min(modul::RowUebertrag, sheet.rows() - 1);
    for (int r = sheet.rows() - 1; r >= modul::FirstEntryRow; --r) {
        if (modul::holdsEntry(sheet, r)) {
            last = r;
            break;
        }
    }
    Records records;
    records.reserve(static_cast<size_t>(std::max(last, 0)));
    for (int r = 1; r <= last; ++r) {
        Record record;
        record.reserve(JournalTable::fieldCount);
        for (int c = 0; c < JournalTable::fieldCount; ++c) {
            const QString &text = sheet.textMatrix(r, c);
            record << (text.isEmpty() ? JournalTable::blankCell() : text);
        }
        records.push_back(std::move(record));
    }
    return records;
}

QStringList lengthProblems(const Records &records)
{
    QStringList problems;
    for (size_t i = 0; i < records.size(); ++i) {
        const Record &record = records[i];
        for (int c = 0; c < JournalTable::fieldCount && c < record.size(); ++c) {
            const int limit = JournalTable::fields[static_cast<size_t>(c)].maxLength;
            if (JournalTable::characterCount(record.at(c)) > limit)
                problems << QStringLiteral("Zeile %1, Spalte %2: höchstens %3 Zeichen")
                                .arg(i + 1)
                                .arg(JournalTable::fieldName(c))
                                .arg(limit);
        }
    }
    return problems;
}

void load(FlexGridStore &sheet, const Records &records, const modul::RateTexts &rates)
{
    const Records startup = records.empty() ? startupRecords(rates) : Records{};
    const Records &shown = records.empty() ? startup : records;
    const int count = static_cast<int>(shown.size());
    // A month saved before its first entry still gets the first entry row.
    const int rows = std::max(count + 2, StartupRows);
    sheet.setRows(rows);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < sheet.cols(); ++c)
            sheet.setTextMatrix(i + 1, c, cellText(shown[static_cast<size_t>(i)], c));
    }
    for (int r = count + 1; r < rows; ++r) {
        for (int c = 0; c < sheet.cols(); ++c)
            sheet.setTextMatrix(r, c, QString());
    }
}

} // namespace SheetRecords
