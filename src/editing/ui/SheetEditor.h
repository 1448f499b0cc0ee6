#pragma once

#include "editing/SheetLayout.h"
#include "editing/UndoBuffer.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class EditorBox;
class FlexGrid;
class QKeyEvent;
class QWidget;

// The editor box over the journal sheet: which cell its text belongs to,
// the key map, the row operations and the undo snapshots. The main window's
// handlers hand their events to it, and the recalculation follows each key.
class SheetEditor
{
public:
    // window is the parent of the questions it asks.
    SheetEditor(QWidget &window, FlexGrid &sheet, FlexGrid &totals, EditorBox &editor);
    SheetEditor(const SheetEditor &) = delete;
    SheetEditor &operator=(const SheetEditor &) = delete;

    // While one lives, the cell handlers do nothing: start-up and the
    // print-out move the current cell by program. They nest.
    class IdleCellHandlers
    {
    public:
        explicit IdleCellHandlers(SheetEditor &editor) : m_editor(editor) { ++m_editor.m_idle; }
        ~IdleCellHandlers() { --m_editor.m_idle; }
        IdleCellHandlers(const IdleCellHandlers &) = delete;
        IdleCellHandlers &operator=(const IdleCellHandlers &) = delete;

    private:
        SheetEditor &m_editor;
    };
    bool cellHandlersIdle() const { return m_idle > 0; }

    // The key map of the editor box, with the codes of KeyCode.
    void keyDown(int keyCode);
    void editorLostFocus();
    // Lays the editor box over the current cell with that cell's text.
    void positionEditor();
    void rowColChange();
    void leaveCell();
    void click();
    void gridGotFocus();
    void gridLostFocus();
    // A key on the grid itself; true when it was taken.
    bool gridKeyPress(QKeyEvent *event);

    // What the editor would commit, and where, if the cell were left now. A
    // text its column refuses comes with the reason and is never committed;
    // text then holds what was typed.
    struct PendingEdit
    {
        int row;
        int col;
        QString text;
        QString problem;
    };
    std::optional<PendingEdit> pendingEdit() const;
    // Commits the editor's pending text into the cell it was typed for,
    // unless its column refuses it.
    void commitPendingEdit();
    // Whatever leaves the cell asks first: a refused text is named in a
    // message, and the editor stays on its cell with the text for the user
    // to correct. False then: the cursor must not move.
    bool pendingEditAccepted();
    // The program changed the sheet or the current cell while the editor did
    // not follow: the editor takes the current cell's own text, which makes a
    // later commit change nothing.
    void editorTakesCurrentCell();
    // Only the user's own typing binds the editor's text to its cell anew.
    void editorTextEdited()
    {
        m_editorFollows = true;
        notifyChanged();
    }
    // Balances, receipt numbers and totals.
    void recalculate();
    // Before the month is read out (saved or exported): the entry being
    // typed is committed, an entry in the last row gets its empty row below,
    // and the balances follow, so that what is read is what the sheet shows;
    // the editor then shows the cell as it stands. False, after the message,
    // when the typed text is refused: nothing may be read out then.
    bool settleForReading();

    // The longest text each column's field stores; the editor takes no more.
    void limitCellLengths(const std::array<int, modul::ColCount> &lengths) { m_cellLengths = lengths; }
    // The month the selectors name: typed dates must lie in it.
    std::function<std::optional<QDate>()> selectedMonth;

    // Writes caption into the text column of the row being edited.
    void quickEntry(const QString &caption);
    // Adds a booked row after the last entry and moves the editor onto it;
    // false when the text being typed is refused, and nothing is added.
    bool appendEntry(const QStringList &cells);
    // Asks, then inserts an empty row above the current one.
    void insertRow();
    void deleteLastRow();
    void takeUndoSnapshot(const QString &name);
    const UndoBuffer &undoBuffer() const { return m_undo; }

    // Called after every key, every typed character and every row operation:
    // whatever may have changed the sheet's content.
    std::function<void()> changed;

private:
    void setEditorText(const QString &text, bool follows);
    bool editorOwnsCurrentCell() const;
    void showEditor();
    void notifyChanged();

    QWidget &m_window;
    FlexGrid &m_sheet;
    FlexGrid &m_totals;
    EditorBox &m_editor;
    int m_idle = 0;

    // The grid position being edited, kept by the cell handlers.
    int m_merkRow = 0;
    int m_merkCol = 0;
    // rowColChange's memory between calls.
    int m_lastRow = 0;
    int m_lastCol = 0;
    bool m_rowColRunning = false;
    // The cell the editor's text was taken from, and whether the editor
    // follows it: only then may its text be committed there.
    int m_editorRow = -1;
    int m_editorCol = -1;
    bool m_editorFollows = false;
    std::array<int, modul::ColCount> m_cellLengths{};

    UndoBuffer m_undo;
};
