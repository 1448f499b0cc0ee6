#include "ExtfChecker.h"

#include <QDate>
#include <QDateTime>
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
    return matches(text, "\\d{8}") ? QDate::fromString(text, QStringLiteral("yyyyMMdd")) : QDate();
}

class Rules
{
public:
    QStringList found;

    void header(const Line &h)
    {
        const auto value = [&h](int field) { return field <= h.size() ? h[field - 1].text : QString(); };
        if (h.size() != HeaderFields)
            add(1, 0, QStringLiteral("%1 Felder statt 31").arg(h.size()));
        for (int f : {1, 4, 8, 9, 10, 17, 18, 22, 27, 31}) {
            if (f <= h.size() && !h[f - 1].text.isEmpty() && !h[f - 1].quoted)
                add(1, f, QStringLiteral("Text ohne Anführungszeichen"));
        }
        expect(1, value(1) == QStringLiteral("EXTF"), QStringLiteral("Kennzeichen"));
        expect(2, value(2) == QStringLiteral("700"), QStringLiteral("Versionsnummer"));
        expect(3, value(3) == QStringLiteral("21"), QStringLiteral("Formatkategorie"));
        expect(4, value(4) == QStringLiteral("Buchungsstapel"), QStringLiteral("Formatname"));
        expect(5, value(5) == QStringLiteral("13"), QStringLiteral("Formatversion"));
        expect(6,
               matches(value(6), "20\\d{15}")
                   && QDateTime::fromString(value(6), QStringLiteral("yyyyMMddhhmmsszzz")).isValid(),
               QStringLiteral("Erzeugt am"));
        expect(11, matches(value(11), "[1-9]\\d{3,6}") && value(11).toInt() >= 1001, QStringLiteral("Beraternummer"));
        expect(12, matches(value(12), "[1-9]\\d{0,4}"), QStringLiteral("Mandantennummer"));
        m_fiscalStart = ymd(value(13));
        expect(13, m_fiscalStart.isValid(), QStringLiteral("WJ-Beginn"));
        expect(14, matches(value(14), "[4-8]"), QStringLiteral("Sachkontenlänge"));
        m_accountLength = value(14).toInt();
        m_from = ymd(value(15));
        m_to = ymd(value(16));
        expect(15, m_from.isValid(), QStringLiteral("Datum vom"));
        expect(16, m_to.isValid() && m_from <= m_to && m_from.year() == m_to.year(), QStringLiteral("Datum bis"));
        if (m_fiscalStart.isValid() && m_from.isValid())
            expect(15, m_from >= m_fiscalStart && m_to < m_fiscalStart.addYears(1),
                   QStringLiteral("außerhalb des Wirtschaftsjahres"));
        expect(17, value(17).size() <= 30, QStringLiteral("Bezeichnung zu lang"));
        expect(21, value(21).isEmpty() || value(21) == QStringLiteral("0") || value(21) == QStringLiteral("1"),
               QStringLiteral("Festschreibung"));
        expect(22, value(22) == QStringLiteral("EUR"), QStringLiteral("WKZ"));
        m_chart = value(27);
        expect(27, m_chart == QStringLiteral("03") || m_chart == QStringLiteral("04"), QStringLiteral("Kontenrahmen"));
        m_line = 1;
    }

    void headings(const Line &h)
    {
        m_line = 2;
        if (h.size() != BookingFields)
            add(2, 0, QStringLiteral("%1 Überschriften statt 125").arg(h.size()));
        const QList<QPair<int, QString>> known = {{1, QStringLiteral("Umsatz (ohne Soll/Haben-Kz)")},
                                                  {2, QStringLiteral("Soll/Haben-Kennzeichen")},
                                                  {7, QStringLiteral("Konto")},
                                                  {8, QStringLiteral("Gegenkonto (ohne BU-Schlüssel)")},
                                                  {9, QStringLiteral("BU-Schlüssel")},
                                                  {10, QStringLiteral("Belegdatum")},
                                                  {11, QStringLiteral("Belegfeld 1")},
                                                  {14, QStringLiteral("Buchungstext")},
                                                  {114, QStringLiteral("Festschreibung")},
                                                  {125, QStringLiteral("Abw. Skontokonto")}};
        for (const auto &[field, name] : known)
            expect(field, field <= h.size() && h[field - 1].text == name, QStringLiteral("Überschrift"));
    }

