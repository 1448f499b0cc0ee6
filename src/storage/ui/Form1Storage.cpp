#include "mainwindow/ui/Form1.h"

#include "dialogs/ui/Form2.h"
#include "editing/ui/EditorBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "storage/JournalTable.h"
#include "storage/MonthPath.h"
#include "storage/MonthStorage.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

void Form1::connectStorage()
{
    connect(Command7, &QToolButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QToolButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QToolButton::clicked, this, [this] { Command9_Click(); });
}

QStringList Form1::rateTexts() const
{
    return {satz1, satz2, satz3};
}

bool Form1::sheetReplaced(const QString &message)
{
    if (!message.isEmpty()) {
        // Over the window the user works in, which may be the open-file window.
        QWidget *active = QApplication::activeWindow();
        MessageBox::info(active != nullptr ? active : this, message);
        return false;
    }
    // The editor still holds what was typed for the month that is gone; it
    // must never be committed into the loaded one.
    editorTakesCurrentCell();
    return true;
}

bool Form1::GetRowsTest(const QString &datenbank, const QString &tabelle)
{
    const DbStatus status = MonthStorage::GetRowsTest(flex->store(), datenbank, tabelle, rateTexts());
    return sheetReplaced(status.ok() ? QString() : status.report());
}

void Form1::Command7_Click()
{
    // The amount being typed is part of the month: it is committed and the
    // balances follow before anything is written, so the file holds what
    // the sheet shows. The editor then shows the cell as it was stored.
    commitPendingEdit();
    recalculate();
    editorTakesCurrentCell();

    const QString year = Combo2->currentText();
    const QString month = Combo1->currentText();
    const MonthStorage::SavePlan plan = MonthStorage::planSave(flex->store(), m_programFolder, year, month);
    if (!plan.ok()) {
        MessageBox::info(this, plan.message);
        return;
    }
    if (plan.replaces
        && MessageBox::show(this, replaceQuestion(year, month), MessageBox::Buttons::YesNo, QStringLiteral("Speichern"))
               == MessageBox::Answer::No)
        return;
    if (const QString error = MonthStorage::save(plan); !error.isEmpty())
        MessageBox::info(this, error);
}

void Form1::Command8_Click()
{
    const MonthStorage::LoadResult result = MonthStorage::loadMonth(
        flex->store(), m_programFolder, Combo2->currentText(), Combo1->currentText(), rateTexts());
    Text2->setText(result.path);
    // A month that did not load leaves the sheet and the cursor as they were.
    if (!sheetReplaced(result.message))
        return;
    FlexGridStore &g = flex->store();
    flex->setFocus();
    g.setRow(3);
    g.setCol(0);
    Text1_KeyDown(32, 0);
}

void Form1::Command9_Click()
{
    bringUp(form2());
}
