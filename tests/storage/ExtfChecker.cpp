#include "ExtfChecker.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>

namespace ExtfChecker {
namespace {
constexpr int HeaderFields = 31;
constexpr int BookingFields = 125;

bool matches(const QString &text, const char *pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromLatin1(pattern))).match(text).hasMatch();
}

QDate ymd(const QString &text)
{
    return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}

struct Pattern
{
    int field;
    const char *regex;
    const char *name;
};

// Header fields by the format description; texts are checked for quotes apart.
constexpr Pattern HeaderPatterns[] = {{1, "EXTF", "Kennzeichen"},
                                      {2, "700", "Versionsnummer"},
                                      {3, "21", "Formatkategorie"},
                                      {4, "Buchungsstapel", "Formatname"},
                                      {5, "13", "Formatversion"},
                                      {6, "20\\d{15}", "Erzeugt am"},
                                      {11, "[1-9]\\d{3,6}", "Beraternummer"},
                                      {12, "[1-9]\\d{0,4}", "Mandantennummer"},
                                      {14, "[4-8]", "Sachkontenlänge"},
                                      {17, ".{0,30}", "Bezeichnung"},
                                      {21, "[01]?", "Festschreibung"},
                                      {22, "EUR", "WKZ"},
                                      {27, "0[34]", "Kontenrahmen"}};
constexpr Pattern BookingPatterns[] = {{1, "\\d{1,10},\\d{2}", "Umsatz"},
                                       {2, "[SH]", "S/H"},
                                       {3, "(EUR)?", "WKZ Umsatz"},
                                       {9, "\\d{0,4}", "BU-Schlüssel"},
                                       {10, "\\d{4}", "Belegdatum"},
                                       {11, "[A-Za-z0-9$&%*+\\-/_]{0,36}", "Belegfeld 1"},
                                       {14, "[^\\r\\n\\t]{0,60}", "Buchungstext"}};

class Rules
{
public:
    QStringList found;

    void line(int number, const Line &fields, int count, std::initializer_list<int> texts)
    {
        m_line = number;
        m_fields = &fields;
        if (fields.size() != count)
            add(0, QStringLiteral("%1 Felder statt %2").arg(fields.size()).arg(count));
        for (int f : texts) {
            if (!value(f).isEmpty() && !fields[f - 1].quoted)
                add(f, QStringLiteral("Text ohne Anführungszeichen"));
        }
    }

    void header(const Line &h)
    {
        line(1, h, HeaderFields, {1, 4, 8, 9, 10, 17, 18, 22, 27, 31});
        for (const Pattern &p : HeaderPatterns)
            expect(p.field, matches(value(p.field), p.regex), QString::fromUtf8(p.name));
        expect(11, value(11).toInt() >= 1001, QStringLiteral("Beraternummer"));
        const QDate fiscal = ymd(value(13));
        m_from = ymd(value(15));
        m_to = ymd(value(16));
        expect(13, fiscal.isValid() && fiscal.month() == 1 && fiscal.day() == 1, QStringLiteral("WJ-Beginn"));
        expect(16, m_from.isValid() && m_from <= m_to && m_from >= fiscal && m_to < fiscal.addYears(1),
               QStringLiteral("Zeitraum"));
        m_accountLength = value(14).toInt();
        m_automatic = value(27) == QStringLiteral("03") ? QStringList{QStringLiteral("8300"), QStringLiteral("8400")}
                                                        : QStringList{QStringLiteral("4300"), QStringLiteral("4400")};
    }

    void headings(const Line &h)
    {
        line(2, h, BookingFields, {});
        const QList<QPair<int, QString>> known = {{1, QStringLiteral("Umsatz (ohne Soll/Haben-Kz)")},
                                                  {7, QStringLiteral("Konto")},
                                                  {8, QStringLiteral("Gegenkonto (ohne BU-Schlüssel)")},
                                                  {10, QStringLiteral("Belegdatum")},
                                                  {14, QStringLiteral("Buchungstext")},
                                                  {114, QStringLiteral("Festschreibung")},
                                                  {125, QStringLiteral("Abw. Skontokonto")}};
        for (const auto &[field, name] : known)
            expect(field, value(field) == name, QStringLiteral("Überschrift"));
    }

    void booking(int number, const Line &b)
    {
        line(number, b, BookingFields, {2, 3, 9, 11, 12, 14});
        for (const Pattern &p : BookingPatterns)
            expect(p.field, matches(value(p.field), p.regex), QString::fromUtf8(p.name));
        expect(1, !matches(value(1), "0+,00"), QStringLiteral("Umsatz"));
        for (int f : {7, 8})
            expect(f, matches(value(f), "\\d+") && value(f).size() == m_accountLength, QStringLiteral("Konto"));
        expect(8, value(7) != value(8), QStringLiteral("Konto gleich Gegenkonto"));
        expect(9, value(9).isEmpty() || !m_automatic.contains(value(8)), QStringLiteral("BU auf Automatikkonto"));
        const QDate date(m_from.year(), value(10).mid(2, 2).toInt(), value(10).left(2).toInt());
        expect(10, date.isValid() && date >= m_from && date <= m_to, QStringLiteral("Belegdatum"));
    }

private:
    QString value(int field) const { return field <= m_fields->size() ? (*m_fields)[field - 1].text : QString(); }
    void add(int field, const QString &what)
    {
        found << QStringLiteral("Zeile %1, Feld %2: %3").arg(m_line).arg(field).arg(what);
    }
    void expect(int field, bool ok, const QString &what)
    {
        if (!ok)
            add(field, what);
    }

    int m_line = 0;
    const Line *m_fields = nullptr;
    int m_accountLength = 0;
    QDate m_from;
    QDate m_to;
    QStringList m_automatic;
};
} // namespace

QList<Line> parse(const QByteArray &bytes)
{
    QStringDecoder cp1252("windows-1252");
    const QString text = cp1252.decode(bytes);
    if (!text.endsWith(QStringLiteral("\r\n")))
        return {};
    QList<Line> lines;
    Line line;
    Field field;
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if (inQuotes && c == u'"') {
            inQuotes = doubled;
            if (doubled)
                field.text += text[++i];
        } else if (inQuotes) {
            field.text += c;
        } else if (c == u'"' && field.text.isEmpty() && !field.quoted) {
            inQuotes = field.quoted = true;
        } else if (c == u';') {
            line << std::exchange(field, {});
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            line << std::exchange(field, {});
            lines << std::exchange(line, {});
            ++i;
        } else if (c == u'\r' || c == u'\n' || field.quoted) {
            return {}; // a lone line break, or text after a closing quote
        } else {
            field.text += c;
        }
    }
    return inQuotes ? QList<Line>() : lines;
}

QStringList findings(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {QStringLiteral("Byte Order Mark vor Windows-1252")};
    const QList<Line> lines = parse(bytes);
    if (lines.size() < 3)
        return {QStringLiteral("keine Datei aus Kopfzeile, Überschriften und Buchungen")};
    Rules rules;
    rules.header(lines[0]);
    rules.headings(lines[1]);
    for (int i = 2; i < lines.size(); ++i)
        rules.booking(i + 1, lines[i]);
    return rules.found;
}

} // namespace ExtfChecker
