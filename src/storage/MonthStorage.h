#pragma once

#include "editing/SheetLayout.h"
#include "storage/DbStatus.h"
#include "storage/JournalTable.h"
#include "storage/MonthPath.h"

class FlexGridStore;

// Saving and loading a month as the main window and the open-file window do
// it, without any widget: the handlers pass the sheet and the selector
// texts, show the returned message if there is one, and do their own focus
// and editor steps. The open-file window loads through GetRowsTest and takes
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
    QString message; // to show, empty when the month was loaded
    bool loaded = false;
};

// "Laden": the month file of the selectors into the sheet, and the month
// label into row 1, column 6. A missing file gives "Datei existiert nicht";
// a failed read leaves the sheet, its label included, untouched.
LoadResult loadMonth(FlexGridStore &sheet, const QString &programFolder, const QString &year, const QString &month,
                     const modul::RateTexts &rates);

QString missingFileMessage(); // "Datei existiert nicht"

// "Speichern", in two steps so that the replace question sits between them:
// planSave builds the path and the records and checks every text against its
// field before anything is written; save then writes them.
struct SavePlan
{
    QString path;
    Records records;
    QString message;       // why nothing can be saved; empty if it can
    bool replaces = false; // a month file is there already: ask replaceQuestion() first

    bool ok() const { return message.isEmpty(); }
};

SavePlan planSave(const FlexGridStore &sheet, const QString &programFolder, const QString &year, const QString &month);
// The empty text on success, else the message to show; the file on disk is
// then exactly as before.
QString save(const SavePlan &plan);

} // namespace MonthStorage
