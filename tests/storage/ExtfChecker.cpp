#include "ExtfChecker.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>

namespace ExtfChecker {
namespace {
constexpr int HeaderFields = 31;
constexpr int BookingFields = 125;

// A field of the header (line 1) or of every booking (line 3): a text
// field stands in quotes, and its value must match the pattern. The
// header's fixed fields are held by the reference file.
struct Rule
{
    int line;
    int field;
    bool text;
    const char *pattern;
    const char *name;
};
constexpr Rule Rules[] = {{1, 6, false, "20\\d{15}", "Erzeugt am"},
                          {1, 11, false, "(?!1000$)[1-9]\\d{3,6}", "Beraternummer"},
                          {1, 12, false, "[1-9]\\d{0,4}", "Mandantennummer"},
                          {1, 13, false, "\\d{4}0101", "WJ-Beginn"},
                          {1, 14, false, "[4-8]", "Sachkontenlänge"},
                          {1, 15, false, "\\d{8}", "Datum vom"},
                          {1, 16, false, "\\d{8}", "Datum bis"},
                          {1, 17, true, ".{0,30}", "Bezeichnung"},
                          {1, 27, true, "0[34]", "Kontenrahmen"},
                          {3, 1, false, "(?!0+,00$)\\d{1,10},\\d{2}", "Umsatz"},
                          {3, 2, true, "[SH]", "S/H"},
                          {3, 3, true, "(EUR)?", "WKZ Umsatz"},
                          {3, 7, false, "\\d{4,8}", "Konto"},
                          {3, 8, false, "\\d{4,8}", "Gegenkonto"},
                          {3, 9, true, "\\d{0,4}", "BU-Schlüssel"},
                          {3, 10, false, "\\d{4}", "Belegdatum"},
                          {3, 11, true, "[A-Za-z0-9$&%*+\\-/_]{0,36}", "Belegfeld 1"},
                          {3, 12, true, ".{0,12}", "Belegfeld 2"},
                          {3, 14, true, "[^\\r\\n\\t]{0,60}", "Buchungstext"}};

QString unquoted(const QString &raw)
{
    return raw.startsWith(u'"') ? raw.mid(1, raw.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""))
                                : raw;
}

// The fields as they stand in the file, quotes kept.
QList<QStringList> rawLines(const QByteArray &bytes)
{
    static const QRegularExpression field(QStringLiteral("(\"(?:[^\"]|\"\")*\"|[^;\"]*)(;|$)"));
    const QString text = QStringDecoder("windows-1252").decode(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF") || !text.endsWith(QStringLiteral("\r\n")))
        return {};
    QList<QStringList> lines;
    for (const QString &line : text.chopped(2).split(QStringLiteral("\r\n"))) {
        lines.append(QStringList());
        for (qsizetype at = 0;;) {
            const QRegularExpressionMatch m =
                field.match(line, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
            if (!m.hasMatch() || m.captured(1).contains(u'\r') || m.captured(1).contains(u'\n'))
                return {}; // a stray quote or a lone line break
            lines.last() << m.captured(1);
            if (m.captured(2).isEmpty())
                break;
            at = m.capturedEnd();
        }
    }
    return lines;
}
} // namespace

QList<QStringList> parse(const QByteArray &bytes)
{
    QList<QStringList> lines = rawLines(bytes);
    for (QStringList &line : lines)
        for (QString &f : line)
            f = unquoted(f);
    return lines;
}

QStringList findings(const QByteArray &bytes)
{
    const QList<QStringList> raw = rawLines(bytes);
    if (raw.size() < 3)
        return {QStringLiteral("keine Datei aus Kopfzeile, Überschriften und Buchungen")};
    const QList<QStringList> lines = parse(bytes);
    const QStringList &header = lines[0];
    const QDate from = QDate::fromString(header.value(14), QStringLiteral("yyyyMMdd"));
    const QDate to = QDate::fromString(header.value(15), QStringLiteral("yyyyMMdd"));
    const QString fiscal = header.value(12).left(4);
    const QStringList automatic = header.value(26) == QStringLiteral("03")
                                      ? QStringList{QStringLiteral("8300"), QStringLiteral("8400")}
                                      : QStringList{QStringLiteral("4300"), QStringLiteral("4400")};
    QStringList found;
    for (int l = 0; l < lines.size(); ++l) {
        const QStringList &v = lines[l];
        const auto expect = [&](int field, bool ok, const QString &what) {
            if (!ok)
                found << QStringLiteral("Zeile %1, Feld %2: %3").arg(l + 1).arg(field).arg(what);
        };
        expect(0, v.size() == (l == 0 ? HeaderFields : BookingFields), QStringLiteral("Felderzahl"));
        for (const Rule &r : Rules) {
            if (r.line != std::min(l + 1, 3) || r.field > v.size())
                continue;
            const QString &field = raw[l][r.field - 1];
            const bool quoting = r.text ? field.isEmpty() || field.startsWith(u'"') : !field.startsWith(u'"');
            const QRegularExpression pattern(QRegularExpression::anchoredPattern(QString::fromUtf8(r.pattern)));
            expect(r.field, quoting && pattern.match(v[r.field - 1]).hasMatch(), QString::fromUtf8(r.name));
        }
        if (l == 0) {
            expect(16, from.isValid() && from <= to && from.year() == fiscal.toInt() && to.year() == from.year(),
                   QStringLiteral("Zeitraum"));
        } else if (l >= 2 && v.size() == BookingFields) {
            for (int f : {7, 8})
                expect(f, v[f - 1].size() == header.value(13).toInt(), QStringLiteral("Kontolänge"));
            expect(8, v[6] != v[7], QStringLiteral("Konto gleich Gegenkonto"));
            expect(9, v[8].isEmpty() || !automatic.contains(v[7]), QStringLiteral("BU auf Automatikkonto"));
            const QDate date(from.year(), v[9].mid(2, 2).toInt(), v[9].left(2).toInt());
            expect(10, date.isValid() && date >= from && date <= to, QStringLiteral("Belegdatum"));
        }
    }
    return found;
}

} // namespace ExtfChecker
