#include "books/ChainRegister.h"

#include "storage/MonthFileWriter.h"
#include "storage/PosixFile.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>

namespace ChainRegister {
namespace {
const QString br2 = QStringLiteral("\r\n\r\n");
constexpr char Separator = ';';
// Monat, Zeit, Nr, Kopf and the line's own hash.
constexpr int FieldsPerLine = 5;
const QByteArray RegisterHeader =
    "# Barlog: Prüfsummen der Monate (Monat;Zeit;Nr;Kettenkopf;Zeilenhash). Nicht ändern.\n";

struct Line
{
    Noted noted;
    QByteArray hash; // as stored
    bool wellFormed = false;
};

QByteArray fieldsOf(const Noted &noted)
{
    return noted.label.toUtf8() + Separator + noted.time.toUtf8() + Separator + QByteArray::number(noted.head.number)
           + Separator + noted.head.hash;
}

// SHA-256 over the hash of the line before and the line's own fields.
QByteArray lineHash(const QByteArray &previous, const QByteArray &fields)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(previous);
    hash.addData(QByteArrayView("\n"));
    hash.addData(fields);
    return hash.result().toHex();
}

QByteArray readRegister(const QString &programFolder)
{
    QFile file(registerPath(programFolder));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<Line> linesOf(const QByteArray &bytes)
{
    std::vector<Line> lines;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray text = raw.trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const QList<QByteArray> fields = text.split(Separator);
        Line line;
        bool numeric = false;
        if (fields.size() == FieldsPerLine) {
            line.noted = {QString::fromUtf8(fields[0]),
                          QString::fromUtf8(fields[1]),
                          {fields[2].toLongLong(&numeric), fields[3]}};
            line.hash = fields[4];
        }
        line.wellFormed = numeric;
        lines.push_back(std::move(line));
    }
    return lines;
}

// A note that cannot be written is made good by the next load (see check).
void note(const QString &programFolder, const Noted &noted)
{
    QByteArray bytes = readRegister(programFolder);
    const std::vector<Line> lines = linesOf(bytes);
    const QByteArray previous = lines.empty() ? ChangeLog::startHash() : lines.back().hash;
    if (bytes.isEmpty())
        bytes = RegisterHeader;
    else if (!bytes.endsWith('\n'))
        bytes += '\n';
    const QByteArray fields = fieldsOf(noted);
    bytes += fields + Separator + lineHash(previous, fields) + '\n';
    const auto path = PosixFile::nativePath(registerPath(programFolder));
    if (path)
        PosixFile::replaceFile(*path, bytes);
}

// Why the file is not the noted version; empty when it goes on from it.
QString mismatch(const Noted &noted, const QString &fileName, const MonthContents &file)
{
    if (!file.logged && noted.head.number > 0)
        return QStringLiteral("Die Datei hat kein Änderungsprotokoll mehr, obwohl Barlog den Monat mit "
                              "Änderungsprotokoll gespeichert hat.");
    const ChangeLog::Link head = ChangeLog::chainHead(file);
    if (ChangeLog::linkHash(file, noted.head.number) == noted.head.hash)
        return {};
    if (head.number < noted.head.number)
        return QStringLiteral("Barlog hat ihn zuletzt bis Nr. %1 seiner Kette gespeichert, die Datei endet bei Nr. %2: "
                              "sie ist eine ältere Fassung, vielleicht die Sicherungskopie „%3.bak“.")
            .arg(noted.head.number)
            .arg(head.number)
            .arg(fileName);
    return QStringLiteral("Ihre Kette ist bei Nr. %1 nicht die, die Barlog gespeichert hat: das "
                          "Änderungsprotokoll wurde neu geschrieben.")
        .arg(noted.head.number);
}
} // namespace

QString registerPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("/Pruefsummen.txt");
}

std::optional<Noted> latest(const QString &programFolder, const QString &label)
{
    const std::vector<Line> lines = linesOf(readRegister(programFolder));
    const auto found = std::find_if(lines.rbegin(), lines.rend(),
                                    [&label](const Line &l) { return l.wellFormed && l.noted.label == label; });
    if (found == lines.rend())
        return std::nullopt;
    return found->noted;
}

std::optional<int> brokenLine(const QString &programFolder)
{
    QByteArray previous = ChangeLog::startHash();
    int number = 0;
    for (const Line &line : linesOf(readRegister(programFolder))) {
        ++number;
        if (!line.wellFormed || line.hash != lineHash(previous, fieldsOf(line.noted)))
            return number;
        previous = line.hash;
    }
    return std::nullopt;
}

ChangeLog::Link writtenHead(const MonthContents &next)
{
    if (!next.log.empty() || !next.counts.empty())
        return ChangeLog::chainHead(next.log, next.counts);
    if (next.carried)
        return {next.carried->lastNumber, next.carried->lastHash};
    return {0, ChangeLog::chainStart(next)};
}

QString writeMonth(const QString &programFolder, const QString &label, const QString &path, const MonthContents &next)
{
    if (const QString error = MonthFileWriter::write(path, next); !error.isEmpty())
        return error;
    // The month is saved; a lost note shows as a file ahead of the register,
    // which the next load checks against the older note and notes then.
    note(programFolder, {label, ChangeLog::timeNow(), writtenHead(next)});
    return {};
}

QString check(const QString &programFolder, const QString &label, const QString &fileName, const MonthContents &file,
              bool intact)
{
    QStringList why;
    if (const std::optional<int> line = brokenLine(programFolder))
        why << QStringLiteral("Das Verzeichnis der Prüfsummen „%1“ wurde außerhalb von Barlog verändert: ab seiner "
                              "Zeile %2 wurde eine Zeile geändert, entfernt oder eingefügt.")
                   .arg(registerPath(programFolder))
                   .arg(*line);
    const std::optional<Noted> noted = latest(programFolder, label);
    if (noted) {
        if (const QString reason = mismatch(*noted, fileName, file); !reason.isEmpty())
            why.prepend(QStringLiteral("Die Datei „%1“ ist nicht die Fassung des Monats %2, die Barlog am %3 "
                                       "gespeichert hat.")
                            .arg(fileName, label, ChangeLog::displayTime(noted->time))
                        + br2 + reason);
        else if (ChangeLog::chainHead(file).number > noted->head.number && intact)
            note(programFolder, {label, ChangeLog::timeNow(), ChangeLog::chainHead(file)});
    } else if (file.logged && ChangeLog::chainHead(file).number > 0 && intact) {
        // Saved before the register was kept, or its note lost: noted from now on.
        note(programFolder, {label, ChangeLog::timeNow(), ChangeLog::chainHead(file)});
    }
    if (why.isEmpty())
        return {};
    return why.join(br2) + br2
           + QStringLiteral("Der Monat wurde trotzdem geladen. Was er jetzt zeigt, ist nicht sicher das, was Barlog "
                            "zuletzt gespeichert hat.");
}

} // namespace ChainRegister
