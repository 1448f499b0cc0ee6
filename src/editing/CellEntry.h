#pragma once

#include <QDate>
#include <QString>

#include <optional>

// What the editor box's text becomes when it is entered into its cell, or
// why it cannot be entered. A refused text stays in the editor, on its cell,
// until the user corrects it; nothing of it reaches the sheet.
namespace modul {

struct CellEntry
{
    QString text;    // the cell's new text; the editor's own text when refused
    QString problem; // a short German message; empty when the text is taken

    bool ok() const { return problem.isEmpty(); }
};

// The rule of column col for the editor's text, over the cell's text now.
// Text the user has not changed is always taken, so that cells of older
// files can be walked through. Amounts follow commitAmount, dates
// commitDate (inside month, the first day of the sheet's month, when
// known), and the text columns take the text with each line break as one
// blank; Konto drops the blanks at its ends unless it is only blanks.
CellEntry enterCell(int col, const QString &editorText, const QString &cellText, std::optional<QDate> month);

} // namespace modul