    void booking(int line, const Line &b)
    {
        m_line = line;
        const auto value = [&b](int field) { return field <= b.size() ? b[field - 1].text : QString(); };
        if (b.size() != BookingFields)
            add(line, 0, QStringLiteral("%1 Felder statt 125").arg(b.size()));
        for (int f : {2, 3, 9, 11, 12, 14}) {
            if (f <= b.size() && !b[f - 1].text.isEmpty() && !b[f - 1].quoted)
                add(line, f, QStringLiteral("Text ohne Anführungszeichen"));
        }
        expect(1, matches(value(1), "\\d{1,10},\\d{2}") && !matches(value(1), "0+,00"), QStringLiteral("Umsatz"));
        expect(2, value(2) == QStringLiteral("S") || value(2) == QStringLiteral("H"), QStringLiteral("S/H"));
        expect(3, value(3).isEmpty() || value(3) == QStringLiteral("EUR"), QStringLiteral("WKZ Umsatz"));
        for (int f : {7, 8})
            expect(f, matches(value(f), "\\d+") && value(f).size() == m_accountLength, QStringLiteral("Konto"));
        expect(8, value(7) != value(8), QStringLiteral("Konto gleich Gegenkonto"));
        expect(9, matches(value(9), "\\d{0,4}"), QStringLiteral("BU-Schlüssel"));
        const QStringList automatic = m_chart == QStringLiteral("03")
                                          ? QStringList{QStringLiteral("8300"), QStringLiteral("8400")}
                                          : QStringList{QStringLiteral("4300"), QStringLiteral("4400")};
        expect(9, value(9).isEmpty() || !automatic.contains(value(8)), QStringLiteral("BU auf Automatikkonto"));
        bool dateOk = matches(value(10), "\\d{4}");
        const QDate date(m_from.year(), value(10).mid(2, 2).toInt(), value(10).left(2).toInt());
        dateOk = dateOk && date.isValid() && date >= m_from && date <= m_to;
        expect(10, dateOk, QStringLiteral("Belegdatum"));
        expect(11, matches(value(11), "[A-Za-z0-9$&%*+\\-/_]{0,36}"), QStringLiteral("Belegfeld 1"));
        expect(14, value(14).size() <= 60, QStringLiteral("Buchungstext zu lang"));
        for (int f = 1; f <= b.size(); ++f) {
            if (b[f - 1].text.contains(QRegularExpression(QStringLiteral("[\\r\\n\\t]"))))
                add(line, f, QStringLiteral("Steuerzeichen"));
        }
    }

    void add(int line, int field, const QString &what)
    {
        found << QStringLiteral("Zeile %1, Feld %2: %3").arg(line).arg(field).arg(what);
    }

private:
    void expect(int field, bool ok, const QString &what)
    {
        if (!ok)
            add(m_line, field, what);
    }

    int m_line = 1;
    int m_accountLength = 0;
    QDate m_fiscalStart;
    QDate m_from;
    QDate m_to;
    QString m_chart;
};

// Windows-1252 without the five bytes it leaves undefined.
QString decodeCp1252(const QByteArray &bytes, bool &ok)
{
    static const char16_t high[32] = {u'€',      u'\uFFFD', u'‚', u'ƒ', u'„', u'…',      u'†', u'‡',
                                      u'ˆ',      u'‰',      u'Š', u'‹', u'Œ', u'\uFFFD', u'Ž', u'\uFFFD',
                                      u'\uFFFD', u'‘',      u'’', u'“', u'”', u'•',      u'–', u'—',
                                      u'˜',      u'™',      u'š', u'›', u'œ', u'\uFFFD', u'ž', u'Ÿ'};
    QString text;
    ok = true;
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const QChar c = b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(char16_t(b));
        ok = ok && c != QChar(u'\uFFFD');
        text += c;
    }
    return text;
}
} // namespace

QList<Line> parse(const QByteArray &bytes)
{
    bool ok = false;
    const QString text = decodeCp1252(bytes, ok);
    if (!ok || !text.endsWith(QStringLiteral("\r\n")))
        return {};
    QList<Line> lines;
    Line line;
    Field field;
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field.text += c;
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                field.text += c;
            }
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
