#include "exports/DatevExport.h"

#include "editing/EntryDate.h"
#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "exports/DatevColumns.h"
#include "exports/ProblemList.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace DatevExport {
namespace {
constexpr int FormatNumber = 700;
constexpr int Category = 21;
constexpr int FormatVersion = 13;
// Buchungstyp 1: financial accounting; Rechnungslegungszweck 0: none.
constexpr int BookingType = 1;
constexpr int AccountingPurpose = 0;
// Not locked, so that the adviser's office can check the batch first.
constexpr int Festschreibung = 0;
constexpr qsizetype MaxBelegfeld = 36;
constexpr qsizetype MaxText = 60;
constexpr qsizetype MaxLabel = 30;
// Umsatz has at most ten digits before the comma.
constexpr qint64 MaxUmsatzCents = 999999999999;
constexpr qint64 CentsPerEuro = 100;
constexpr int CentDigits = 2;
// Belegdatum is TTMM.
constexpr int DayMonthDigits = 2;
const QString Sep = QStringLiteral(";");
const QString LineEnd = QStringLiteral("\r\n");
const QString Herkunft = QStringLiteral("RE");
const QString Currency = QStringLiteral("EUR");
const QString DateForm = QStringLiteral("yyyyMMdd");

QString quoted(QString text)
{
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

struct Booking
{
    qint64 cents = 0; // positive
    bool debit = true;
    QString counterAccount;
    const QString *taxKey = nullptr;
    int day = 0; // of the date
    int month = 0;
    QString beleg;
    QString text;
};

QString headerLine(const DatevSettings &s, const Period &period, const QDateTime &created)
{
    const QDate fiscalYear(period.from.year(), 1, 1);
    const QString empty;
    const std::array<QString, 31> fields = {quoted(QStringLiteral("EXTF")),
                                            QString::number(FormatNumber),
                                            QString::number(Category),
                                            quoted(QStringLiteral("Buchungsstapel")),
                                            QString::number(FormatVersion),
                                            created.toString(QStringLiteral("yyyyMMddhhmmsszzz")),
                                            empty,
                                            quoted(Herkunft),
                                            quoted(empty),
                                            quoted(empty),
                                            s.beraternummer,
                                            s.mandantennummer,
                                            fiscalYear.toString(DateForm),
                                            s.sachkontenlaenge,
                                            period.from.toString(DateForm),
                                            period.to.toString(DateForm),
                                            quoted(period.label.left(MaxLabel)),
                                            quoted(empty),
                                            QString::number(BookingType),
                                            QString::number(AccountingPurpose),
                                            QString::number(Festschreibung),
                                            quoted(Currency),
                                            empty,
                                            quoted(empty),
                                            empty,
                                            empty,
                                            quoted(s.chartCode()),
                                            empty,
                                            empty,
                                            quoted(empty),
                                            quoted(empty)};
    return QStringList(fields.begin(), fields.end()).join(Sep) + LineEnd;
}

QString headingsLine()
{
    QStringList names;
    for (const char16_t *h : DatevColumns::headings)
        names << QString::fromUtf16(h);
    return names.join(Sep) + LineEnd;
}

// The batch's bytes, written in place as Windows-1252: each line makes room
// for its longest form first, then writes without further checks.
class BatchBytes
{
    static constexpr char16_t AsciiEnd = 0x80;

public:
    explicit BatchBytes(qsizetype expected) : m_bytes(expected, Qt::Uninitialized), m_out(m_bytes.data()) {}

    void room(qsizetype bytes)
    {
        const qsizetype at = m_out - m_bytes.constData();
        if (m_bytes.size() - at >= bytes)
            return;
        m_bytes.resize(std::max(2 * m_bytes.size(), at + bytes));
        m_out = m_bytes.data() + at;
    }
    void byte(char c) { *m_out++ = c; }
    void bytes(char c, qsizetype count)
    {
        std::memset(m_out, c, static_cast<size_t>(count));
        m_out += count;
    }
    void ascii(QLatin1StringView text)
    {
        std::memcpy(m_out, text.data(), static_cast<size_t>(text.size()));
        m_out += text.size();
    }
    void text(QStringView text) { m_out = Cp1252::encodeInto(text, m_out, m_unrepresentable); }
    // In quotes, inner quotes doubled: at most twice its length and two.
    void quoted(QStringView text)
    {
        byte('"');
        for (qsizetype i = 0; i < text.size();) {
            const char16_t u = text[i].unicode();
            if (u >= AsciiEnd) {
                // A run of other characters goes to the code page in one.
                qsizetype end = i + 1;
                while (end < text.size() && text[end].unicode() >= AsciiEnd)
                    ++end;
                this->text(text.sliced(i, end - i));
                i = end;
                continue;
            }
            byte(static_cast<char>(u));
            if (u == u'"')
                byte('"');
            ++i;
        }
        byte('"');
    }
    // A number of at least width digits, leading zeros filled in.
    void number(qint64 value, int width = 1)
    {
        char digits[std::numeric_limits<qint64>::digits10 + 1];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0 || count < width);
        while (count > 0)
            byte(digits[--count]);
    }

    QByteArray finish(QStringList &unrepresentable)
    {
        m_bytes.truncate(m_out - m_bytes.constData());
        unrepresentable = std::move(m_unrepresentable);
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    char *m_out;
    QStringList m_unrepresentable;
};

// The literal fields of a booking line: separators, quotes, the amount and the date.
constexpr qsizetype BookingLineRoom = DatevColumns::Count + 64;

void appendBooking(BatchBytes &out, const DatevSettings &s, const Booking &b)
{
    const QString empty;
    const QString &taxKey = b.taxKey != nullptr ? *b.taxKey : empty;
    out.room(BookingLineRoom + s.kasse.size() + b.counterAccount.size() + 2 * taxKey.size() + 2 * b.beleg.size()
             + 2 * b.text.size());
    for (int field = 0; field <= DatevColumns::Buchungstext; ++field) {
        switch (field) {
        case DatevColumns::Umsatz:
            out.number(b.cents / CentsPerEuro);
            out.byte(',');
            out.number(b.cents % CentsPerEuro, CentDigits);
            break;
        case DatevColumns::SollHaben:
            out.ascii(b.debit ? QLatin1StringView("\"S\"") : QLatin1StringView("\"H\""));
            break;
        case DatevColumns::WkzUmsatz:
            out.quoted(Currency);
            break;
        case DatevColumns::Konto:
            out.text(s.kasse);
            break;
        case DatevColumns::Gegenkonto:
            out.text(b.counterAccount);
            break;
        case DatevColumns::BuSchluessel:
            out.quoted(taxKey);
            break;
        case DatevColumns::Belegdatum:
            out.number(b.day, DayMonthDigits);
            out.number(b.month, DayMonthDigits);
            break;
        case DatevColumns::Belegfeld1:
            out.quoted(b.beleg);
            break;
        case DatevColumns::Buchungstext:
            out.quoted(b.text);
            break;
        default:
            break;
        }
        out.byte(';');
    }
    // The fields after the text stay empty; the last one has no separator.
    out.bytes(';', DatevColumns::Count - 1 - (DatevColumns::Buchungstext + 1));
    out.ascii(QLatin1StringView("\r\n"));
}

class Collector
{
public:
    Collector(const DatevSettings &settings, bool namesMonth) : m_settings(settings), m_namesMonth(namesMonth) {}

    void month(const MonthSheet &m)
    {
        const FlexGridStore &sheet = *m.sheet;
        for (int r = modul::FirstEntryRow; r < sheet.rows(); ++r) {
            std::array<qint64, modul::RateCount> income{};
            bool any = false;
            for (int c = 0; c < modul::RateCount; ++c) {
                income[static_cast<size_t>(c)] = modul::centsOf(sheet.textMatrix(r, modul::ColEinnahmen1 + c));
                any = any || income[static_cast<size_t>(c)] != 0;
            }
            const qint64 expense = modul::centsOf(sheet.textMatrix(r, modul::ColAusgaben));
            if (!any && expense == 0)
                continue;
            const std::optional<int> day = dayOf(m, r);
            const std::optional<QString> konto = kontoOf(m, r);
            if (!day || !konto)
                continue;
            Booking b;
            b.day = *day;
            b.month = m.month;
            b.beleg = belegfeld(sheet.textMatrix(r, modul::ColBeleg));
            // One line: DATEV reads a booking per line.
            b.text = sheet.textMatrix(r, modul::ColText).simplified().left(MaxText).trimmed();
            // An account the row names is the counter-account of all its
            // amounts, with no tax key: a private withdrawal, a bank deposit
            // or a cash difference carries no tax.
            const bool named = !konto->isEmpty();
            for (int c = 0; c < modul::RateCount; ++c)
                add(b, m, r, income[static_cast<size_t>(c)], true,
                    named ? *konto : m_settings.erloeskonten[static_cast<size_t>(c)], nullptr);
            add(b, m, r, expense, false, named ? *konto : m_settings.aufwandskonto,
                named ? nullptr : &m_settings.buSchluessel);
        }
    }

    std::vector<Booking> bookings;
    QStringList problems;

private:
    QString where(const MonthSheet &m, int row) const
    {
        const QString line = QStringLiteral("Zeile %1").arg(row);
        if (!m_namesMonth)
            return line;
        return QStringLiteral("%1-%2, %3").arg(m.year).arg(m.month, 2, 10, QLatin1Char('0')).arg(line);
    }

    // The day of the row's date, which lies in the month.
    std::optional<int> dayOf(const MonthSheet &m, int row)
    {
        const QString &text = m.sheet->textMatrix(row, modul::ColDatum);
        const std::optional<QDate> date = modul::entryDate(text, m.year);
        if (!date) {
            problems << (text.trimmed().isEmpty()
                             ? QStringLiteral("%1: Das Datum fehlt.").arg(where(m, row))
                             : QStringLiteral("%1: „%2“ ist kein gültiges Datum.").arg(where(m, row), text));
            return std::nullopt;
        }
        int year = 0;
        int month = 0;
        int day = 0;
        date->getDate(&year, &month, &day);
        if (year != m.year || month != m.month) {
            problems << QStringLiteral("%1: Das Datum %2 liegt nicht im Monat %3/%4.")
                            .arg(where(m, row), date->toString(QStringLiteral("dd.MM.yyyy")))
                            .arg(m.month, 2, 10, QLatin1Char('0'))
                            .arg(m.year);
            return std::nullopt;
        }
        return day;
    }

    // The row's Konto: an account number of the books' length, or empty for
    // the settings' accounts. Older files hold free text there ("Bank"),
    // which books as an empty Konto, so that closed months stay exportable;
    // only digits of the wrong length are refused.
    std::optional<QString> kontoOf(const MonthSheet &m, int row)
    {
        const QString konto = m.sheet->textMatrix(row, modul::ColKonto).trimmed();
        if (konto.isEmpty() || m_settings.isAccount(konto))
            return konto;
        if (!std::all_of(konto.cbegin(), konto.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return QString();
        problems << QStringLiteral("%1: Das Konto „%2“ ist keine Kontonummer aus %3 Ziffern.")
                        .arg(where(m, row), konto)
                        .arg(m_settings.accountLength());
        return std::nullopt;
    }

    // The side follows the sign: a negative income takes money out of the till.
    void add(Booking b, const MonthSheet &m, int row, qint64 cents, bool income, const QString &counterAccount,
             const QString *taxKey)
    {
        if (cents == 0)
            return;
        const qint64 magnitude = cents < 0 ? -cents : cents;
        if (magnitude > MaxUmsatzCents) {
            problems << QStringLiteral("%1: Der Betrag %2 ist zu groß für das DATEV-Format.")
                            .arg(where(m, row), German::formatCents(cents));
            return;
        }
        b.cents = magnitude;
        b.debit = income == (cents > 0);
        b.counterAccount = counterAccount;
        b.taxKey = taxKey != nullptr && !taxKey->isEmpty() ? taxKey : nullptr;
        bookings.push_back(std::move(b));
    }

    const DatevSettings &m_settings;
    bool m_namesMonth;
};
} // namespace

Period monthPeriod(int year, int month)
{
    const QDate first(year, month, 1);
    return {first, first.addMonths(1).addDays(-1),
            QStringLiteral("Kassenbuch %1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0'))};
}

Period yearPeriod(int year)
{
    return {QDate(year, 1, 1), QDate(year, 12, 31), QStringLiteral("Kassenbuch %1").arg(year)};
}

QString belegfeld(const QString &receipt)
{
    QString kept;
    kept.reserve(std::min(receipt.size(), MaxBelegfeld));
    for (const QChar c : receipt) {
        const char16_t u = c.unicode();
        bool allowed = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
        switch (u) {
        case u'$':
        case u'&':
        case u'%':
        case u'*':
        case u'+':
        case u'-':
        case u'/':
        case u'_':
            allowed = true;
            break;
        default:
            break;
        }
        if (allowed && kept.size() < MaxBelegfeld)
            kept += c;
    }
    return kept;
}

Result write(const DatevSettings &settings, const Period &period, const std::vector<MonthSheet> &months,
             const QDateTime &created)
{
    Result result;
    result.refusal = settings.exportProblem();
    if (!result.ok())
        return result;
    // A batch of more than one month names the month of each row it refuses.
    Collector collector(settings, period.from.month() != period.to.month());
    qsizetype rows = 0;
    for (const MonthSheet &m : months)
        rows += m.sheet->rows();
    // Most rows book one amount.
    collector.bookings.reserve(static_cast<size_t>(rows));
    for (const MonthSheet &m : months)
        collector.month(m);
    if (!collector.problems.isEmpty()) {
        result.refusal = problemMessage(
            QStringLiteral("Der DATEV-Export wurde nicht geschrieben, denn diese Zeilen lassen sich nicht buchen:"),
            collector.problems, QStringLiteral("Bitte berichtigen und erneut exportieren."));
        return result;
    }
    if (collector.bookings.empty()) {
        result.refusal = QStringLiteral("Es gibt nichts zu exportieren: keine Zeile hat einen Betrag.");
        return result;
    }
    const QString head = headerLine(settings, period, created) + headingsLine();
    BatchBytes out(head.size() + static_cast<qsizetype>(collector.bookings.size()) * BookingLineRoom);
    out.room(head.size());
    out.text(head);
    for (const Booking &b : collector.bookings)
        appendBooking(out, settings, b);
    result.bytes = out.finish(result.unrepresentable);
    result.bookings = static_cast<int>(collector.bookings.size());
    return result;
}

} // namespace DatevExport
