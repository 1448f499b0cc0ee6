#pragma once

#include "editing/SheetLayout.h"

#include <QString>

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

    void save();
    void load();
    // Replaces the sheet's rows by the records of tabelle; false (after the
    // message) leaves the sheet as it was.
    bool loadRecords(const QString &datenbank, const QString &tabelle);
    // A month file chosen in the open-file window: loaded, and its month and
    // year taken from chosenName into the selectors.
    bool open(const QString &path, const QString &chosenName);

private:
    bool sheetReplaced(const QString &message);

    QWidget &m_window;
    QString m_programFolder;
    Controls m_controls;
    SheetEditor &m_editor;
    const modul::RateTexts &m_rates;
};
