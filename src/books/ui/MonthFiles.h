#pragma once

#include "editing/SheetLayout.h"

#include <QString>

#include <functional>

class FlexGrid;
class QComboBox;
class QLineEdit;
class QWidget;
class SheetEditor;

// "Speichern", "Laden" and opening a month file from anywhere, with their
// messages: the month and year selectors name the file, the path box shows
// it, and the editor keeps what was typed out of a month that is replaced.
class MonthFiles
{
public:
    struct Controls
    {
        FlexGrid &sheet;
        QComboBox &month;
        QComboBox &year;
        QLineEdit &path;
    };
    // rates are the window's tax-rate texts, for a month file without records.
    MonthFiles(QWidget &window, const QString &programFolder, const Controls &controls, SheetEditor &editor,
               const modul::RateTexts &rates);

    // Asks once before saving a month whose cash balance goes below zero,
    // and refuses a closed month. A month file the sheet was not loaded from
    // is replaced only after a question of its own, which Return declines.
    void save();
    // With startMissing, a month without a file and without a month before
    // starts empty instead of being refused.
    void load(bool startMissing = false);
    // Replaces the sheet's rows by the records of tabelle; false (after the
    // message) leaves the sheet as it was.
    bool loadRecords(const QString &datenbank, const QString &tabelle);
    // A month file chosen in the open-file window: loaded, and its month and
    // year taken from chosenName into the selectors.
    bool open(const QString &path, const QString &chosenName);

    // The file of the month the sheet shows: the one last loaded, opened or
    // saved, or the selectors' month before any of that.
    QString shownPath() const;
    // Unsaved work was put back into the sheet: it holds the selectors' month,
    // loaded from no file.
    void sheetRestored();

    // Called whenever the sheet has just been made equal to a file.
    std::function<void()> sheetMatchesFile;
    // Told the status line after a save.
    std::function<void(const QString &status)> saved;

private:
    bool sheetReplaced(const QString &message);
    void shown(const QString &path, const QString &warning, bool fromFile);
    // Writes the completed month ("07" for "7") back into its selector.
    void completeMonthSelector();

    QWidget &m_window;
    QString m_programFolder;
    Controls m_controls;
    SheetEditor &m_editor;
    const modul::RateTexts &m_rates;
    QString m_shownPath;
    // Whether the sheet's bookings came from the file at m_shownPath (loaded,
    // opened or saved there), not from a new month's start or a restore.
    bool m_fromShownFile = false;
};
