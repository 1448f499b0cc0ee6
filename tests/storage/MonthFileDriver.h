#pragma once

#include "EditingDriver.h"
#include "StorageFixtures.h"
#include "dialogs/ui/FileLists.h"
#include "dialogs/ui/Form2.h"
#include "storage/MonthStorage.h"

#include <QLineEdit>
#include <QPlainTextEdit>

// Drives "Speichern", "Laden" and the selectors of the started main window,
// and looks at the sheet the way a month file holds it.
struct MonthFileDriver : EditingDriver
{
    using EditingDriver::EditingDriver;

    void chooseMonth(const QString &year, const QString &month)
    {
        form->Combo2->setEditText(year);
        form->Combo1->setEditText(month);
    }

    void save(const QList<MessageBox::Answer> &answers = {})
    {
        for (MessageBox::Answer a : answers)
            MessageBox::queueAnswer(a);
        QTest::mouseClick(form->Command7, Qt::LeftButton);
    }

    void load() { QTest::mouseClick(form->Command8, Qt::LeftButton); }

    // The open-file window through "Datei suchen".
    Form2 *openFileWindow()
    {
        QTest::mouseClick(form->Command9, Qt::LeftButton);
        return form->form2();
    }
    static void clickFile(Form2 *o, const QString &folderPath, const QString &name)
    {
        o->Dir1->setPath(folderPath);
        const QList<QListWidgetItem *> found = o->File1->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        QTest::mouseClick(o->File1->viewport(), Qt::LeftButton, Qt::NoModifier,
                          o->File1->visualItemRect(found.first()).center());
    }
    static void typePath(Form2 *o, const QString &path)
    {
        o->Text1->selectAll();
        QTest::keyClicks(o->Text1, path);
    }
    // "Öffnen"; then the main window is the active one again, as after any
    // click into it.
    void oeffnen(Form2 *o)
    {
        QTest::mouseClick(o->Command1, Qt::LeftButton);
        QApplication::setActiveWindow(form.get());
    }

    // One entry typed as a user would: the amount into column col of the
    // row, then the date and the booking text, left with Enter.
    void typeEntry(int row, int col, const QString &amount, const QString &date, const QString &text)
    {
        clickCell(row, 0);
        key(Qt::Key_Right, col);
        type(amount);
        key(Qt::Key_Right, 7 - col);
        type(date);
        key(Qt::Key_Tab);
        type(text);
        key(Qt::Key_Enter);
    }

    // Rows 1 and below: what a month file holds, a blank for an empty cell.
    QList<QStringList> body()
    {
        QList<QStringList> rows = Fixtures::texts(sheet());
        rows.removeFirst();
        return rows;
    }
    // What a load of `month` shows: its rows below the headings, then one empty row.
    static QList<QStringList> loadedBody(const FlexGridStore &month)
    {
        QList<QStringList> rows = Fixtures::texts(month);
        rows.removeFirst();
        rows << QStringList(10);
        return rows;
    }
    static QList<QStringList> asStored(QList<QStringList> rows)
    {
        for (QStringList &row : rows)
            for (QString &cell : row)
                if (cell.isEmpty())
                    cell = QStringLiteral(" ");
        return rows;
    }
    QList<QStringList> records(const QString &relativePath)
    {
        return Fixtures::Sql::rows(folder.file(relativePath), QStringLiteral("Journal"));
    }

    // A consistent month written by the storage layer: an opening balance
    // and one income entry whose text carries the tag, balances as they are
    // once loaded.
    FlexGridStore writeMonth(const QString &year, const QString &month, const QString &tag)
    {
        FlexGridStore month1 = Fixtures::startupSheet();
        month1.setTextMatrix(1, 6, year + QLatin1Char('-') + month);
        month1.setTextMatrix(2, 4, QStringLiteral("100,00"));
        Fixtures::setRow(month1, 3,
                         {QStringLiteral("5,00"), QString(), QString(), QString(), QStringLiteral("105,00"),
                          QStringLiteral("4711"), QString(), QStringLiteral("01.03.2021"),
                          QStringLiteral("Kaffee ") + tag});
        // Loaded, this row is an entry row, and the balance carries into it.
        month1.setTextMatrix(4, 4, QStringLiteral("105,00"));
        const QString error = MonthStorage::save(MonthStorage::planSave(month1, folder.path(), year, month));
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        return month1;
    }
};
