#include "editing/UndoBuffer.h"

#include "platform/FlexGridStore.h"

QString UndoBuffer::sheetText(const FlexGridStore &sheet)
{
    QString text;
    for (int r = 0; r < sheet.rows(); ++r) {
        for (int c = 0; c < sheet.cols(); ++c) {
            text += sheet.textMatrix(r, c);
            text += QLatin1Char('\t');
        }
        text += QLatin1Char('\r');
    }
    return text;
}

void UndoBuffer::take(const FlexGridStore &sheet, const QString &name)
{
    Snapshot s{sheetText(sheet), sheet.rows(), sheet.cols(), name.isEmpty() ? QStringLiteral("Letzte Akton") : name};
    if (!m_snapshots.empty()) {
        const Snapshot &last = m_snapshots.back();
        if (last.sheetText == s.sheetText && last.rows == s.rows && last.cols == s.cols)
            return;
    }
    if (m_capacity > 0 && static_cast<int>(m_snapshots.size()) >= m_capacity)
        m_snapshots.erase(m_snapshots.begin());
    m_snapshots.push_back(std::move(s));
}
