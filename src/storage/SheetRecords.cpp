#include "storage/SheetRecords.h"

#include "platform/FlexGridStore.h"

namespace SheetRecords {
namespace {

// What start-up lays out in rows 1 to 3 when no month is loaded.
Records startupRecords(const modul::RateTexts &rates)
{
    Record rateRecord(JournalTable::fieldCount);
    for (int c = 0; c < modul::RateCount; ++c)
        rateRecord[modul::ColEinnahmen1 + c] = rates[static_cast<size_t>(c)];
    Record carryOver(JournalTable::fieldCount);
    carryOver[modul::ColText] = JournalTable::carryOverText();
    return {rateRecord, carryOver, Record(JournalTable::fieldCount)};
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
    Records records;
    records.reserve(static_cast<size_t>(std::max(sheet.rows() - 1, 0)));
    for (int r = 1; r < sheet.rows(); ++r) {
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
    sheet.setRows(count + 2);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < sheet.cols(); ++c)
            sheet.setTextMatrix(i + 1, c, cellText(shown[static_cast<size_t>(i)], c));
    }
    for (int c = 0; c < sheet.cols(); ++c)
        sheet.setTextMatrix(count + 1, c, QString());
}

} // namespace SheetRecords
