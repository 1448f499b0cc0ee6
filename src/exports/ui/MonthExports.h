#pragma once

#include <QString>

#include <functional>
#include <optional>

class FlexGrid;
class PrintOut;
class QComboBox;
class QWidget;
class SheetEditor;
namespace DatevExport {
struct Result;
}

// The month and its year handed on: the print-out as a PDF file and as a
// preview, the shown month as CSV and as a DATEV batch, and a whole year's
// month files as one DATEV batch and as the data package for a tax audit. Each checks first and asks for the file
// only once it can write it; the file dialog proposes the year folder.
class MonthExports
{
public:
    struct MainWindow
    {
        QWidget &window;
        QString programFolder;
        FlexGrid &sheet;
        QComboBox &month;
        QComboBox &year;
        SheetEditor &editor;
        PrintOut &printOut;
    };
    explicit MonthExports(const MainWindow &main) : m_main(main) {}

    void pdf();
    void preview();
    void csv();
    void datevMonth();
    void datevYear();
    // "Daten für die Betriebsprüfung …": asks first when months are open.
    void auditYear();

    // Told the status line after a file was written.
    std::function<void(const QString &status)> written;

private:
    // The selectors' month file path under this extension, with namePrefix
    // before its name; empty after telling the user why there is none.
    QString proposedPath(const QString &extension, const QString &namePrefix = QString());
    // The year selector's year; none after telling the user why its text names none.
    std::optional<int> chosenYear();
    void saveDatev(const QString &proposed, const DatevExport::Result &result);
    void tell(const QString &message);
    // Tells the status line that what was written to path.
    void wrote(const QString &what, const QString &path);

    MainWindow m_main;
};
