#pragma once

#include "books/RecoveryFile.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <optional>

class FlexGrid;
class QComboBox;
class QWidget;
class SheetEditor;

// Keeps the recovery file while the sheet differs from its last saved
// state: written at most every two seconds after a change, removed by a
// save, a load or an answered exit, and offered back at the next start.
class CrashRecovery
{
public:
    struct Controls
    {
        FlexGrid &sheet;
        QComboBox &month;
        QComboBox &year;
    };
    CrashRecovery(QWidget &window, const QString &programFolder, const Controls &controls, SheetEditor &editor);

    // The shortest time between two writes, and the longest a change waits.
    static constexpr int IntervalMs = 2000;

    // Something in the sheet may have changed.
    void sheetChanged();
    // The sheet is as saved (or as just loaded): no recovery file is needed.
    void sheetMatchesFile();
    // The user agreed to end the program and lose what is unsaved.
    void discard();
    bool sheetDiffersFromSaved() const;
    // Told whether the sheet differs from its file, after each look at it.
    std::function<void(bool differs)> unsavedChanged;

    // At start: asks whether to restore a recovery file, and does. True when restored.
    bool offerRestore();

    // The sheet as a recovery would bring it back, the text being typed included.
    RecoveryFile::Snapshot snapshot() const;
    // Writes now if the sheet differs; the timer calls it.
    void keepUp();
    // Blocks until the file on disk is what was last asked (for tests and the exit).
    void settle() { m_writer.waitIdle(); }

private:
    QWidget &m_window;
    QString m_path;
    Controls m_controls;
    SheetEditor &m_editor;
    std::optional<Records> m_saved; // nothing after a restore: then it differs until saved
    // Nothing is written or removed before the start has looked for a file
    // to offer: the start's own steps are no work of the user's, and the
    // month it opens must not remove what the last run left.
    bool m_offered = false;
    std::optional<RecoveryFile::Snapshot> m_written;
    QElapsedTimer m_sinceWrite;
    QTimer m_timer;
    RecoveryWriter m_writer;
};
