#pragma once

#include "books/ChangeLog.h"
#include "storage/MonthContents.h"

#include <QString>

#include <optional>

// Closing a month (Festschreibung): its file gets a close mark with the time
// and the fingerprints of its records and log, and from then on no save may
// replace it. The mark alone would not do, since an older, unclosed copy of
// the file could be put in its place; so every closed month is also noted in
// a register beside the year folders, and a month counts as closed when
// either says so.
namespace MonthClosing {

// "<program folder>/Monatsabschluesse.txt"
QString registerPath(const QString &programFolder);

// One line of the register: which month, when, and its fingerprints.
struct Noted
{
    QString label; // "2026-03"
    CloseMark mark;
};
std::optional<Noted> noted(const QString &programFolder, const QString &label);

// When the month was closed, by its file's mark or by the register; nothing
// while it is open.
std::optional<QString> closedSince(const QString &programFolder, const QString &label, const MonthContents &file);

// Why a save into a closed month is refused, and how to correct it instead.
QString refusedMessage(const QString &label, const QString &time);

// The question before closing.
QString question(const QString &label);

// Closes the month file at path, shown to the user as label. A month whose
// log does not verify, or that is closed already, stays as it is. A file
// without a log gets one first, its rows logged as made. Returns the empty
// text on success, else the message to show.
QString close(const QString &programFolder, const QString &path, const QString &label);

// After a load: the message when the register says the month was closed but
// the file is not the closed version (an older copy, or altered); empty
// otherwise. A file closed by its own, intact mark that the register misses
// is noted there now.
QString checkRegister(const QString &programFolder, const QString &label, const MonthContents &file);

// The text the sheet shows beside the month label of a closed month.
QString sheetNote(const QString &time); // "abgeschlossen am 01.04.2026"

} // namespace MonthClosing
