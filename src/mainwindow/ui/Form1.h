#pragma once

#include "editing/UndoBuffer.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class Druckerwahl;
class EditorBox;
class Einstellungen;
class FlexGrid;
class Form2;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The main window: the journal sheet of one month, the quick-entry buttons,
// the commands and the month totals. Other windows reach its controls and
// public values directly, as the design has it.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // programFolder holds bl.dat, Tasten.txt and the year folders.
    explicit Form1(const QString &programFolder, QWidget *parent = nullptr);
    ~Form1() override;

    const QString &programFolder() const { return m_programFolder; }

    // Public values the other windows use.
    short su = 0;
    float SFX = 1.0F;
    float SFY = 1.0F;
    short zellhohe = 0;
    QString satz1;
    QString satz2;
    QString satz3;

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
    // Commits the editor's pending text into the cell it was typed for.
    void commitPendingEdit();
    // The program changed the sheet or the current cell while the editor did
    // not follow: the editor takes the current cell's own text, which makes a
    // later commit change nothing.
    void editorTakesCurrentCell();

    // Row operations, quick entry, undo and renaming.
    void Command1_Click(int Index);
    void Command2_Click();
    void Command3_Click();
    void UndoBufferInitialisieren(const QString &Name_Undo);
    const UndoBuffer &undoBuffer() const { return m_undo; }
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
    // Balances, receipt numbers and totals, after the sheet changed by program.
    void recalculate();

    // Printing: the printer window, and one print job of any grid on the
    // current printer (margins in millimetres; false when nothing was printed).
    void Command6_Click();
    bool PrintGrid(FlexGrid &Grid, float LeftMargin, float TopMargin, float RightMargin, float BottomMargin,
                   const QString &Titel, const QString &Datum, short many);

    void Command4_Click();
    void Command5_Click();
    // Returns the cancel value: non-zero keeps the window open.
    short Form_Unload();
    void Form_Terminate();

    // The secondary windows, made on first use.
    Einstellungen *einstellungen();
    Form2 *form2();
    Druckerwahl *druckerwahl();

    // True once the user agreed to end the program.
    bool ended() const { return m_ended; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildDesign();
    static void bringUp(QWidget *window);
    void connectHandlers();
    void connectEditing();
    void connectRowButtons();
    void connectStorage();
    void connectPrinting();
    bool sheetReplaced(const QString &message);
    QStringList rateTexts() const;
    void setEditorText(const QString &text, bool follows);
    bool editorOwnsCurrentCell() const;
    void showEditor();
    bool flex_KeyPress(QKeyEvent *event);
    void layoutSheet(bool scaleRows);
    void formatHeadings();
    void readSettingsFile();
    void createYearFolder();
    void loadQuickKeys();
    void fillRenameList();
    void endProgram();

    QString m_programFolder;
    short m_skaliert = 0;
    bool m_ended = false;

    // The grid position being edited, kept by the cell handlers.
    short m_merkRow = 0;
    short m_merkCol = 0;
    // flex_RowColChange's memory between calls.
    short m_lastRow = 0;
    short m_lastCol = 0;
    bool m_rowColRunning = false;
    // The cell the editor's text was taken from, and whether the editor
    // follows it: only then may its text be committed there.
    int m_editorRow = -1;
    int m_editorCol = -1;
    bool m_editorFollows = false;

    UndoBuffer m_undo;
    short m_selectedIndex = 0;
    QString m_oldCaption;
    QString m_newCaption;
    QPointer<Einstellungen> m_einstellungen;
    QPointer<Form2> m_form2;
    QPointer<Druckerwahl> m_druckerwahl;
};
