#pragma once

#include "books/ChangeLog.h"
#include "storage/MonthContents.h"

#include <QString>

#include <optional>

// Every save notes the month's new chain head in a register beside the year
// folders. A month file rolled back to an older copy, or rewritten with its
// whole log, still verifies on its own; against the register it is told.
// The register is itself chained: each line carries the SHA-256 of the line
// before it and of its own fields, so a line changed, removed or slipped in
// breaks the chain from there on.
namespace ChainRegister {

// "<program folder>/Pruefsummen.txt"
QString registerPath(const QString &programFolder);

// One line: which month, when, and the number and hash of its chain head.
struct Noted
{
    QString label; // "2026-03"
    QString time;
    ChangeLog::Link head;
};

// The month's latest line, if the register has one.
std::optional<Noted> latest(const QString &programFolder, const QString &label);

// The first line (1 for the first after the heading) whose hash does not
// follow from the line before it and its own fields; nothing when the
// register is whole or missing.
std::optional<int> brokenLine(const QString &programFolder);

// The head of a month file as written from next: its newest link, or the
// carried head it chains onto.
ChangeLog::Link writtenHead(const MonthContents &next);

// Writes next to path, the month label's file, and notes its new head. The
// empty text on success, else the month file's error; a register that cannot
// be written loses only this note, which the next load makes good.
QString writeMonth(const QString &programFolder, const QString &label, const QString &path, const MonthContents &next);

// After a load: the message when the month file at fileName is not the
// version last noted for label (an older copy, a log rewritten, a log gone)
// or the register was altered; empty otherwise. An intact file that goes on
// from the noted head (its note was lost), or that the register does not
// know yet, is noted now.
QString check(const QString &programFolder, const QString &label, const QString &fileName, const MonthContents &file,
              bool intact);

} // namespace ChainRegister
