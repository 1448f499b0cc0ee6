#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// The program's small text files (bl.dat, Tasten.txt): values read one after
// another by the reading rule, written one per line in Windows-1252 with CRLF.

// A file that is valid UTF-8 (with or without a byte order mark) and holds
// non-ASCII text reads as UTF-8; anything else as Windows-1252, the encoding
// the files were always written in.
QString decodeTextFile(QByteArrayView bytes);

// Yields the values of a decoded file one after another.
// - Blanks, tabs and line ends before a value are skipped.
// - A value beginning with a double quote runs to the next double quote, which
//   is dropped; blanks after it and then a comma are consumed.
// - Any other value runs up to the next comma or line end, which is consumed.
//   Blanks at its end stay: they are there only because the user typed them.
class TextValueReader
{
public:
    explicit TextValueReader(QString text);

    // True when nothing but blanks, tabs and line ends is left.
    bool atEnd() const;
    // The next value, or nothing when the data has run out.
    std::optional<QString> next();

private:
    qsizetype startOfNextValue() const;
    void skipComma();

    QString m_text;
    qsizetype m_pos = 0;
};

// Up to `count` values from the start of a decoded file.
QStringList readTextValues(const QString &text, qsizetype count);

// The bytes of a file holding these values, or a German reason naming the
// first value that would not read back unchanged (bytes are empty then).
struct EncodedTextValues
{
    QByteArray bytes;
    QString problem;
};
EncodedTextValues encodeTextValues(const QStringList &values);

// How reading one of the files went.
enum class ValueFileState {
    Complete,   // the file held every value
    Missing,    // no such file: every value is the caller's default
    Short,      // fewer values than asked: the rest are the caller's defaults
    Unreadable, // the file exists but cannot be read (a folder, no text, a value
                // too long): every value is a default
};

struct ValueFileRead
{
    ValueFileState state = ValueFileState::Missing;
    QStringList values;  // exactly as many as asked: the file's values over the defaults
    qsizetype found = 0; // how many values came from the file
    QString message;     // a German message for Short and Unreadable, else empty
};

// What a file holds, for the messages the user sees.
struct ValueFileKind
{
    QString fileName;     // "bl.dat"
    QString valuesNoun;   // "Steuersätze", plural
    QString defaultsNote; // what becomes of the values the file lacks
};

// One file of a fixed number of text values beside the program.
class ValueFile
{
public:
    ValueFile(const QString &programFolder, ValueFileKind kind, qsizetype count);

    const QString &path() const { return m_path; }
    qsizetype count() const { return m_count; }

    // Reads the file's values over `defaults` (which holds count() texts).
    ValueFileRead read(const QStringList &defaults) const;
    // Replaces the file by these count() values. Returns an empty text on
    // success, else a German message; the old file then stays as it was.
    QString write(const QStringList &values) const;

protected:
    // The longest text each value may be, in order; a file holding a longer
    // one is not read. Values past the list may be of any length.
    void limitLengths(const QList<int> &maxLengths) { m_maxLengths = maxLengths; }

private:
    // Every value a default, and why, naming the file.
    ValueFileRead unreadable(const QStringList &defaults, const QString &why) const;

    ValueFileKind m_kind;
    QList<int> m_maxLengths;
    QString m_path;
    qsizetype m_count;
};
