#!/usr/bin/env bash
# Mutation check of the core rules. Each fault listed below is made, one at a
# time, in a scratch copy of the tree; the core tests are rebuilt and run. A
# fault that no test notices "survives": a rule the tests do not hold.
#
#   tools/mutants.sh [--only ID...] [--list] [--check] [--matrix] [--keep] [--timeout S]
#
# --list prints the faults, --check only tries whether every snippet is still
# found. --matrix runs every core test on each fault instead of stopping at
# the first failure, and ends with each test's kills and the faults that
# only it catches: a test without such faults can go with no loss of score.
# The real tree is never written to. Without network; ccache helps.
set -euo pipefail

usage() {
    sed -n '6p' "$0" | sed 's/^#  *//'
    exit 2
}

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}
only=()
mode=run
keep=0
matrix=0
timeout_s=""
while [ $# -gt 0 ]; do
    case $1 in
    --only)
        shift
        while [ $# -gt 0 ] && [[ $1 != --* ]]; do only+=("$1"); shift; done
        continue ;;
    --list) mode=list ;;
    --check) mode=check ;;
    --matrix) matrix=1 ;;
    --keep) keep=1 ;;
    --timeout) shift; timeout_s=${1:?}; [[ $timeout_s =~ ^[0-9]+$ ]] || usage ;;
    *) usage ;;
    esac
    shift
done

