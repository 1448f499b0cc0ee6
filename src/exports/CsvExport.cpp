#include "exports/CsvExport.h"

#include "editing/GermanNumbers.h"
#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"

#include <QStringList>

namespace CsvExport {
namespace {
const QString Separator = QStringLiteral(";");
const QString LineEnd = QStringLiteral("\r\n");
constexpr char Bom[] = "\xEF\xBB\xBF";
constexpr qsizetype CentDigits = 2;

// A text that a spreadsheet would run as a formula gets an apostrophe in
// front, which makes it plain text there: the usual guard against CSV
// injection.
QString textField(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        return u'\'' + text;
    return text;
}

// An amount in display form loses its grouping dots: a spreadsheet set to a
// decimal comma may take "1.234,56" for text. Anything else is text.
QString amountField(const QString &text)
{
    const std::optional<German::NumberParts> parts = German::splitNumber(text);
    if (!parts || parts->fraction.size() != CentDigits)
        return textField(text);
    QString plain = text.trimmed();
    plain.remove(u'.');
    return plain;
}

bool rowHoldsAnything(const FlexGridStore &sheet, int row)
{
    for (int c = 0; c < modul::ColCount; ++c) {
        if (!sheet.textMatrix(row, c).isEmpty())
            return true;
    }
    return false;
}

QString line(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted << field(f);
    return quoted.join(Separator) + LineEnd;
}
} // namespace

QString field(const QString &text)
{
    const bool needsQuotes = text.contains(u';') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')
                             || text.startsWith(u' ') || text.endsWith(u' ');
    if (!needsQuotes)
        return text;
    QString inner = text;
    inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QByteArray write(const FlexGridStore &sheet)
{
    QStringList headings;
    for (int c = 0; c < modul::ColCount; ++c)
        headings << modul::heading(c);
    for (int i = 1; i <= modul::RateCount; ++i)
        headings << QStringLiteral("Steuersatz %1").arg(i);
    QString text = line(headings);

    for (int r = modul::RowUebertrag; r < sheet.rows(); ++r) {
        if (!rowHoldsAnything(sheet, r))
            continue;
        QStringList fields;
        for (int c = 0; c < modul::ColCount; ++c) {
            const QString &cell = sheet.textMatrix(r, c);
            fields << (c <= modul::LastAmountCol ? amountField(cell) : textField(cell));
        }
        for (int i = 0; i < modul::RateCount; ++i) {
            const bool hasIncome = !sheet.textMatrix(r, modul::ColEinnahmen1 + i).isEmpty();
            fields << (hasIncome ? textField(sheet.textMatrix(modul::RowRates, modul::ColEinnahmen1 + i)) : QString());
        }
        text += line(fields);
    }
    return QByteArray(Bom) + text.toUtf8();
}

} // namespace CsvExport
