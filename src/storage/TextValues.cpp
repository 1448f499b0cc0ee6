#include "storage/TextValues.h"

#include "platform/FileSystem.h"
#include "storage/Cp1252.h"
#include "storage/JournalTable.h"
#include "storage/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {
constexpr QChar kQuote = u'"';
constexpr QByteArrayView kLineEnd = "\r\n";

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}
// Control characters other than tab and line ends never come from typing:
// such a file is binary, or damaged.
bool isText(QByteArrayView bytes)
{
    constexpr unsigned char Del = 0x7F;
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < ' ' && b != '\t' && b != '\r' && b != '\n') || b == Del;
    });
}
bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString quoted(const QString &text)
{
    return QStringLiteral("„") + text + QStringLiteral("“");
}

// The line a value is written as, or why no line reads back as that value.
struct ValueLine
{
    QString text;
    QString problem;
};

ValueLine valueLine(const QString &value)
{
    const auto refuse = [&value](const QString &why) {
        return ValueLine{{},
                         QStringLiteral("Der Text %1 %2 und lässt sich so nicht speichern.").arg(quoted(value), why)};
    };
    if (value.contains(u'\r') || value.contains(u'\n'))
        return refuse(QStringLiteral("enthält einen Zeilenumbruch"));
    // A leading quote always opens a quoted value, which can never hold a quote itself.
    if (value.startsWith(kQuote))
        return refuse(QStringLiteral("beginnt mit einem Anführungszeichen"));
    // Quotes keep a comma inside the value, and blanks in front of it, and an
    // empty value from vanishing among the line ends.
    const bool needsQuotes = value.isEmpty() || isBlank(value.front()) || value.contains(u',');
    if (!needsQuotes)
        return {value, {}};
    if (value.contains(kQuote))
        return refuse(
            QStringLiteral("enthält ein Anführungszeichen und zugleich ein Komma oder Leerzeichen am Anfang"));
    return {kQuote + value + kQuote, {}};
}
} // namespace

QString decodeTextFile(QByteArrayView bytes)
{
    constexpr QByteArrayView bom = "\xEF\xBB\xBF";
    const bool hasBom = bytes.startsWith(bom);
    const QByteArrayView body = hasBom ? bytes.sliced(bom.size()) : bytes;
    if (hasBom || !isAscii(body)) {
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString text = utf8.decode(body);
        if (!utf8.hasError())
            return text;
    }
    return Cp1252::decode(bytes);
}

TextValueReader::TextValueReader(QString text) : m_text(std::move(text)) {}

qsizetype TextValueReader::startOfNextValue() const
{
    qsizetype p = m_pos;
    while (p < m_text.size() && (isBlank(m_text[p]) || isLineEnd(m_text[p])))
        ++p;
    return p;
}

bool TextValueReader::atEnd() const
{
    return startOfNextValue() >= m_text.size();
}

// A value ends at a comma, which belongs to it; a line end needs no consuming,
// since line ends before a value are skipped anyway.
void TextValueReader::skipComma()
{
    if (m_pos < m_text.size() && m_text[m_pos] == u',')
        ++m_pos;
}

std::optional<QString> TextValueReader::next()
{
    const qsizetype start = startOfNextValue();
    if (start >= m_text.size()) {
        m_pos = start;
        return std::nullopt;
    }
    QString value;
    if (m_text[start] == kQuote) {
        const qsizetype close = m_text.indexOf(kQuote, start + 1);
        // An unclosed quote runs to the end of the data.
        const qsizetype end = close < 0 ? m_text.size() : close;
        value = m_text.sliced(start + 1, end - start - 1);
        m_pos = close < 0 ? end : close + 1;
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    } else {
        qsizetype end = start;
        while (end < m_text.size() && m_text[end] != u',' && !isLineEnd(m_text[end]))
            ++end;
        value = m_text.sliced(start, end - start);
        m_pos = end;
    }
    skipComma();
    return value;
}

