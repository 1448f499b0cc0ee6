#pragma once

#include <QString>
#include <QTime>

class FlexGridStore;

// The main window's status line: one short German line after a save, an
// export or a settings change, saying what was done and when, and the mark
// of a sheet that differs from its file.
namespace StatusText {

// "2026-12 gespeichert: 14 Buchungen, 15:02"
QString saved(const QString &month, int bookings, const QTime &time);
// "DATEV-Export geschrieben: EXTF_2026-12.csv, 15:02"; what names the export.
QString exported(const QString &what, const QString &fileName, const QTime &time);
// "Einstellungen gespeichert, 15:02"
QString settingsSaved(const QTime &time);
// The mark beside the line: "Nicht gespeichert" while the sheet differs, else empty.
QString unsavedMark(bool unsaved);

// The sheet's entry rows that book something.
int bookings(const FlexGridStore &sheet);

} // namespace StatusText
