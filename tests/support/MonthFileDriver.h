#pragma once

#include "EditingDriver.h"
#include "StorageFixtures.h"
#include "books/MonthStorage.h"
#include "dialogs/ui/FileLists.h"
#include "dialogs/ui/Form2.h"

#include <QAction>
#include <QPlainTextEdit>

// Drives "Speichern", "Laden", "Datei suchen" and the selectors of the
// started main window, and looks at the sheet as a month file holds it.
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
    // A menu command by its object name.
    void trigger(const char *action) { form->findChild<QAction *>(QLatin1StringView(action))->trigger(); }

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
    // "Öffnen"; then the main window is the active one again, as after a click into it.
    void oeffnen(Form2 *o)
    {
        QTest::mouseClick(o->Command1, Qt::LeftButton);
        QApplication::setActiveWindow(form.get());
    }

    // The amount into column col of the row, then the date and the text, left with Enter.
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

    // Rows 1 and below, as shown; with `stored`, as a file holds them: up to
    // the last entry, an empty cell as a blank.
    QList<QStringList> body(bool stored = false)
    {
        QList<QStringList> rows = Fixtures::texts(sheet());
        rows.removeFirst();
        while (stored && rows.size() > modul::RowUebertrag && !modul::holdsEntry(sheet(), int(rows.size())))
            rows.removeLast();
        for (QStringList &row : rows)
            for (QString &cell : row)
                if (stored && cell.isEmpty())
                    cell = QStringLiteral(" ");
        return rows;
    }
    QList<QStringList> records(const QString &relativePath)
    {
        return Fixtures::Sql::rows(folder.file(relativePath), QStringLiteral("Journal"));
    }

    // A month written by the storage layer, its one entry's text carrying
    // the tag; returns the rows a load of it shows below the headings.
    QList<QStringList> writeMonth(const QString &year, const QString &month, const QString &tag)
    {
        FlexGridStore m = Fixtures::startupSheet();
        m.setTextMatrix(1, 6, year + QLatin1Char('-') + month);
        m.setTextMatrix(2, 4, QStringLiteral("100,00"));
        Fixtures::setRow(m, 3,
                         {QStringLiteral("5,00"), QString(), QString(), QString(), QStringLiteral("105,00"),
                          QStringLiteral("4711"), QString(), QStringLiteral("01.03.2021"),
                          QStringLiteral("Kaffee ") + tag});
        const QString error = MonthStorage::save(MonthStorage::planSave(m, folder.path(), year, month));
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        QList<QStringList> rows = Fixtures::texts(m);
        rows.removeFirst();
        return rows; // row 4 stays the empty new-entry row
    }
};
