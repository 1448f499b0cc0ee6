#pragma once

#include <QString>

#include <vector>

class FlexGridStore;

// Snapshots of the whole sheet, each under the name of the operation it
// belongs to. Nothing restores them yet; they hold all a restore would need.
class UndoBuffer
{
public:
    struct Snapshot
    {
        QString sheetText;
        qint32 rows = 0;
        qint32 cols = 0;
        QString name;
    };

    // Every cell followed by a tab, every row followed by a carriage return.
    static QString sheetText(const FlexGridStore &sheet);

    // Appends a snapshot unless it equals the last one. An empty name is
    // stored as "Letzte Akton".
    void take(const FlexGridStore &sheet, const QString &name);

    const std::vector<Snapshot> &snapshots() const { return m_snapshots; }
    // 0 keeps every snapshot; otherwise the oldest goes when the buffer is full.
    void setCapacity(int capacity) { m_capacity = capacity; }

private:
    std::vector<Snapshot> m_snapshots;
    int m_capacity = 0;
};
