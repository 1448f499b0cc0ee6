#pragma once

#include "Form1Fixture.h"
#include "editing/ui/EditorBox.h"
#include "editing/ui/SheetEditor.h"
#include "printing/ui/Druckerwahl.h"

// Drives the started main window as a user would: clicks on cells, keys
// into the editor box, and the print-out through the printer window.
struct EditingDriver : Form1Fixture
{
    using Form1Fixture::Form1Fixture;

    void clickCell(int row, int col)
    {
        const QRect r = form->flex->cellRect(row, col);
        QVERIFY2(r.isValid(), "cell is not on screen");
        QTest::mouseClick(form->flex->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }

    // Types text into the editor box; characters outside ASCII go one by
    // one, since QTest::keyClicks cannot send them.
    void type(const QString &text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(form->Text1, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, form->Text1, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }

    void key(Qt::Key k, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(form->Text1, k);
    }

    Druckerwahl &printerWindow() { return *form->druckerwahl(); }
    Druckerwahl &openPrinterWindow()
    {
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        return printerWindow();
    }
    void drucken() { QTest::mouseClick(printerWindow().Command1, Qt::LeftButton); }

    QPoint cell() const { return QPoint(form->flex->store().col(), form->flex->store().row()); }
    QString text(int row, int col) { return sheet().textMatrix(row, col); }
};
