#pragma once

#include "editing/SheetLayout.h"
#include "storage/DbStatus.h"
#include "storage/JournalTable.h"
#include "storage/MonthContents.h"
#include "storage/MonthPath.h"

#include <optional>

class FlexGridStore;

// Saving and loading a month as the main window and the open-file window do
// it, without any widget: the handlers pass the sheet and the selector
// texts, show the returned message if there is one, and do their own focus
// and editor steps. The open-file window loads through openMonth and takes
// the selector texts from monthYearFromFileName.
namespace MonthStorage {

// Reads every record of tabelle first and only then replaces the sheet's
// rows 1 and below (see SheetRecords::load); a failure leaves the sheet as it
// was and returns the error whose report() the user sees.
DbStatus GetRowsTest(FlexGridStore &sheet, const QString &datenbank, const QString &tabelle,
                     const modul::RateTexts &rates);

struct LoadResult
{
    QString path;    // for Text2, shown whether or not the file exists
    QString message; // why nothing was loaded; empty when the month was loaded
    QString warning; // what the user must know about the loaded month: a file
                     // altered outside Barlog, a carry-over off the month before
    bool loaded = false;
    bool fileRead = false;              // the sheet holds a file's records, not a new month's start
    std::optional<QString> closedSince; // when the month was closed
    QString carriedFrom;                // the month a new month's carry-over came from
};

// "Laden": the month file of the selectors into the sheet, the month label
// into row 1, column 6, and for a closed month a note beside it. A missing
// file whose month before has one starts a new month from that month's
// closing balance and receipt number; with no month before either, it gives
// "Datei existiert nicht". A failed read leaves the sheet, label included,
// untouched.
// With startMissing, a missing month with no month before it starts empty
// instead, as start-up lays out the sheet.
LoadResult loadMonth(FlexGridStore &sheet, const QString &programFolder, const QString &year, const QString &typedMonth,
                     const modul::RateTexts &rates, bool startMissing = false);

// A month file chosen anywhere, whose name gives the month label: loaded and
// checked like "Laden", without the look at the month before; the label
// cell is left as the file holds it.
LoadResult openMonth(FlexGridStore &sheet, const QString &programFolder, const QString &path, const QString &label,
                     const modul::RateTexts &rates);

// When the selectors' month was closed, by its file or by the register.
std::optional<QString> closedSince(const QString &programFolder, const QString &year, const QString &typedMonth);

QString missingFileMessage(); // "Datei existiert nicht"

// How many bookings of a month file the records that replace it no longer
// hold, each counted once: a booking is a row's typed cells (amounts,
// account, date, text), wherever the row now stands.
int bookingsLeaving(const Records &file, const Records &next);
// The question before a save replaces a month file the sheet was not loaded
// from, naming the month and how many bookings would leave it.
QString foreignReplaceQuestion(const QString &year, const QString &month, int leaving);

// "Speichern", in two steps so that the questions sit between them:
// planSave builds the path and the records, checks every text against its
// field and reads the file it replaces; a closed month, or a file whose log
// could not be carried on, gives a message instead. save then writes the
// records and the log of the file replaced with this save's changes added.
struct SavePlan
{
    QString path;
    Records records;
    MonthContents previous; // the file replaced, empty if there is none
    QString message;        // why nothing can be saved; empty if it can
    bool replaces = false;  // a month file is there already: ask replaceQuestion() first
    QString programFolder;  // where the register of chain heads is kept
    QString label;          // "2026-03"
    // The month before's head that a log starting with this save chains onto.
    std::optional<MonthLink> monthBefore;

    bool ok() const { return message.isEmpty(); }
};

SavePlan planSave(const FlexGridStore &sheet, const QString &programFolder, const QString &year,
                  const QString &typedMonth);
// The empty text on success, else the message to show; the file on disk is
// then exactly as before.
QString save(const SavePlan &plan);

} // namespace MonthStorage
