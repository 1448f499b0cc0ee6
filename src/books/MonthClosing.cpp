#include "books/MonthClosing.h"

#include "books/ChainRegister.h"
#include "books/MonthAudit.h"
#include "platform/FileSystem.h"
#include "storage/DbStatus.h"
#include "storage/MonthDatabase.h"
#include "storage/PosixFile.h"

#include <QDateTime>
#include <QFile>

namespace MonthClosing {
namespace {
const QString br2 = QStringLiteral("\r\n\r\n");
constexpr char Separator = ';';
constexpr int FieldsPerLine = 4;
const QByteArray RegisterHeader = "# Barlog: abgeschlossene Monate (Monat;Zeit;Buchungen;Protokoll). Nicht ändern.\n";

QByteArray readRegister(const QString &programFolder)
{
    QFile file(registerPath(programFolder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray registerLine(const Noted &noted)
{
    return noted.label.toUtf8() + Separator + noted.mark.time.toUtf8() + Separator + noted.mark.recordsHash + Separator
           + noted.mark.logHead + '\n';
}

QString note(const QString &programFolder, const Noted &entry)
{
    QByteArray bytes = readRegister(programFolder);
    if (bytes.isEmpty())
        bytes = RegisterHeader;
    else if (!bytes.endsWith('\n'))
        bytes += '\n';
    bytes += registerLine(entry);
    const auto path = PosixFile::nativePath(registerPath(programFolder));
    const int err = path ? PosixFile::replaceFile(*path, bytes) : ENOENT;
    if (err == 0)
        return {};
    return QStringLiteral("Das Verzeichnis der abgeschlossenen Monate „%1“ ließ sich nicht schreiben. %2")
        .arg(registerPath(programFolder), systemErrorText(err));
}

QString cannotClose(const QString &label, const QString &why)
{
    return QStringLiteral("Der Monat %1 kann nicht abgeschlossen werden.").arg(label) + br2 + why;
}

QString displayDate(const QString &isoTime)
{
    const QDateTime moment = QDateTime::fromString(isoTime, Qt::ISODateWithMs);
    return moment.isValid() ? moment.toString(QStringLiteral("dd.MM.yyyy")) : isoTime;
}
} // namespace

QString registerPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("/Monatsabschluesse.txt");
}

std::optional<Noted> noted(const QString &programFolder, const QString &label)
{
    const QList<QByteArray> lines = readRegister(programFolder).split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.trimmed().split(Separator);
        if (line.startsWith('#') || fields.size() != FieldsPerLine || QString::fromUtf8(fields[0]) != label)
            continue;
        return Noted{label, CloseMark{QString::fromUtf8(fields[1]), fields[2], fields[3]}};
    }
    return std::nullopt;
}

std::optional<QString> closedSince(const QString &programFolder, const QString &label, const MonthContents &file)
{
    if (file.closed)
        return file.closed->time;
    if (const std::optional<Noted> entry = noted(programFolder, label))
        return entry->mark.time;
    return std::nullopt;
}

QString refusedMessage(const QString &label, const QString &time)
{
    return QStringLiteral("Der Monat %1 ist seit dem %2 abgeschlossen und kann nicht mehr gespeichert werden.")
               .arg(label, ChangeLog::displayTime(time))
           + br2
           + QStringLiteral("Eine Buchung darin berichtigen Sie mit einer Gegenbuchung in einem offenen Monat: "
                            "die Zeile anklicken und im Menü „Monat“ den Befehl „Storno“ wählen. Barlog legt die "
                            "Storno-Zeile im laufenden Monat an; dort speichern Sie sie.");
}

QString question(const QString &label)
{
    return QStringLiteral("Den Monat %1 abschließen ?").arg(label) + br2
           + QStringLiteral("Danach lässt er sich weder ändern noch wieder öffnen. Fehler werden nur noch durch "
                            "Storno-Buchungen in einem offenen Monat berichtigt.");
}

QString close(const QString &programFolder, const QString &path, const QString &label)
{
    if (!FileExists(path))
        return cannotClose(label, QStringLiteral("Er ist noch nicht gespeichert. Bitte zuerst speichern."));
    MonthContents file;
    if (const DbStatus status = MonthDatabase::readMonth(path, file); !status.ok())
        return cannotClose(label, status.description);
    if (const std::optional<QString> since = closedSince(programFolder, label, file))
        return QStringLiteral("Der Monat %1 ist bereits seit dem %2 abgeschlossen.")
            .arg(label, ChangeLog::displayTime(*since));
    const MonthAudit::Finding finding = MonthAudit::check(file);
    if (!MonthAudit::intact(finding))
        return cannotClose(label, QStringLiteral("Seine Datei wurde außerhalb von Barlog verändert. ")
                                      + MonthAudit::describe(file, finding));

    const QString now = ChangeLog::timeNow();
    MonthContents closed;
    // A file of the Windows program or of an older Barlog has no log yet:
    // closing is its first save, and the log starts with its rows.
    const ChangeLog::Link head = ChangeLog::carryOn(file, path, now, closed);
    closed.closed = CloseMark{now, ChangeLog::recordsHash(file.records), head.hash};
    if (const QString error = ChainRegister::writeMonth(programFolder, label, path, closed); !error.isEmpty())
        return error;
    if (const QString error = note(programFolder, {label, *closed.closed}); !error.isEmpty())
        return QStringLiteral("Der Monat %1 ist abgeschlossen.").arg(label) + br2 + error;
    return {};
}

QString checkRegister(const QString &programFolder, const QString &label, const MonthContents &file)
{
    const std::optional<Noted> entry = noted(programFolder, label);
    if (!entry) {
        // Closed while the register could not be written: its mark is noted now.
        if (file.closed && MonthAudit::intact(MonthAudit::check(file)))
            note(programFolder, {label, *file.closed});
        return {};
    }
    QString why;
    if (!file.closed)
        why = QStringLiteral("Sie trägt keinen Abschluss; vielleicht ist sie eine ältere Kopie.");
    else if (file.closed->recordsHash != entry->mark.recordsHash
             || ChangeLog::recordsHash(file.records) != entry->mark.recordsHash)
        why = QStringLiteral("Ihre Buchungen sind nicht die, die beim Abschluss gespeichert waren.");
    if (why.isEmpty())
        return {};
    return QStringLiteral("Der Monat %1 wurde am %2 abgeschlossen, aber die Datei „%1.mdb“ ist nicht die "
                          "abgeschlossene Fassung.")
               .arg(label, ChangeLog::displayTime(entry->mark.time))
           + br2 + why + br2 + QStringLiteral("Der Monat bleibt abgeschlossen und lässt sich nicht speichern.");
}

QString sheetNote(const QString &time)
{
    return QStringLiteral("abgeschlossen am ") + displayDate(time);
}

} // namespace MonthClosing