QStringList readTextValues(const QString &text, qsizetype count)
{
    QStringList values;
    TextValueReader reader(text);
    while (values.size() < count) {
        std::optional<QString> value = reader.next();
        if (!value)
            break;
        values.append(std::move(*value));
    }
    return values;
}

EncodedTextValues encodeTextValues(const QStringList &values)
{
    EncodedTextValues result;
    for (const QString &value : values) {
        const ValueLine line = valueLine(value);
        if (!line.problem.isEmpty())
            return {{}, line.problem};
        const Cp1252::Encoded encoded = Cp1252::encode(line.text);
        if (!encoded.unrepresentable.isEmpty()) {
            return {{},
                    QStringLiteral("Der Text %1 enthält Zeichen, die sich in der Datei nicht speichern lassen: %2")
                        .arg(quoted(value), encoded.unrepresentable.join(QStringLiteral(" ")))};
        }
        result.bytes += encoded.bytes;
        result.bytes += kLineEnd;
    }
    // The whole file decides how it is decoded: Windows-1252 bytes that happen
    // to form UTF-8 would come back as other characters.
    const QStringList readBack = readTextValues(decodeTextFile(result.bytes), values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i >= readBack.size() || readBack[i] != values[i]) {
            return {{},
                    QStringLiteral(
                        "Der Text %1 würde aus der Datei verändert zurückgelesen und lässt sich so nicht speichern.")
                        .arg(quoted(values[i]))};
        }
    }
    return result;
}

ValueFile::ValueFile(const QString &programFolder, ValueFileKind kind, qsizetype count)
    : m_kind(std::move(kind)),
      m_path(programFolder + u'/' + m_kind.fileName),
      m_count(count)
{
}

ValueFileRead ValueFile::unreadable(const QStringList &defaults, const QString &why) const
{
    ValueFileRead result;
    result.values = defaults;
    result.state = ValueFileState::Unreadable;
    result.message = why + u' ' + m_kind.defaultsNote;
    return result;
}

ValueFileRead ValueFile::read(const QStringList &defaults) const
{
    Q_ASSERT(defaults.size() == m_count);
    if (DirExists(m_path))
        return unreadable(defaults, QStringLiteral("An der Stelle der Datei %1 liegt ein Ordner.").arg(quoted(m_path)));
    ValueFileRead result;
    result.values = defaults;
    if (!FileExists(m_path)) {
        result.state = ValueFileState::Missing;
        return result;
    }
    QFile file(m_path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        return unreadable(defaults, QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(quoted(m_path)));
    if (!isText(bytes))
        return unreadable(
            defaults,
            QStringLiteral("Die Datei %1 ist keine Textdatei und kann nicht gelesen werden.").arg(quoted(m_path)));
    const QStringList found = readTextValues(decodeTextFile(bytes), m_count);
    for (qsizetype i = 0; i < found.size() && i < m_maxLengths.size(); ++i) {
        if (JournalTable::characterCount(found[i]) > m_maxLengths[i])
            return unreadable(defaults,
                              QStringLiteral("Die Datei %1 kann nicht gelesen werden: ihr %2. Wert ist "
                                             "länger als %3 Zeichen.")
                                  .arg(quoted(m_path), QString::number(i + 1), QString::number(m_maxLengths[i])));
    }
    std::copy(found.cbegin(), found.cend(), result.values.begin());
    result.found = found.size();
    if (result.found == m_count) {
        result.state = ValueFileState::Complete;
    } else {
        result.state = ValueFileState::Short;
        result.message = QStringLiteral("In der Datei %1 stehen nur %2 von %3 %4. %5")
                             .arg(quoted(m_path), QString::number(result.found), QString::number(m_count),
                                  m_kind.valuesNoun, m_kind.defaultsNote);
    }
    return result;
}

QString ValueFile::write(const QStringList &values) const
{
    Q_ASSERT(values.size() == m_count);
    const EncodedTextValues encoded = encodeTextValues(values);
    if (!encoded.problem.isEmpty())
        return encoded.problem + QStringLiteral("\nDie Datei %1 wurde nicht geändert.").arg(quoted(m_path));
    return writeWholeFile(m_path, encoded.bytes);
}
