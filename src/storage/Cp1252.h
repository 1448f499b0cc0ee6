#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Windows code page 1252, the 8-bit encoding of the program's text files.
// Qt 6 Core has no converter for it, so the table lives here.
namespace Cp1252 {

// Every byte decodes; the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
QString decode(QByteArrayView bytes);

struct Encoded
{
    QByteArray bytes;            // '?' stands where a character could not be held
    QStringList unrepresentable; // each such character once, in order of first appearance
};

Encoded encode(QStringView text);

// Writes text at out, one byte per character, and returns the end: out needs
// room for text.size() bytes. A character the code page cannot hold is
// written as '?' and added to unrepresentable, once.
char *encodeInto(QStringView text, char *out, QStringList &unrepresentable);

} // namespace Cp1252
