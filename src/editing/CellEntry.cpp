#include "editing/CellEntry.h"

#include "editing/EntryDate.h"
#include "editing/Modul.h"
#include "editing/SheetLayout.h"

namespace modul {
namespace {
// A pasted line would split the cell's text on paper; it joins with a blank.
QString withoutLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}
} // namespace

CellEntry enterCell(int col, const QString &editorText, const QString &cellText, std::optional<QDate> month)
{
    if (editorText == cellText)
        return {cellText, {}};
    if (col <= LastAmountCol)
        return commitAmount(editorText, cellText);
    if (col == ColDatum)
        return commitDate(editorText, month);
    // A cell emptied by a moving key holds one blank, and the editor opens
    // with its cursor after it: an account typed there would start with it,
    // and an account number never holds blanks at its ends.
    if (col == ColKonto && !editorText.trimmed().isEmpty())
        return {withoutLineBreaks(editorText).trimmed(), {}};
    return {withoutLineBreaks(editorText), {}};
}

} // namespace modul
