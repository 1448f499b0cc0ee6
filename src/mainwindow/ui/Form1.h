#pragma once

#include "editing/SheetLayout.h"
#include "platform/CallbackWiring.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class Aenderungsprotokoll;
class CashCounts;
class CrashRecovery;
class Druckerwahl;
class EditorBox;
class Einstellungen;
class FlexGrid;
class Form2;
class Handbuch;
class Jahresuebersicht;
class Kassensturz;
class MonthExports;
class MonthCommands;
class MonthFiles;
class PrintOut;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QToolButton;
class QuickKeys;
class SheetEditor;

// The main window: the journal sheet of one month, the quick-entry buttons,
// the commands and the month totals, with a menu bar above the design. Its
// handlers hand the work to the subsystems: the sheet editor, the month
// files and month commands, the crash recovery, the quick keys and the
// print-out.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // programFolder holds bl.dat, Tasten.txt and the year folders.
    explicit Form1(const QString &programFolder, QWidget *parent = nullptr);
    ~Form1() override;

    const QString &programFolder() const { return m_programFolder; }
    // The screen factors found at the first start-up.
    float sfx() const { return m_sfx; }
    float sfy() const { return m_sfy; }
    const modul::RateTexts &rates() const { return m_rates; }
    SheetEditor &sheetEditor() { return *m_editor; }
    CrashRecovery &crashRecovery() { return *m_recovery; }

    // The menu bar and its "Datei" menu, to which other commands may add actions.
    QMenuBar *menuBar() const { return m_menuBar; }
    QMenu *dateiMenu() const { return m_dateiMenu; }

    // The status line below the design: what the last save, export or
    // settings change did, and the mark of unsaved changes.
    QString statusText() const;
    QString unsavedMark() const;

    // Controls, named as in the design.
    FlexGrid *flex = nullptr;
    FlexGrid *flex2 = nullptr;
    std::array<QPushButton *, 12> Command1{};
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QComboBox *Combo33 = nullptr;
    QToolButton *Command2 = nullptr;
    QToolButton *Command3 = nullptr;
    QToolButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QToolButton *Command6 = nullptr;
    QToolButton *Command7 = nullptr;
    QToolButton *Command8 = nullptr;
    QToolButton *Command9 = nullptr;
    QPushButton *Command10 = nullptr;
    EditorBox *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;

    // Start-up; the print-out runs it again to rebuild the sheet's layout.
    void Form_Load();

    // Editing: the editor box over the current cell.
    void Text1_KeyDown(int KeyCode, int Shift);
    void Text1_LostFocus();
    void EditorPositionieren();
    void flex_Click();
    void flex_GotFocus();
    void flex_LostFocus();
    void flex_LeaveCell();
    void flex_RowColChange();

    // Row operations, quick entry, undo and renaming.
    void Command1_Click(int Index);
    void Command2_Click();
    void Command3_Click();
    void UndoBufferInitialisieren(const QString &Name_Undo);
    void Combo33_Click();
    void Command10_Click();

    // Month files: "Speichern", "Laden" and the open-file window "Datei suchen".
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    // Replaces rows 1 and below of the sheet by the records of tabelle. A
    // failure shows the error report and leaves the sheet as it was; the
    // result says whether the records were loaded.
    bool GetRowsTest(const QString &datenbank, const QString &tabelle);

    // Printing: the printer window, and one print job of any grid on the
    // current printer (margins in millimetres; false when nothing was printed).
    void Command6_Click();
    bool PrintGrid(FlexGrid &Grid, float LeftMargin, float TopMargin, float RightMargin, float BottomMargin,
                   const QString &Titel, const QString &Datum, short many);

    // Data out, from the "Datei" menu: the print-out as a PDF file and as a
    // preview, the month as CSV and DATEV, a year as DATEV and as the data
    // for a tax audit, and the year overview of the year selector's year.
    void addExportActions(QMenu *datei);
    void PdfSpeichern_Click();
    void Druckvorschau_Click();
    void CsvExport_Click();
    void DatevMonat_Click();
    void DatevJahr_Click();
    void Betriebspruefung_Click();
    void Jahresuebersicht_Click();
    // The "Monat" menu: close the month, reverse a row, show the change log,
    // count the cash drawer; and "Hilfe", "Über Barlog".
    void Abschliessen_Click();
    void Storno_Click();
    void Protokoll_Click();
    void Kassensturz_Click();
    void Ueber_Click();
    void Handbuch_Click();

    void Command4_Click();
    void Command5_Click();
    // Returns the cancel value: non-zero keeps the window open.
    short Form_Unload();
    void Form_Terminate();

    // The secondary windows, made on first use.
    Einstellungen *einstellungen();
    Form2 *form2();
    Druckerwahl *druckerwahl();
    Jahresuebersicht *jahresuebersicht();
    Aenderungsprotokoll *aenderungsprotokoll();
    Kassensturz *kassensturz();
    Handbuch *handbuch();

    // True once the user agreed to end the program.
    bool ended() const { return m_ended; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildDesign();
    static void bringUp(QWidget *window);
    void buildMenu();
    void buildStatusLine();
    void showStatus(const QString &text);
    void markUnsaved(bool unsaved);
    void connectHandlers();
    bool flex_KeyPress(QKeyEvent *event);
    // tell: show what went wrong; only the first start-up does.
    void readSettingsFile(bool tell);
    void createYearFolder();
    void endProgram();

    QString m_programFolder;
    bool m_scaled = false;
    bool m_ended = false;
    float m_sfx = 1.0F;
    float m_sfy = 1.0F;
    // The sheet's row height in twips before any scaling; the print-out
    // prints every row at it.
    short m_zellhohe = 0;
    modul::RateTexts m_rates;

    QWidget *m_content = nullptr; // the design's client area, below the menu bar
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_dateiMenu = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_unsavedMark = nullptr;

    std::unique_ptr<SheetEditor> m_editor;
    std::unique_ptr<QuickKeys> m_quickKeys;
    std::unique_ptr<MonthFiles> m_monthFiles;
    std::unique_ptr<CrashRecovery> m_recovery;
    std::unique_ptr<MonthCommands> m_monthCommands;
    std::unique_ptr<CashCounts> m_cashCounts;
    std::unique_ptr<PrintOut> m_printOut;
    std::unique_ptr<MonthExports> m_exports;
    std::unique_ptr<Einstellungen> m_einstellungen;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Druckerwahl> m_druckerwahl;
    std::unique_ptr<Jahresuebersicht> m_jahresuebersicht;
    std::unique_ptr<Aenderungsprotokoll> m_aenderungsprotokoll;
    std::unique_ptr<Kassensturz> m_kassensturz;
    std::unique_ptr<Handbuch> m_handbuch;
    // Last, so that it unhooks the controls' callbacks before anything else goes.
    CallbackWiring m_wiring;
};