# One fault per block: "ID file[#n] what goes wrong", then "- snippet" and
# "+ replacement". A snippet is exact text of one line without its indent; it
# must occur once in the file, or #n picks its n-th occurrence.
faults() {
    cat <<'EOF'
D01 src/exports/DatevExport.cpp an amount's cents lose their leading zero
- out.number(b.cents % CentsPerEuro, CentDigits);
+ out.number(b.cents % CentsPerEuro);
D02 src/exports/DatevExport.cpp the side does not follow the sign
- b.debit = income == (cents > 0);
+ b.debit = income;
D03 src/exports/DatevExport.cpp a quote inside a text is not doubled
- if (u == u'"')
+ if (u == u'"' && false)
D04 src/exports/DatevExport.cpp a date in another month of the year passes
- if (year != m.year || month != m.month) {
+ if (year != m.year) {
D05 src/exports/DatevExport.cpp the expense is booked without its tax key
- b.taxKey = taxKey != nullptr && !taxKey->isEmpty() ? taxKey : nullptr;
+ b.taxKey = nullptr;
D06 src/exports/DatevExport.cpp a booking line gets one field too many
- out.bytes(';', DatevColumns::Count - 1 - (DatevColumns::Buchungstext + 1));
+ out.bytes(';', DatevColumns::Count - (DatevColumns::Buchungstext + 1));
D07 src/exports/DatevExport.cpp Belegfeld 1 keeps a blank
- case u'_':
+ case u' ':
D08 src/exports/DatevExport.cpp the booking text keeps its line break
- b.text = sheet.textMatrix(r, modul::ColText).simplified().left(MaxText).trimmed();
+ b.text = sheet.textMatrix(r, modul::ColText).left(MaxText).trimmed();
D09 src/exports/DatevExport.cpp a year's refusal does not name the month
- Collector collector(settings, period.from.month() != period.to.month());
+ Collector collector(settings, period.from.year() != period.to.year());
D10 src/exports/DatevExport.cpp a month's period ends on the next month's first
- return {first, first.addMonths(1).addDays(-1),
+ return {first, first.addMonths(1),
D11 src/exports/DatevSettings.cpp the header names the chart with its letters
- return kontenrahmen.right(2);
+ return kontenrahmen;
D12 src/exports/DatevSettings.cpp an empty tax key is refused
- if (!buSchluessel.isEmpty() && (!allDigits(buSchluessel) || buSchluessel.size() > MaxTaxKeyDigits))
+ if (!allDigits(buSchluessel) || buSchluessel.size() > MaxTaxKeyDigits)
D13 src/exports/DatevSettings.cpp the export goes out without a client number
- if (beraternummer.isEmpty() || mandantennummer.isEmpty())
+ if (beraternummer.isEmpty())
C01 src/exports/CsvExport.cpp an amount keeps its grouping dots
- plain.remove(u'.');
+ plain.remove(u' ');
C02 src/exports/CsvExport.cpp a field with a semicolon is not quoted
- const bool needsQuotes = text.contains(u';') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')
+ const bool needsQuotes = text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')
C03 src/exports/CsvExport.cpp a quote inside a field is not doubled
- inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
+ inner.replace(QStringLiteral("\""), QStringLiteral("\""));
C04 src/exports/CsvExport.cpp empty rows are written too
- if (!rowHoldsAnything(sheet, r))
+ if (r < 0)
C05 src/exports/CsvExport.cpp a row without that income still names its rate
- fields << (hasIncome ? textField(sheet.textMatrix(modul::RowRates, modul::ColEinnahmen1 + i)) : QString());
+ fields << textField(sheet.textMatrix(modul::RowRates, modul::ColEinnahmen1 + i));
C06 src/exports/CsvExport.cpp the file lacks its byte order mark
- return QByteArray(Bom) + text.toUtf8();
+ return text.toUtf8();
C07 src/exports/CsvExport.cpp a text beginning with "@" goes out as a formula
- static const QString formulaStarts = QStringLiteral("=+-@\t\r");
+ static const QString formulaStarts = QStringLiteral("=+-\t\r");
C08 src/exports/CsvExport.cpp an amount cell holding no amount goes out as it stands
- return textField(text);
+ return text;
C09 src/exports/CsvExport.cpp a negative amount gets an apostrophe
- return plain;
+ return textField(plain);
O01 src/exports/YearOverview.cpp two columns at the same rate do not add up
- month.income[i]->gross += totals.income[static_cast<size_t>(c)];
+ month.income[i]->gross = totals.income[static_cast<size_t>(c)];
O02 src/exports/YearOverview.cpp the year's VAT is its last month's
- o.yearIncome[i].vat += a.vat;
+ o.yearIncome[i].vat = a.vat;
O03 src/exports/YearOverview.cpp the rates run lowest first
- return a.rate.has_value() && (!b.rate.has_value() || *a.rate > *b.rate);
+ return a.rate.has_value() && (!b.rate.has_value() || *a.rate < *b.rate);
O04 src/exports/YearOverview.cpp the year's balance is its first month's
- if (totals.closingBalance)
+ if (totals.closingBalance && !o.yearClosingBalance)
O05 src/exports/YearOverview.cpp a month without a file shows expenses of 0,00
- row << (m.loaded ? amount(m.expenses) : QString())
+ row << amount(m.expenses)
O06 src/exports/YearOverview.cpp a text that names no rate is split into net and VAT
- const bool split = a && o.rates[i].rate.has_value();
+ const bool split = a.has_value();
O07 src/exports/YearOverview.cpp the year's expenses leave out all but the last month
- o.yearExpenses += totals.expenses;
+ o.yearExpenses = totals.expenses;
O08 src/exports/YearFiles.cpp an expense beside income at the second rate counts
- if (income[1] != 0 || income[2] > 0)
+ if (income[2] > 0)
O09 src/exports/YearFiles.cpp the month's balance starts at nothing, not at its carry-over
- m_balance = centsOf(fields[modul::ColBestand]);
+ m_balance = 0;

A01 src/editing/Amounts.cpp a minus sign is not read
- if (c == u'+' || c == u'-') {
+ if (c == u'+') {
A02 src/editing/Amounts.cpp the sign is read the wrong way round
- m_negative = c == u'-';
+ m_negative = c == u'+';
A03 src/editing/Amounts.cpp zeros after the first digit are dropped
- if (m_magnitude == 0 && d == 0)
+ if (m_magnitude == 0 || d == 0)
A04 src/editing/Amounts.cpp the sheet limit stops one digit early
- m_magnitude = m_magnitude > (MaxSheetCents - d) / 10
+ m_magnitude = m_magnitude >= (MaxSheetCents - d) / 10
A05 src/editing/Amounts.cpp each digit is subtracted
- m_magnitude * 10 + d;
+ m_magnitude * 10 - d;
A06 src/editing/Amounts.cpp the value loses its sign
- qint64 value() const { return m_negative ? -m_magnitude : m_magnitude; }
+ qint64 value() const { return m_magnitude; }
A07 src/editing/Amounts.cpp PunktEntfernen keeps a leading dot
- if (dot < 0)
+ if (dot <= 0)
A08 src/editing/Amounts.cpp BetragInCent turns the empty text into "0"
- s = QStringLiteral("00");
+ s = QStringLiteral("0");
A09 src/editing/Amounts.cpp BetragInCent drops only the first dot
- s.remove(u'.');
+ s = PunktEntfernen(s);
A10 src/editing/Amounts.cpp BetragInCent takes one character after the comma
- const QString whole = s.first(comma) + s.right(2);
+ const QString whole = s.first(comma) + s.right(1);
A11 src/editing/Amounts.cpp BetragInCent gives "0" without its blank
- return QStringLiteral(" 0");
+ return QStringLiteral("0");
A12 src/editing/Amounts.cpp centsOf reads the dots
- if (text[i] != u'.' && !reader.feed(text[i]))
+ if (!reader.feed(text[i]))
A13 src/editing/Amounts.cpp centsOf mistakes a text with comma for one without
- if (i == text.size())
+ if (i != text.size())
A14 src/editing/Amounts.cpp centsOf reads one character after the comma
- for (qsizetype j = text.size() - 1; j >= 0 && found < 2; --j) {
+ for (qsizetype j = text.size() - 1; j >= 0 && found < 1; --j) {
A15 src/editing/Amounts.cpp commitAmount ignores a second decimal
- push(fraction.size() > 1 ? fraction[1] : u'0');
+ push(fraction.size() > 2 ? fraction[1] : u'0');
A16 src/editing/Amounts.cpp commitAmount empties the cell on 0
- return {cellText, {}}; // 0 leaves the cell as it was
+ return {};
A17 src/editing/Amounts.cpp commitAmount takes digits past the cent
- if (beyondCents)
+ if (false)
A18 src/editing/Amounts.cpp commitAmount refuses zeros past the cent
- && std::any_of(fraction.begin() + CentDigits, fraction.end(), [](QChar c) { return c != u'0'; });
+ && !fraction.isEmpty();
A19 src/editing/Amounts.cpp commitAmount refuses a blank instead of emptying the cell
- if (typed.isEmpty())
+ if (typed.isEmpty() && editorText.isEmpty())
A20 src/editing/Amounts.cpp commitAmount refuses the largest amount
- if (cents > MaxCommitCents)
+ if (cents >= MaxCommitCents)
A21 src/editing/Amounts.cpp commitAmount loses the sign
- return {German::formatCents(parts->negative ? -cents : cents), {}};
+ return {German::formatCents(cents), {}};
A22 src/editing/Amounts.cpp commitAmount saturates at the limit instead of refusing
- static constexpr qint64 tooLarge = MaxCommitCents + 1;
+ static constexpr qint64 tooLarge = MaxCommitCents;
A23 src/editing/Amounts.cpp the display format's reader loses the sign
- return negative ? -value : value;
+ return value;
A24 src/editing/Amounts.cpp the display format's reader takes any length
- if (++digits > MaxPlainDigits)
+ if (++digits > 2 * MaxPlainDigits)

R01 src/editing/Recalculation.cpp balances and totals are not limited
- return std::clamp(cents, -MaxSheetCents, MaxSheetCents);
+ return cents;
R02 src/editing/Recalculation.cpp the receipt number is cut before adding one
- return std::trunc(*number + 1.0);
+ return std::trunc(*number) + 1.0;
R03 src/editing/Recalculation.cpp the receipt number keeps its fraction
- return std::trunc(*number + 1.0);
+ return *number + 1.0;
R04 src/editing/Recalculation.cpp the walk runs on a sheet of four rows
- if (rows < 5)
+ if (rows < 4)
R05 src/editing/Recalculation.cpp the walk rewrites the new-entry row
- for (int i = FirstEntryRow; i <= rows - 2; ++i) {
+ for (int i = FirstEntryRow; i <= rows - 1; ++i) {
R06 src/editing/Recalculation.cpp an empty 0 % income clears the expense
- if (a1 != 0 || a2 > 0)
+ if (a1 != 0 || a2 >= 0)
R07 src/editing/Recalculation.cpp a negative 7 % income keeps the expense
- if (a1 != 0 || a2 > 0)
+ if (a1 > 0 || a2 > 0)
R08 src/editing/Recalculation.cpp the expense is added to the balance
- balance = clampSheet(balance + (a1 + a0 + a2 - e));
+ balance = clampSheet(balance + (a1 + a0 + a2 + e));
R09 src/editing/Recalculation.cpp the 0 % income is left out of the balance
- balance = clampSheet(balance + (a1 + a0 + a2 - e));
+ balance = clampSheet(balance + (a1 + a0 - e));
R10 src/editing/Recalculation.cpp the receipt chain reads the row itself
- nextReceipt(flex.textMatrix(i - 1, ColBeleg))
+ nextReceipt(flex.textMatrix(i, ColBeleg))
R11 src/editing/Recalculation.cpp the last balance goes to the expense total
- setCents(flex2, TotalsRowBestand, TotalsColAmount, *totals.closingBalance);
+ setCents(flex2, TotalsRowAusgaben, TotalsColAmount, *totals.closingBalance);
R12 src/editing/Recalculation.cpp totals are written for a sheet without a carry-over row
- if (rows <= RowUebertrag)
+ if (rows < RowUebertrag)
R13 src/editing/Recalculation.cpp totals leave out the carry-over row
- for (int i = RowUebertrag; i < rows; ++i) {
+ for (int i = FirstEntryRow; i < rows; ++i) {
R14 src/editing/Recalculation.cpp totals leave out the new-entry row
- for (int i = RowUebertrag; i < rows; ++i) {
+ for (int i = RowUebertrag; i < rows - 1; ++i) {
R15 src/editing/Recalculation.cpp the expense total adds up the balance column
- t.expenses = clampSheet(t.expenses + centsOf(sheet.textMatrix(i, ColAusgaben)));
+ t.expenses = clampSheet(t.expenses + centsOf(sheet.textMatrix(i, ColBestand)));
R16 src/editing/Recalculation.cpp totals are not limited
- sum = clampSheet(sum + centsOf(sheet.textMatrix(i, ColEinnahmen1 + c)));
+ sum = sum + centsOf(sheet.textMatrix(i, ColEinnahmen1 + c));
R17 src/editing/Recalculation.cpp every total shows the first column's sum
- setCents(flex2, TotalsRowFirstIncome + c, TotalsColAmount, totals.income[static_cast<size_t>(c)]);
+ setCents(flex2, TotalsRowFirstIncome + c, TotalsColAmount, totals.income[0]);
R18 src/editing/Recalculation.cpp the one walk leaves the new-entry row out of the totals
- addRow(*totals, flex, rows - 1);
+ addRow(*totals, flex, rows - 2);
R19 src/editing/Recalculation.cpp the one walk leaves the expenses out of the totals
- addAmounts(*totals, {a0, a1, a2}, e);
+ addAmounts(*totals, {a0, a1, a2}, 0);
R20 src/editing/Recalculation.cpp the whole receipt chain counts in twos
- const qint64 receipt = receiptAbove + 1;
+ const qint64 receipt = receiptAbove + 2;
R21 src/editing/Recalculation.cpp the walk's balances group their digits in fours
- constexpr int Group = 3;
+ constexpr int Group = 4;

T01 src/storage/TextValues.cpp a tab is no blank
- return c == u' ' || c == u'\t';
+ return c == u' ';
T02 src/storage/TextValues.cpp a bare CR is no line end
- return c == u'\r' || c == u'\n';
+ return c == u'\n';
T03 src/storage/TextValues.cpp every file counts as plain ASCII
- return false;
+ return true;
T04 src/storage/TextValues.cpp trailing instead of leading blanks are quoted
- const bool needsQuotes = value.isEmpty() || isBlank(value.front()) || value.contains(u',');
+ const bool needsQuotes = value.isEmpty() || isBlank(value.back()) || value.contains(u',');
T05 src/storage/TextValues.cpp a closing instead of a leading quote is refused
- if (value.startsWith(kQuote))
+ if (value.endsWith(kQuote))
T06 src/storage/TextValues.cpp the quote check is negated
- if (value.contains(kQuote))
+ if (!value.contains(kQuote))
T07 src/storage/TextValues.cpp a quoted value loses its opening quote
- return {kQuote + value + kQuote, {}};
+ return {value + kQuote, {}};
T08 src/storage/TextValues.cpp a byte order mark before ASCII is read as Windows-1252
- if (hasBom || !isAscii(body)) {
+ if (!isAscii(body)) {
T09 src/storage/TextValues.cpp bad UTF-8 is kept and good UTF-8 dropped
- if (!utf8.hasError())
+ if (utf8.hasError())
T10 src/storage/TextValues.cpp the Windows-1252 fallback drops the byte order mark
- return Cp1252::decode(bytes);
+ return Cp1252::decode(body);
T11 src/storage/TextValues.cpp line ends before a value are not skipped
- while (p < m_text.size() && (isBlank(m_text[p]) || isLineEnd(m_text[p])))
+ while (p < m_text.size() && isBlank(m_text[p]))
T12 src/storage/TextValues.cpp the reader never reaches the end
- return startOfNextValue() >= m_text.size();
+ return startOfNextValue() > m_text.size();
T13 src/storage/TextValues.cpp the closing quote is found at the opening one
- const qsizetype close = m_text.indexOf(kQuote, start + 1);
+ const qsizetype close = m_text.indexOf(kQuote, start);
T14 src/storage/TextValues.cpp the closing quote is not consumed
- m_pos = close < 0 ? end : close + 1;
+ m_pos = close < 0 ? end : close;
T15 src/storage/TextValues.cpp a comma does not end an unquoted value
- while (end < m_text.size() && m_text[end] != u',' && !isLineEnd(m_text[end]))
+ while (end < m_text.size() && !isLineEnd(m_text[end]))
T16 src/storage/TextValues.cpp one value more than asked for is read
- while (values.size() < count) {
+ while (values.size() <= count) {
T17 src/storage/TextValues.cpp a value that reads back changed is written
- if (i >= readBack.size() || readBack[i] != values[i]) {
+ if (i >= readBack.size()) {
T18 src/storage/TextValues.cpp a short file counts as complete
- if (result.found == m_count) {
+ if (result.found > 0) {
T19 src/storage/TextValues.cpp a refused value is written anyway, a good one refused
- if (!encoded.problem.isEmpty())
+ if (encoded.problem.isEmpty())
T20 src/storage/TextValues.cpp binary bytes read as text
- return (b < ' ' && b != '\t' && b != '\r' && b != '\n') || b == Del;
+ return b == Del;
T21 src/storage/TextValues.cpp a rate as long as its field is refused
- if (JournalTable::characterCount(found[i]) > m_maxLengths[i])
+ if (JournalTable::characterCount(found[i]) >= m_maxLengths[i])
T22 src/storage/TextValues.cpp a rate one past its field is read
- if (JournalTable::characterCount(found[i]) > m_maxLengths[i])
+ if (JournalTable::characterCount(found[i]) > m_maxLengths[i] + 1)
T23 src/storage/TextValues.cpp a folder in place of the file reads as a missing file
- if (DirExists(m_path))
+ if (false)

P01 src/storage/MonthPath.cpp month 13 names a month file
- if (month.size() != MonthDigits || !selectedMonth(year, month))
+ if (month.size() != MonthDigits)
P02 src/storage/MonthPath.cpp a one-digit month is not completed
- if (typed.size() == 1 && typed[0] >= u'1' && typed[0] <= u'9')
+ if (false)
P03 src/storage/MonthPath.cpp the month "0" is completed to "00"
- if (typed.size() == 1 && typed[0] >= u'1' && typed[0] <= u'9')
+ if (typed.size() == 1 && typed[0] >= u'0' && typed[0] <= u'9')
P04 src/storage/MonthPath.cpp an empty month is called no month instead of empty
- if (month.isEmpty())
+ if (false)
P05 src/storage/MonthPath.cpp a two-digit year names a month file
- if (!selectedYear(year))
+ if (year.size() < 2)
P06 src/storage/MonthPath.cpp the path is checked with the month as typed
- const QString completed = completedMonth(month);
+ const QString completed = month;
P07 src/storage/MonthPath.cpp the month is checked only after a bad year
- if (result.problem.isEmpty())
+ if (!result.problem.isEmpty())
P08 src/storage/MonthPath.cpp the month label loses its dash
- return year + QLatin1Char('-') + completedMonth(month);
+ return year + completedMonth(month);
P09 src/storage/MonthPath.cpp the year selector takes two characters
- return {name.right(2), name.left(4)};
+ return {name.right(2), name.left(2)};
P10 src/storage/MonthPath.cpp a lower-case ".mdb" is not removed
- QString name = fileName.toUpper();
+ QString name = fileName;

S01 src/storage/SheetRecords.cpp "Übertrag" goes into the wrong column
- carryOver[modul::ColText] = JournalTable::carryOverText();
+ carryOver[modul::ColText - 1] = JournalTable::carryOverText();
S02 src/storage/SheetRecords.cpp the third rate text is left out
- for (int c = 0; c < modul::RateCount; ++c)
+ for (int c = 0; c < modul::RateCount - 1; ++c)
S04 src/storage/SheetRecords.cpp a stored blank shows as a blank
- return value == JournalTable::blankCell() ? QString() : value;
+ return value;
S05 src/storage/SheetRecords.cpp the headings are saved too
- for (int r = 1; r <= last; ++r) {
+ for (int r = 0; r <= last; ++r) {
S06 src/storage/SheetRecords.cpp the last entry is not saved
- for (int r = 1; r <= last; ++r) {
+ for (int r = 1; r < last; ++r) {
S07 src/storage/SheetRecords.cpp an empty cell is saved as the empty text
- record << (text.isEmpty() ? JournalTable::blankCell() : text);
+ record << text;
S08 src/storage/SheetRecords.cpp a text of exactly the field length is too long
- if (JournalTable::characterCount(record.at(c)) > limit)
+ if (JournalTable::characterCount(record.at(c)) >= limit)
S09 src/storage/SheetRecords.cpp the length message names the row above
- .arg(i + 1)
+ .arg(i)
S10 src/storage/SheetRecords.cpp a month saved before its first entry loads without its first entry row
- const int rows = std::max(count + 2, StartupRows);
+ const int rows = count + 2;
S11 src/storage/SheetRecords.cpp the row after the records keeps the month before's text
- for (int r = count + 1; r < rows; ++r) {
+ for (int r = count + 2; r < rows; ++r) {
S12 src/storage/SheetRecords.cpp the rows after the last entry are saved too
- if (modul::holdsEntry(sheet, r)) {
+ if (true) {
S13 src/storage/SheetRecords.cpp a month without entries is saved without its carry-over row
- int last = std::min(modul::RowUebertrag, sheet.rows() - 1);
+ int last = std::min(modul::RowRates, sheet.rows() - 1);

W01 src/storage/MonthFileWriter.cpp existsAtAll answers the other way round
- return ::lstat(path.constData(), &st) == 0;
+ return ::lstat(path.constData(), &st) != 0;
W02 src/storage/MonthFileWriter.cpp an existing year folder counts as missing
- if (DirExists(folder))
+ if (!DirExists(folder))
W03 src/storage/MonthFileWriter.cpp a missing year folder is reported as created
- if (::mkdir(m_folder.constData(), 0777) != 0) {
+ if (::mkdir(m_folder.constData(), 0777) == 0) {
W04 src/storage/MonthFileWriter.cpp an existing month file is taken for a folder
- if (DirExists(m_path))
+ if (FileExists(m_path))
W05 src/storage/MonthFileWriter.cpp the backup is made only where there is no file
- if (existsAtAll(m_native)) {
+ if (!existsAtAll(m_native)) {
W06 src/storage/MonthFileWriter.cpp the backup gets another name
- if (const int err = keepBackup(m_native, m_native + ".bak"))
+ if (const int err = keepBackup(m_native, m_native + ".old"))
W07 src/storage/MonthFileWriter.cpp the backup is linked straight to its name, not renamed over the old one
- if (::link(path.constData(), staging.constData()) != 0) {
+ if (::link(path.constData(), backup.constData()) != 0) {
W08 src/storage/MonthFileWriter.cpp a successful rename counts as a failure
- if (::rename(m_temp.constData(), m_native.constData()) != 0) {
+ if (::rename(m_temp.constData(), m_native.constData()) == 0) {
W09 src/storage/MonthFileWriter.cpp leftovers are looked for in the working folder
- QFile::remove(folder.filePath(leftover));
+ QFile::remove(leftover);
W12 src/storage/SqliteMonthDb.cpp a resave keeps the replaced file's link to the month before
- copied ? QStringLiteral("BEGIN; %1 DELETE FROM %2; DELETE FROM %3; DELETE FROM %4;")
+ copied ? QStringLiteral("BEGIN; %1 DELETE FROM %2; DELETE FROM %3; SELECT '%4';")
W13 src/storage/SqliteMonthDb.cpp a resave copies a file with a foreign table
- || currentTableSchema().isEmpty() || tableSchema(source.get()) != currentTableSchema())
+ || currentTableSchema().isEmpty())
W14 src/storage/SqliteMonthDb.cpp a resave leaves the file without its guards
- if (DbStatus s = exec(db.get(), AuditTables::createTriggersSql() + QStringLiteral("COMMIT"), path); !s.ok())
+ if (DbStatus s = exec(db.get(), QStringLiteral("COMMIT"), path); !s.ok())
W10 src/storage/MonthFileWriter.cpp a failed save leaves its temporary file
- if (!m_temp.isEmpty())
+ if (m_temp.isEmpty())
W11 src/storage/MonthFileWriter.cpp the failure message tells the wrong outcome
- const QString outcome = m_previousExists ? QStringLiteral("Die bisherige Datei ist unverändert.")
+ const QString outcome = !m_previousExists ? QStringLiteral("Die bisherige Datei ist unverändert.")

F01 src/platform/FlexGridStore.cpp a new grid starts one row below the fixed rows
- m_row = std::min(m_fixedRows, std::max(this->rows() - 1, 0));
+ m_row = std::min(m_fixedRows + 1, std::max(this->rows() - 1, 0));
F02 src/platform/FlexGridStore.cpp a new row takes the default height
- r.height = m_rows.empty() ? DefaultRowHeight : m_rows.back().height;
+ r.height = DefaultRowHeight;
F03 src/platform/FlexGridStore.cpp the row count may drop below the fixed rows
- rows = std::max(rows, m_fixedRows);
+ rows = std::max(rows, m_fixedRows - 1);
F04 src/platform/FlexGridStore.cpp the current row may stay one past the last row
- if (m_row >= rows) {
+ if (m_row > rows) {
F05 src/platform/FlexGridStore.cpp a shrink moves the current row two up
- m_row = std::max(rows - 1, 0);
+ m_row = std::max(rows - 2, 0);
F06 src/platform/FlexGridStore.cpp a move within the row or column fires nothing
- if (!valid(row, col) || (row == m_row && col == m_col))
+ if (!valid(row, col) || (row == m_row || col == m_col))
F07 src/platform/FlexGridStore.cpp a move out of the grid is made
- if (!valid(row, col) || (row == m_row && col == m_col))
+ if (row == m_row && col == m_col)
F08 src/platform/FlexGridStore.cpp only unchanged texts are written
- if (cell == text)
+ if (cell != text)
F09 src/platform/FlexGridStore.cpp addItem refuses the end of the grid
- if (index < 0 || index > rows())
+ if (index < 0 || index >= rows())
F10 src/platform/FlexGridStore.cpp addItem leaves the last column empty
- for (int c = 0; c < m_cols && c < parts.size(); ++c)
+ for (int c = 0; c < m_cols - 1 && c < parts.size(); ++c)
F11 src/platform/FlexGridStore.cpp a cell without a size of its own has size 0
- return size > 0.0F ? size : m_fontSize;
+ return size >= 0.0F ? size : m_fontSize;
F12 src/platform/FlexGridStore.cpp the first movable row gets the fixed back colour
- return m_row < m_fixedRows || m_col < m_fixedCols ? m_backColorFixed : m_backColor;
+ return m_row <= m_fixedRows || m_col < m_fixedCols ? m_backColorFixed : m_backColor;
F13 src/platform/FlexGridStore.cpp colLeft adds the column's own width
- for (int c = 0; c < col && c < m_cols; ++c)
+ for (int c = 0; c <= col && c < m_cols; ++c)
F14 src/platform/FlexGridStore.cpp rowTop leaves out the row above
- for (int r = 0; r < row && r < rows(); ++r)
+ for (int r = 0; r < row - 1 && r < rows(); ++r)
F15 src/platform/FlexGridStore.cpp totalHeight keeps only the last row
- sum += r.height;
+ sum = r.height;
F16 src/platform/FlexGridStore.cpp changes are announced every time, not once until cleared
- if (m_changedPending || !changed)
+ if (!changed)
F17 src/platform/FlexGridStore.cpp a move the program refused is made
- if (mayLeaveCell && !mayLeaveCell())
+ if (false)
L01 src/books/ChangeLog.cpp a change is logged one row too high
- changes.push_back({static_cast<int>(r) + 1, c, std::move(old), std::move(now)});
+ changes.push_back({static_cast<int>(r), c, std::move(old), std::move(now)});
L02 src/books/ChangeLog.cpp an entry's time is left out of its hash
- addUtf8(m_timeUtf8);
+ addUtf8(QByteArray());
L03 src/books/ChangeLog.cpp an entry's column is left out of its hash
- addNumber(e.column, sizeof(quint32));
+ addNumber(0, sizeof(quint32));
L04 src/books/ChangeLog.cpp an entry's new text is left out of its hash
- addCell(e.newText);
+ addCell(Utf8Cell());
L05 src/books/ChangeLog.cpp a missing entry is noticed only when numbers go back
- if (number > expectedNumber)
+ if (number > expectedNumber + 1)
L06 src/books/ChangeLog.cpp the old text of an entry is never checked
- const bool consistent = cell == e.oldText || (!cell && e.oldText == blankUtf8());
+ const bool consistent = true || (!cell && e.oldText == blankUtf8());
L07 src/books/ChangeLog.cpp the last writer of a cell is looked up by its row alone
- if (it->row == row && it->column == column)
+ if (it->row == row)
L08 src/books/ChangeLog.cpp the entries of a save are numbered from 2
- qint64 number = after.number;
+ qint64 number = after.number + 1;
L09 src/books/ChangeLog.cpp#1 the records' fingerprint leaves out the last field
- for (int c = 0; c < Fields; ++c)
+ for (int c = 0; c < Fields - 1; ++c)
BL01 src/books/ChangeLog.cpp the blank cells of a new row are logged
- if (old != now && !madeBlank(old, now))
+ if (old != now || madeBlank(old, now))
BL02 src/books/ChangeLog.cpp a blank no entry wrote is taken for a changed record
- return !found || isBlank(*found);
+ return !found;
BL03 src/books/ChangeLog.cpp any text no entry wrote passes for the blank
- return !found || isBlank(*found);
+ return true;
BL04 src/books/ChangeLog.cpp an entry that finds the blank no entry wrote is taken for a forged one
- const bool consistent = cell == e.oldText || (!cell && e.oldText == blankUtf8());
+ const bool consistent = cell == e.oldText || (!cell && e.oldText == blankUtf8() && false);
L10 src/books/MonthAudit.cpp an unlogged file is checked as a logged one
- if (!month.logged)
+ if (month.logged)
L11 src/books/MonthAudit.cpp a close mark is checked only against the records
- || ChangeLog::chainHead(month).hash != month.closed->logHead;
+ || false;
L12 src/books/MonthAudit.cpp a record no entry wrote is named as written by one
- if (b.entry == 0)
+ if (b.entry != 0)
K01 src/books/MonthClosing.cpp no register line is ever found
- if (line.startsWith('#') || fields.size() != FieldsPerLine || QString::fromUtf8(fields[0]) != label)
+ if (line.startsWith('#') || fields.size() == FieldsPerLine || QString::fromUtf8(fields[0]) != label)
K02 src/books/MonthClosing.cpp a month altered outside Barlog can be closed unless its log is gone
- if (!MonthAudit::intact(finding))
+ if (!MonthAudit::intact(finding) && finding.logMissing)
K03 src/books/MonthClosing.cpp the close mark fingerprints no records
- closed.closed = CloseMark{now, ChangeLog::recordsHash(file.records), head.hash};
+ closed.closed = CloseMark{now, ChangeLog::recordsHash({}), head.hash};
K04 src/books/ChangeLog.cpp an unlogged month's close mark names the empty log
- return chainHead(next);
+ return head;
K05 src/books/MonthClosing.cpp a closed month that the register misses is not noted again
- if (file.closed && MonthAudit::intact(MonthAudit::check(file)))
+ if (file.closed && !MonthAudit::intact(MonthAudit::check(file)))
K06 src/books/MonthClosing.cpp a closed file with other records but the noted mark passes the register
- || ChangeLog::recordsHash(file.records) != entry->mark.recordsHash)
+ )
K07 src/books/MonthClosing.cpp the refusal shows the close time unformatted
- .arg(label, ChangeLog::displayTime(time))
+ .arg(label, time)
K08 src/books/MonthClosing.cpp the sheet note shows a two-digit year
- return moment.isValid() ? moment.toString(QStringLiteral("dd.MM.yyyy")) : isoTime;
+ return moment.isValid() ? moment.toString(QStringLiteral("dd.MM.yy")) : isoTime;
U01 src/books/CarryOver.cpp December is no month
- if (!yearOk || !monthOk || year.size() != YearDigits || month.size() != 2 || m < 1 || m > MonthsPerYear)
+ if (!yearOk || !monthOk || year.size() != YearDigits || month.size() != 2 || m < 1 || m >= MonthsPerYear)
U02 src/books/CarryOver.cpp January follows the January before
- return Month{QString::number(y - 1), QStringLiteral("12")};
+ return Month{QString::number(y - 1), month};
U03 src/books/CarryOver.cpp a month without entries closes at no balance
- Closing closing{totals.closingBalance.value_or(totals.carryOver), {}};
+ Closing closing{totals.closingBalance.value_or(0), {}};
U04 src/books/CarryOver.cpp a month without entries carries no receipt number
- for (int r = sheet.rows() - 1; r >= modul::RowUebertrag; --r) {
+ for (int r = sheet.rows() - 1; r > modul::RowUebertrag; --r) {
U05 src/books/CarryOver.cpp the new month does not continue the receipt numbers
- sheet.setTextMatrix(modul::RowUebertrag, modul::ColBeleg, closing.receipt);
+ sheet.setTextMatrix(modul::RowUebertrag, modul::ColBeleg, QString());
U06 src/books/CarryOver.cpp the mismatch message swaps the two amounts
- .arg(label, German::formatCents(carryOver), previousLabel, German::formatCents(closing));
+ .arg(label, German::formatCents(closing), previousLabel, German::formatCents(carryOver));
N01 src/editing/Storno.cpp the reversal books the amounts unchanged
- cells[c] = German::formatCents(-cents);
+ cells[c] = German::formatCents(cents);
N02 src/editing/Storno.cpp the reversal keeps the original's date
- cells[ColDatum] = today.toString(QStringLiteral("dd.MM.yyyy"));
+ cells[ColDatum] = sheet.textMatrix(row, ColDatum).trimmed();
N03 src/editing/Storno.cpp the carry-over row can be reversed
- if (row < FirstEntryRow || row >= sheet.rows())
+ if (row < RowUebertrag || row >= sheet.rows())
N04 src/editing/Storno.cpp the reversal overwrites the last entry
- row = r + 1;
+ row = r;
N05 src/editing/Storno.cpp the question says "vom" before a missing date
- date.isEmpty() ? QStringLiteral("ohne Datum") : QStringLiteral("vom ") + date,
+ QStringLiteral("vom ") + date,
N06 src/editing/Storno.cpp the question names an income without its rate
- const QString rate = c == ColAusgaben ? QString() : sheet.textMatrix(RowRates, c).trimmed();
+ const QString rate;
J01 src/editing/SheetLayout.cpp an entry in the last row gets no empty row below
- if (last >= FirstEntryRow && holdsEntry(sheet, last))
+ if (false)
J02 src/editing/SheetLayout.cpp an empty last row gets another one below
- if (last >= FirstEntryRow && holdsEntry(sheet, last))
+ if (last >= FirstEntryRow)
E01 src/editing/CellEntry.cpp an unchanged text of an older file is checked too
- if (editorText == cellText)
+ if (false)
E02 src/editing/CellEntry.cpp a pasted line feed stays in the text
- text.replace(u'\n', u' ');
+ text.replace(u'\n', u'\n');
E03 src/editing/CellEntry.cpp the date column takes any text
- if (col == ColDatum)
+ if (col == ColText)
E05 src/editing/EntryDate.cpp a date of another month of the year passes
- if (month && (date->year() != month->year() || date->month() != month->month()))
+ if (month && date->year() != month->year())
E06 src/editing/EntryDate.cpp the day alone falls in January
- date = QDate(month->year(), month->month(), value);
+ date = QDate(month->year(), 1, value);
E07 src/editing/EntryDate.cpp the 32nd passes as a day of the month
- if (month && value > 0 && QDate::isValid(month->year(), month->month(), value))
+ if (month && value > 0)
E08 src/editing/EntryDate.cpp the completed date keeps a two-digit year
- const QString text = date->toString(QStringLiteral("dd.MM.yyyy"));
+ const QString text = date->toString(QStringLiteral("dd.MM.yy"));
B01 src/books/MonthStorage.cpp#1 a month file that cannot be read is replaced
- if (status.ok())
+ if (true)
B02 src/books/MonthStorage.cpp a booking of the sheet is matched twice
- kept.removeAt(found);
+ ++leaving;
B03 src/books/MonthStorage.cpp rows that book nothing count as bookings leaving
- if (!isBooking(typed))
+ if (false)
B04 src/books/MonthStorage.cpp the file's first entry is not counted
- for (size_t i = EntryRecord; i < file.size(); ++i) {
+ for (size_t i = EntryRecord + 1; i < file.size(); ++i) {
N10 src/editing/NegativeCash.cpp the last entry's balance is not looked at
- for (int r = RowUebertrag; r <= sheet.rows() - 2; ++r) {
+ for (int r = RowUebertrag; r < sheet.rows() - 2; ++r) {
N11 src/editing/NegativeCash.cpp a balance of zero counts as negative
- if (balance < 0)
+ if (balance <= 0)
N12 src/editing/NegativeCash.cpp a negative carry-over is named as an entry
- if (row.row == RowUebertrag)
+ if (row.row != RowUebertrag)
Y01 src/books/RecoveryFile.cpp a tab in a cell is written as it is
- out += "\\t";
+ out += "\t";
Y02 src/books/RecoveryFile.cpp "\n" reads back as n
- out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
+ out += next == 't' ? '\t' : next == 'r' ? '\r' : next;
Y03 src/books/RecoveryFile.cpp the first checksum-like line is taken for the checksum
- const qsizetype checksumStart = bytes.lastIndexOf(Newline + ChecksumKey + Tab) + 1;
+ const qsizetype checksumStart = bytes.indexOf(Newline + ChecksumKey + Tab) + 1;
Y04 src/books/RecoveryFile.cpp a file whose rows are cut off still reads
- if (!year || !month || !time || !count || count->toLongLong() != lines.size() - KeyLines)
+ if (!year || !month || !time || !count)
Y05 src/books/RecoveryFile.cpp a restored sheet keeps an extra row
- sheet.setRows(static_cast<int>(rows.size()) + 1);
+ sheet.setRows(static_cast<int>(rows.size()) + 2);
Y06 src/books/RecoveryFile.cpp the restore question swaps year and month
- .arg(snapshot.year, snapshot.month, ChangeLog::displayTime(snapshot.time))
+ .arg(snapshot.month, snapshot.year, ChangeLog::displayTime(snapshot.time))
Y07 src/books/RecoveryFile.cpp a removal leaves the file where it is
- err = ::unlink(native->constData()) == 0 || errno == ENOENT ? 0 : errno;
+ err = 0;
Y08 src/books/RecoveryFile.cpp a failed write counts as done
- err = PosixFile::replaceFile(*native, RecoveryFile::encode(request.snapshot));
+ PosixFile::replaceFile(*native, RecoveryFile::encode(request.snapshot));
D14 src/exports/DatevExport.cpp a row's Konto is ignored
- const bool named = !konto->isEmpty();
+ const bool named = false;
D15 src/exports/DatevExport.cpp a row's own account keeps the expense tax key
- named ? nullptr : &m_settings.buSchluessel);
+ &m_settings.buSchluessel);
D16 src/exports/DatevExport.cpp a Konto of the wrong length passes
- if (konto.isEmpty() || m_settings.isAccount(konto))
+ if (true)
D17 src/exports/DatevSettings.cpp a file of the first layout reports what it lacks
- *message = read.found == DatevSettings::FirstLayoutCount ? QString() : read.message;
+ *message = read.message;
D18 src/exports/DatevSettings.cpp the first layout's cash-difference accounts ignore the chart
- QString account = QString::fromLatin1(kontenrahmen == Skr04 ? skr04 : skr03);
+ QString account = QString::fromLatin1(skr03);
D19 src/exports/DatevSettings.cpp the first layout's cash-difference accounts keep four digits
- account = account.leftJustified(accountLength(), u'0');
+ static_cast<void>(account);
D20 src/exports/DatevSettings.cpp the shortage account is not checked
- account(QStringLiteral("Kassenfehlbetrag"), kassenfehlbetrag);
+ static_cast<void>(kassenfehlbetrag);
Z01 src/books/CashCount.cpp the difference has the wrong sign
- c.difference = c.counted - bookBalance;
+ c.difference = bookBalance - c.counted;
Z02 src/books/CashCount.cpp the most pieces of a coin are refused
- if (!whole || digits > MaxDigits || value > MaxPieces) {
+ if (!whole || digits > MaxDigits || value >= MaxPieces) {
Z03 src/books/CashCount.cpp a fraction counts as whole pieces
- bool whole = parts && !parts->negative && parts->fraction.isEmpty();
+ bool whole = parts && !parts->negative;
Z04 src/books/CashCount.cpp a surplus goes to a column with a rate
- if (modul::rateOf(rates[static_cast<size_t>(c)]) == 0)
+ if (modul::rateOf(rates[static_cast<size_t>(c)]) != 0)
Z05 src/books/CashCount.cpp a shortage is booked to the surplus account
- cells[modul::ColKonto] = shortage ? accounts.shortage : accounts.surplus;
+ cells[modul::ColKonto] = accounts.surplus;
Z06 src/books/CashCount.cpp the booked difference counts as a booking after the count
- if (!bookedDifference)
+ if (!bookedDifference || index > 0)
Z07 src/books/CashCount.cpp a month never counted passes the close
- if (month.counts.empty())
+ if (month.counts.empty() && month.log.empty())
Z08 src/books/ChangeLog.cpp a count's note is left out of its hash
- addUtf8(c.note.toUtf8());
+ static_cast<void>(c.note);
Z09 src/books/ChangeLog.cpp a count's pieces are left out of its hash
- addNumber(pieces, sizeof(quint32));
+ addNumber(0, sizeof(quint32));
Z10 src/books/ChangeLog.cpp the chain head ignores the counts
- if (!counts.empty() && counts.back().number > head.number)
+ if (!counts.empty() && counts.back().number < head.number)
Z11 src/books/ChangeLog.cpp a count takes the number of the link before it
- count.number = after.number + 1;
+ count.number = after.number;
Z12 src/books/ChangeLog.cpp a link slipped in with a taken number passes
- if (number < expectedNumber)
+ if (number < expectedNumber - 1)
Z13 src/books/ChangeLog.cpp of two links with one number the count is always taken
- takeCount = !sameDigest(hasher.hash(previous, *entry), entry->hash);
+ takeCount = true;
Z14 src/books/MonthAudit.cpp a file whose count table is gone passes
- finding.countsMissing = month.countTableMissing;
+ finding.countsMissing = false;
Z15 src/books/MonthAudit.cpp a close mark is checked against the log's head alone
- || ChangeLog::chainHead(month).hash != month.closed->logHead;
+ || ChangeLog::chainHead(month.log, {}).hash != month.closed->logHead;
Z16 src/books/CashCountStore.cpp a closed month takes a count
- if (const std::optional<QString> since = MonthClosing::closedSince(programFolder, label, file))
+ if (const std::optional<QString> since = std::optional<QString>())
Z17 src/books/CashCountStore.cpp a count is stored against another balance than the file's
- if (balance != count.bookBalance)
+ if (balance < count.bookBalance)
Z18 src/books/CashCountStore.cpp a count keeps the time it was given
- CashCount::Count stored = CashCount::taken(count.pieces, balance, count.countedBy, count.note, now);
+ CashCount::Count stored = CashCount::taken(count.pieces, balance, count.countedBy, count.note, count.time);
Z19 src/books/CountSheet.cpp the print-out's difference shows the counted total
- p.row(y, differenceKind(count.difference), QString(), German::formatCents(count.difference), true);
+ p.row(y, differenceKind(count.difference), QString(), German::formatCents(count.counted), true);
Z20 src/books/CountSheet.cpp a printed row sums the next denomination
- German::formatCents(CashCount::rowSum(i, pieces)));
+ German::formatCents(CashCount::rowSum(i + 1, pieces)));
Z21 src/books/CountSheet.cpp the signature lines run off the page
- constexpr double SignatureTop = 255.0;
+ constexpr double SignatureTop = 285.0;
Z22 src/storage/SqliteMonthDb.cpp a save leaves the counts behind
- if (requireTable(db, counts, path, "alt").ok()) {
+ if (requireTable(db, counts, path, "none").ok()) {
Z23 src/storage/SqliteMonthDb.cpp a file stamped with counts whose count table is gone passes
- && (version >= JournalTable::firstCountedVersion
+ && (version > JournalTable::userVersion
Z24 src/storage/ShopData.cpp a surplus column out of range is kept
- s.surplusColumn = column >= 1 && column <= IncomeColumns ? column : 0;
+ s.surplusColumn = column >= 1 ? column : 0;
Z25 src/storage/ShopData.cpp the tax number is read from the town's line
- s.steuernummer = values.value(3).trimmed();
+ s.steuernummer = values.value(2).trimmed();
Z26 src/books/MonthStorage.cpp a save chains onto the log's last entry past a count
- previous.logged ? ChangeLog::chainHead(previous) : ChangeLog::Link{0, ChangeLog::chainStart(next)};
+ previous.logged ? ChangeLog::chainHead(previous.log, {}) : ChangeLog::Link{0, ChangeLog::chainStart(next)};
H01 src/storage/SqliteMonthDb.cpp a lowered version stamp hides the log
- if (version < JournalTable::firstLoggedVersion && !holdsLog)
+ if (version < JournalTable::firstLoggedVersion && (holdsLog || !holdsLog))
H02 src/books/ChainRegister.cpp a register line's hash leaves out the line before
- hash.addData(previous);
+ static_cast<void>(previous);
H03 src/books/ChainRegister.cpp a file behind the register's head passes
- if (ChangeLog::linkHash(file, noted.head.number) == noted.head.hash)
+ if (ChangeLog::linkHash(file, ChangeLog::chainHead(file).number) == ChangeLog::chainHead(file).hash)
H04 src/books/ChainRegister.cpp a file whose log is gone with its stamp passes
- if (!file.logged && noted.head.number > 0)
+ if (!file.logged && noted.head.number < 0)
H05 src/books/MonthLinks.cpp a month before rolled back behind the link passes
- if (ChangeLog::linkHash(before, link.number) == link.hash)
+ if (ChangeLog::linkHash(before, ChangeLog::chainHead(before).number) == ChangeLog::chainHead(before).hash)
H06 src/books/ChangeLog.cpp a chain linked to the month before is checked from zeros
- EntryHasher::Digest previous = rawDigest(start);
+ EntryHasher::Digest previous = rawDigest(startHash());
H07 src/books/MonthStorage.cpp a new month's log links to no month before
- next.monthBefore = previous.logged ? previous.monthBefore : plan.monthBefore;
+ next.monthBefore = previous.monthBefore;
H08 src/books/ChangeLog.cpp a close or count drops the link to the month before
- next.monthBefore = file.monthBefore;
+ next.monthBefore = std::nullopt;
H09 src/books/Checksum.cpp the Prüfsumme prints 15 hex digits
- constexpr qsizetype ShortDigits = 16;
+ constexpr qsizetype ShortDigits = 15;
G01 src/exports/GdpduTable.cpp a quote inside a text is not doubled
- field.replace('"', "\"\"");
+ field.replace('"', "\"");
G02 src/exports/GdpduTable.cpp SkipNumBytes stops short of the heading's line end
- << QStringLiteral("      <SkipNumBytes>%1</SkipNumBytes>").arg(headingLine().size())
+ << QStringLiteral("      <SkipNumBytes>%1</SkipNumBytes>").arg(headingLine().size() - 1)
G03 src/exports/GdpduTable.cpp MaxLength counts characters, not UTF-8 bytes
- const qsizetype length = text.toUtf8().size();
+ const qsizetype length = text.size();
G04 src/exports/GdpduTable.cpp a negative amount loses its sign
- field = (v < 0 ? QByteArray("-") : QByteArray()) + QByteArray::number(magnitude / HundredthsPerUnit) + ','
+ field = QByteArray::number(magnitude / HundredthsPerUnit) + ','
G05 src/exports/GdpduTable.cpp the cents lose their leading zero
- + QByteArray::number(magnitude % HundredthsPerUnit).rightJustified(2, '0');
+ + QByteArray::number(magnitude % HundredthsPerUnit);
G06 src/exports/AuditYear.cpp#2 a month closed only in the register counts as open
- else if (noted)
+ else if (false)
G13 src/exports/AuditYear.cpp#1 a closed month whose file is gone goes unnamed
- else if (noted)
+ else if (false)
G07 src/exports/AuditYear.cpp a month changed outside Barlog goes unnamed
- m.tampered = MonthAudit::describe(m.file, finding);
+ static_cast<void>(finding);
G08 src/exports/AuditYear.cpp a closed month's older copy goes unnamed
- if (!noted || MonthClosing::checkRegister(programFolder, m.label, m.file).isEmpty())
+ if (true)
G09 src/exports/AuditYear.h a month without a log goes unnamed
- bool unlogged() const { return read() && unreadable.isEmpty() && !file.logged; }
+ bool unlogged() const { return false; }
G10 src/exports/AuditExport.cpp a closed month's rows are marked open
- return m.closed() ? QStringLiteral("abgeschlossen") : QStringLiteral("offen");
+ return m.present ? QStringLiteral("offen") : QStringLiteral("abgeschlossen");
G11 src/exports/AuditExport.cpp a row's VAT column gets its net
- t.twoDecimals(split ? std::optional(split->vat) : std::nullopt);
+ t.twoDecimals(split ? std::optional(split->net) : std::nullopt);
G12 src/exports/AuditExport.cpp the carry-over's deviation has the wrong sign
- t.twoDecimals(before ? std::optional(carry - *before) : std::nullopt);
+ t.twoDecimals(before ? std::optional(*before - carry) : std::nullopt);
V01 src/exports/VatReturn.cpp the base's cents are rounded, not cut off
- f.base81 = s.net81 / CentsPerEuro;
+ f.base81 = (s.net81 + CentsPerEuro / 2) / CentsPerEuro;
V02 src/exports/VatReturn.cpp the tax is reckoned from the net to the cent
- f.tax81 = f.base81 * Rate81 / CentsPerEuro;
+ f.tax81 = s.net81 * Rate81 / (CentsPerEuro * CentsPerEuro);
V03 src/exports/VatReturn.cpp a quarter closes one month early
- if ((i + 1) % MonthsPerQuarter == 0) {
+ if (i % MonthsPerQuarter == 0) {
V04 src/exports/VatReturn.cpp income at 7 % counts as tax-free
- else if (o.rates[i].rate == Rate86)
+ else if (false)
V05 src/exports/VatReturn.cpp a rate the form does not know is put under a Kennzahl
- return rate.rate == Rate81 || rate.rate == Rate86 || rate.rate == TaxFreeRate;
+ return rate.rate.has_value();
M01 src/editing/GermanNumbers.cpp four digits before the first dot are read
- if (firstGroup < 1 || firstGroup > 3)
+ if (firstGroup < 1)
M02 src/editing/GermanNumbers.cpp a minus sign is dropped
- parts.negative = s[i] == u'-';
+ parts.negative = false;
M03 src/editing/GermanNumbers.cpp amounts are grouped by four digits
- if (inGroup == 3) {
+ if (inGroup == 4) {
M04 src/editing/GermanNumbers.cpp text after the number is taken
- if (i != s.size() || (parts.integer.isEmpty() && parts.fraction.isEmpty()))
+ if (parts.integer.isEmpty() && parts.fraction.isEmpty())
KM01 src/editing/KeyMap.cpp Up reaches the rates row
- if (g.row() - 1 > RowRates)
+ if (g.row() - 1 >= RowRates)
KM02 src/editing/KeyMap.cpp Right does not skip an unused third income
- if (thirdRateUnused(g) && g.col() == ColEinnahmen2)
+ if (false)
KM03 src/editing/KeyMap.cpp a click on the carry-over's date stays there
- return col == ColEinnahmen1 || col == ColEinnahmen2 || col == ColEinnahmen3 || col == ColDatum;
+ return col == ColEinnahmen1 || col == ColEinnahmen2 || col == ColEinnahmen3;
KM04 src/editing/KeyMap.cpp Enter in the last row adds no row
- if (g.row() == g.rows() - 1)
+ if (g.row() == g.rows())
I01 src/editing/VatSplit.cpp the VAT is cut instead of rounded
- qint64 vat = whole * rate + (2 * rest * rate + divisor) / (2 * divisor);
+ qint64 vat = whole * rate + (rest * rate) / divisor;
I02 src/editing/VatSplit.cpp a rate with three decimals is read
- if (!parts || parts->negative || parts->fraction.size() > 2)
+ if (!parts || parts->negative)
I03 src/editing/VatSplit.cpp a negative amount's VAT keeps its sign wrong
- vat = -vat;
+ vat = vat;
Q01 src/platform/BooksFolder.cpp an installed program's bin folder holds the books
- if (!isPrefixBin(programFolder) && canWriteIn(programFolder))
+ if (canWriteIn(programFolder))
Q02 src/platform/BooksFolder.cpp a folder that cannot be written is taken
- return probe.open();
+ return true;
Q03 src/platform/InstanceLock.cpp a lock held by another counts as failed
- return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByOther : Result::Failed;
+ return Result::Failed;
Q04 src/platform/FileSystem.cpp a folder counts as a file
- return statPath(fileName, st) && !S_ISDIR(st.st_mode);
+ return statPath(fileName, st);
Q05 src/platform/FileSystem.cpp a name with a NUL is looked up shortened
- if (native.contains('\0'))
+ if (false)
X01 src/storage/Cp1252.cpp the euro sign's byte reads as a control character
- return b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char16_t(b);
+ return b >= 0x81 && b <= 0x9F ? kHighControls[b - 0x80] : char16_t(b);
X02 src/storage/Cp1252.cpp a character the code page lacks is not reported
- if (!unrepresentable.contains(character))
+ if (false)
X03 src/storage/JournalTable.cpp a quote in a name is not doubled
- quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
+ quoted.replace(QLatin1Char('"'), QStringLiteral("\""));
X04 src/storage/SqliteMonthDb.cpp another program's SQLite file is read as a month
- if (appId != JournalTable::applicationId)
+ if (false)
X05 src/storage/SqliteMonthDb.cpp a file of a newer Barlog is read
- if (version < 1 || version > JournalTable::userVersion)
+ if (version < 1)
X06 src/storage/SqliteMonthDb.cpp an empty text is reported as too long
- if (index >= 0 && value.isEmpty())
+ if (false)
X07 src/storage/MonthDatabase.cpp a record is appended to a file of the Windows program
- return DbErrors::readOnlyJet(datenbank);
+ return {};
X08 src/storage/DbStatus.cpp an existing file is reported as a bad path
- return databaseExists(path);
+ return DbStatus::failure(DbError::InvalidPath, path);
D23 src/exports/DatevExport.cpp an older file's free text in Konto is refused
- if (!std::all_of(konto.cbegin(), konto.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
+ if (false)
D21 src/exports/DatevSettings.cpp SKR04 keeps the SKR03 expense account
- s.aufwandskonto = s.usualAccount(Aufwandskonto.skr03, Aufwandskonto.skr04);
+ s.aufwandskonto = s.usualAccount(Aufwandskonto.skr03, Aufwandskonto.skr03);
D22 src/exports/DatevSettings.cpp another chart keeps the cash account
- s.kasse = s.usualAccount(Kasse.skr03, Kasse.skr04);
+ s.kasse = kasse;
E09 src/editing/CellEntry.cpp an account typed after the blank keeps it
- return {withoutLineBreaks(editorText).trimmed(), {}};
+ return {withoutLineBreaks(editorText), {}};
L13 src/books/MonthAudit.cpp the log names a rate "19%" without its blank
- if (rate.size() > 1 && rate.endsWith(u'%') && rate[rate.size() - 2] != u' ')
+ if (false)
L14 src/books/MonthAudit.cpp the log shows an empty cell as a blank
- return cell->trimmed().isEmpty() ? QStringLiteral("(leer)") : *cell;
+ return *cell;
L15 src/books/MonthAudit.cpp the log takes the income columns' rates from the wrong row
- const Record &row = records[static_cast<size_t>(modul::RowRates)];
+ const Record &row = records[static_cast<size_t>(modul::RowHeadings)];
ST01 src/books/StatusText.cpp one booking is counted in the plural
- return bookings == 1 ? QStringLiteral("1 Buchung") : QStringLiteral("%1 Buchungen").arg(bookings);
+ return QStringLiteral("%1 Buchungen").arg(bookings);
ST02 src/books/StatusText.cpp the carry-over counts as a booking
- for (int r = modul::FirstEntryRow; r < sheet.rows(); ++r)
+ for (int r = modul::RowUebertrag; r < sheet.rows(); ++r)
ST03 src/books/StatusText.cpp the time shows its seconds
- return time.toString(QStringLiteral("HH:mm"));
+ return time.toString(QStringLiteral("HH:mm:ss"));
EOF
}

ids=()
files=()
nths=()
olds=()
news=()
whats=()
parse_faults() {
    local line id="" file what text
    while IFS= read -r line; do
        case $line in
        '' | '#'*) ;;
        '- '* | '+ '*)
            text=${line:2}
            text=${text#"${text%%[![:space:]]*}"}
            [ -n "$id" ] || { echo "mutants.sh: snippet without a fault: $line" >&2; exit 2; }
            if [[ $line == -* ]]; then olds[${#ids[@]} - 1]=$text; else news[${#ids[@]} - 1]=$text; fi ;;
        *)
            read -r id file what <<<"$line"
            ids+=("$id")
            whats+=("$what")
            if [[ $file == *'#'* ]]; then files+=("${file%#*}"); nths+=("${file##*#}"); else files+=("$file"); nths+=(0); fi ;;
        esac
    done < <(faults)
    local i
    for i in "${!ids[@]}"; do
        if [ -z "${olds[i]:-}" ] || [ -z "${news[i]:-}" ] || [ "${olds[i]}" = "${news[i]}" ]; then
            echo "mutants.sh: fault ${ids[i]} needs a snippet and a different replacement" >&2
            exit 2
        fi
    done
}

# Replaces the chosen occurrence of a snippet in a file. Fails, saying why,
# where the snippet is not found or occurs more than once without #n.
mutate() {
    local path=$1 nth=$2 old=$3 new=$4 content rest head="" count=0 k
    IFS= read -r -d '' content <"$path" || true
    rest=$content
    while [[ $rest == *"$old"* ]]; do
        rest=${rest#*"$old"}
        count=$((count + 1))
    done
    if [ "$count" -eq 0 ]; then
        why="snippet not found"
        return 1
    fi
    if [ "$nth" -eq 0 ] && [ "$count" -gt 1 ]; then
        why="snippet found $count times; say which with #n"
        return 1
    fi
    [ "$nth" -gt 0 ] || nth=1
    if [ "$nth" -gt "$count" ]; then
        why="snippet found only $count times, not #$nth"
        return 1
    fi
    rest=$content
    for ((k = 1; k < nth; k++)); do
        head+=${rest%%"$old"*}$old
        rest=${rest#*"$old"}
    done
    head+=${rest%%"$old"*}
    rest=${rest#*"$old"}
    printf '%s' "$head$new$rest" >"$path"
}

parse_faults
selected=()
if [ ${#only[@]} -eq 0 ]; then
    selected=("${!ids[@]}")
else
    for want in "${only[@]}"; do
        found=""
        for i in "${!ids[@]}"; do [ "${ids[i]}" = "$want" ] && found=$i; done
        [ -n "$found" ] || { echo "mutants.sh: no fault $want" >&2; exit 2; }
        selected+=("$found")
    done
fi

if [ "$mode" = list ]; then
    for i in "${selected[@]}"; do
        printf '%s %s: %s\n    - %s\n    + %s\n' "${ids[i]}" "${files[i]}" "${whats[i]}" "${olds[i]}" "${news[i]}"
    done
    exit 0
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/barlog-mutants.XXXXXX")
if [ "$keep" -eq 0 ]; then
    trap 'rm -rf "$scratch"' EXIT
else
    echo "Scratch folder: $scratch"
fi
tree=$scratch/tree
build=$scratch/build
mkdir -p "$tree"
cp -R "$root/src" "$root/tests" "$root/cmake" "$root/dist" "$root/CMakeLists.txt" "$tree/"

if [ "$mode" = check ]; then
    bad=0
    for i in "${selected[@]}"; do
        cp "$tree/${files[i]}" "$scratch/original" 2>/dev/null || { echo "${ids[i]} not applicable: no file ${files[i]}"; bad=1; continue; }
        if ! mutate "$tree/${files[i]}" "${nths[i]}" "${olds[i]}" "${news[i]}"; then
            echo "${ids[i]} not applicable: $why"
            bad=1
        fi
        cp "$scratch/original" "$tree/${files[i]}"
    done
    [ "$bad" -eq 0 ] && echo "All ${#selected[@]} faults apply."
    exit "$bad"
fi

# Compiler caches match across scratch folders.
export CCACHE_BASEDIR=$scratch CCACHE_NOHASHDIR=1
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
echo "Configuring a Debug build without sanitizers in $build"
cmake -S "$tree" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DBARLOG_TESTS=ON -DBARLOG_BENCH=OFF \
    -DBARLOG_FUZZ=OFF -DBARLOG_WERROR=OFF -DBARLOG_SANITIZE=OFF >"$scratch/configure.log" 2>&1 ||
    { cat "$scratch/configure.log"; exit 1; }
mapfile -t targets < <(ctest --test-dir "$build" -N -L '^core$' | sed -n 's/^ *Test *#[0-9]*: *//p')
[ ${#targets[@]} -gt 0 ] || { echo "mutants.sh: no test carries the label core" >&2; exit 1; }

build_tests() { cmake --build "$build" -j"$jobs" --target "${targets[@]}"; }
stop=(--stop-on-failure)
[ "$matrix" -eq 0 ] || stop=()
run_tests() {
    timeout -k 10 "$1" ctest --test-dir "$build" -L '^core$' -j"$jobs" "${stop[@]}"
}

echo "Building the ${#targets[@]} core tests without any fault"
build_tests >"$scratch/build.log" 2>&1 || { tail -40 "$scratch/build.log"; exit 1; }
start=$SECONDS
run_tests 1800 >"$scratch/test.log" 2>&1 || { cat "$scratch/test.log"; echo "mutants.sh: the core tests fail without any fault" >&2; exit 1; }
baseline=$((SECONDS - start))
[ -n "$timeout_s" ] || timeout_s=$((4 * baseline + 60))
echo "The core tests pass in ${baseline}s; each fault gets ${timeout_s}s."
echo

killed=0
by_compile=0
by_timeout=0
survivors=()
inapplicable=()
declare -A kills_of # test name -> the ids of the faults it failed on
n=0
for i in "${selected[@]}"; do
    n=$((n + 1))
    id=${ids[i]}
    path=$tree/${files[i]}
    label=$(printf '[%d/%d] %-4s' "$n" "${#selected[@]}" "$id")
    if ! cp "$path" "$scratch/original" 2>/dev/null; then
        inapplicable+=("$id ${files[i]}: no such file")
        echo "$label not applicable  ${files[i]}: no such file"
        continue
    fi
    if ! mutate "$path" "${nths[i]}" "${olds[i]}" "${news[i]}"; then
        inapplicable+=("$id ${files[i]}: $why")
        echo "$label not applicable  ${files[i]}: $why"
        continue
    fi
    if ! build_tests >"$scratch/build.log" 2>&1; then
        result="killed by compile"
        killed=$((killed + 1))
        by_compile=$((by_compile + 1))
    else
        set +e
        run_tests "$timeout_s" >"$scratch/test.log" 2>&1
        rc=$?
        set -e
        if [ "$rc" -eq 0 ]; then
            result="SURVIVED"
            survivors+=("$id ${files[i]}: ${whats[i]}")
        elif [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
            result="killed by timeout"
            killed=$((killed + 1))
            by_timeout=$((by_timeout + 1))
        else
            failed=$(sed -n 's/^[[:space:]]*[0-9]* - \([A-Za-z0-9_]*\) .*/\1/p' "$scratch/test.log" | sort -u | paste -sd, -)
            result="killed (${failed:-ctest failed})"
            killed=$((killed + 1))
            for t in ${failed//,/ }; do kills_of[$t]+=" $id"; done
        fi
    fi
    # A fresh time stamp, so the next build compiles the original again.
    cp "$scratch/original" "$path"
    echo "$label $result  ${files[i]}: ${whats[i]}"
done

applicable=$((${#selected[@]} - ${#inapplicable[@]}))
echo
echo "Killed $killed/$applicable faults ($by_compile by compile, $by_timeout by timeout);" \
    "${#survivors[@]} survived, ${#inapplicable[@]} not applicable."
if [ ${#survivors[@]} -gt 0 ]; then
    echo "Survivors:"
    printf '  %s\n' "${survivors[@]}"
fi
if [ ${#inapplicable[@]} -gt 0 ]; then
    echo "Not applicable (refresh their snippets):"
    printf '  %s\n' "${inapplicable[@]}"
fi
if [ "$matrix" -eq 1 ]; then
    # A fault that one test alone fails on is that test's sole catch.
    declare -A catchers
    for t in "${!kills_of[@]}"; do
        for id in ${kills_of[$t]}; do catchers[$id]=$((${catchers[$id]:-0} + 1)); done
    done
    echo "Faults each core test catches, and those only it catches:"
    for t in $(printf '%s\n' "${targets[@]}" | sort); do
        sole=()
        for id in ${kills_of[$t]:-}; do [ "${catchers[$id]}" -eq 1 ] && sole+=("$id"); done
        set -- ${kills_of[$t]:-}
        printf '  %-22s %3d caught, %3d alone: %s\n' "$t" $# ${#sole[@]} "${sole[*]:-}"
    done
fi
